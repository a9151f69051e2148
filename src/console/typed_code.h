#pragma once
// Code typed in hexadecimal for `exec`: byte pairs, `[number]` doubles, `l`/`s` integers and
// quoted characters, assembled into a block that ends with RETURN.

#include "code/code_block.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tovik::console {

// The most bytes typed code may assemble to, the closing RETURN included.
inline constexpr std::size_t typed_code_limit = 10240;

struct TypedCode {
  enum class Fault { none, bad_hex, too_long };
  runner::CodeBlock bytes;
  Fault fault = Fault::none;
  std::string bad_pair; // the one or two characters of a pair that is not hexadecimal
};

TypedCode assemble_typed_code(std::string_view text);

} // namespace tovik::console
