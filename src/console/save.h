#pragma once
// The saved text file: one console command per changed setting, then the objects.

#include <optional>
#include <string>

namespace tovik {
struct Context;
}

namespace tovik::console {

// The lines of the settings that differ from their defaults, in their fixed order.
std::string settings_text(const Context& ctx);

// One "def" line per global object, in name order.
std::string objects_text(const Context& ctx);

// The name of the first object whose def line is longer than a saved line can be.
std::optional<std::string> object_too_long(const Context& ctx);

// The code file: one FUNC record per global object, in name order, then RETURN.
std::string code_file_bytes(const Context& ctx);

} // namespace tovik::console
