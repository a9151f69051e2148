#pragma once
// What the table accepts from code: only names and texts that a saved file carries back
// unchanged. A typed line can only make such objects; code (typed bytes, code files) can hold
// anything, and an object that a save cannot write back would be lost or, worse, read back as
// other commands.

#include <string_view>

namespace tovik::objects {

// One name token of the language: not empty, no separator, blank, double quote or NUL, and not
// a number.
bool is_typed_name(std::string_view name);

// A definition text as a definition makes it: a header that names the object, one blank and a
// body, neither holding blanks, line ends or double quotes, and no CONST call left to expand.
bool is_definition_text(std::string_view name, std::string_view text);

} // namespace tovik::objects
