#pragma once
// User variables and functions stored in the global object table from console text.

#include "compiler/code_buffer.h"

#include <cstddef>
#include <string_view>

namespace tovik {
struct Context;
}

namespace tovik::compiler {

// Gives the global variable `name` the value of `expression` and prints the outcome. Returns
// the variable read back (the error value while the start-up file loads, and on failure).
double set_variable(Context& ctx, const char* name, const char* expression);

// Defines the user function of `header` (such as F(X,Y,$2,T)) with the code of `body`, prints
// the outcome and, unless the start-up file is loading, the new function. Always returns the
// error value.
double define_function(Context& ctx, const char* header, const char* body);

// Position of the first "CONST(" in `text`, or the text's length when there is none.
std::size_t find_const_call(std::string_view text);

// `body` with every CONST(x) replaced by the value of x written in base 10, and a terminating
// zero byte, into `text`. False after a message naming `function`.
bool expand_const_calls(Context& ctx, const char* function, std::string_view body,
                        CodeBuffer& text);

} // namespace tovik::compiler
