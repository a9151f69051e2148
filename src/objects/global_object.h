#pragma once
// A user variable or function: its name, the text it was defined from (none for a variable set
// to a plain value) and its code block.

#include "code/code_block.h"
#include "code/opcodes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tovik::objects {

struct GlobalObject {
  std::string name;
  std::optional<std::string> text;
  // Shared with the call frames running in it, so that redefining or deleting the object while
  // its code runs leaves the running block intact.
  std::shared_ptr<runner::CodeBlock> code;

  std::int32_t code_length() const { return code ? std::int32_t(code->size()) : 0; }
};

// A plain-valued variable is recognised by its block alone: PUSH, the eight bytes of the value,
// RETURN.
inline constexpr std::size_t plain_block_size =
    runner::fixed_length(runner::Op::push) + runner::fixed_length(runner::Op::ret);

bool is_plain_block(const runner::CodeBlock& code);
double plain_block_value(const runner::CodeBlock& code);
runner::CodeBlock make_plain_block(double value);
// Replaces the value of a plain block in place.
void store_plain_value(runner::CodeBlock& code, double value);

} // namespace tovik::objects
