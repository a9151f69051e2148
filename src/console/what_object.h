#pragma once
// Describes a name for the console's "what": a system object, or a global object with its text
// (and its code listing when programs are shown).

#include <string_view>

namespace tovik {
struct Context;
}

namespace tovik::console {

// False, with nothing written, when the name is neither (or there is no name).
bool what_object(Context& ctx, std::string_view name);
bool what_object(Context& ctx, const char* name);

} // namespace tovik::console
