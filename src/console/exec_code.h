#pragma once
// Code typed on the command line in hexadecimal, assembled and run.

namespace tovik {
struct Context;
}

namespace tovik::console {

void exec_typed_code(Context& ctx, const char* text);

} // namespace tovik::console
