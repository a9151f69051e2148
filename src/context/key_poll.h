#pragma once
// The keyboard break, for every layer whose work can take long.

namespace tovik {

struct Context;

// Looks at the keyboard at most once per second of calendar time; true when a key press (or an
// interrupt at the terminal) is waiting. The key is never consumed.
bool poll_break_key(Context& ctx);

} // namespace tovik
