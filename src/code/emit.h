#pragma once
// Writing instructions. `emit(sink, Op::push, value)` appends one instruction with its operands,
// and the opcode table decides whether those operands fit: the opcode is taken as a CheckedOp,
// which can only be made from a constant opcode whose layout matches the C++ types of the
// operands, so a mismatch does not compile. Tables of opcodes hold CheckedOps for the same
// reason.
//
// A sink is anything with an `append_byte(sink, byte)` that returns false when the byte could not
// be stored: a code block, a string (a code file being written) or the compiler's code buffer.

#include "code/code_block.h"
#include "code/opcodes.h"

#include <array>
#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace tovik::runner {

inline bool append_byte(CodeBlock& block, std::uint8_t byte) {
  block.push_back(byte);
  return true;
}

inline bool append_byte(std::string& out, std::uint8_t byte) {
  out += static_cast<char>(byte);
  return true;
}

// Every byte is offered even after one was refused, so that a sink counting refusals counts all.
template <class Sink> bool append_little_endian(Sink& sink, std::uint64_t bits, int bytes) {
  bool stored = true;
  for (int i = 0; i < bytes; ++i) stored &= append_byte(sink, std::uint8_t(bits >> (8 * i)));
  return stored;
}

template <class Sink> bool append_i32(Sink& sink, std::int32_t value) {
  return append_little_endian(sink, static_cast<std::uint32_t>(value), 4);
}

// The eight bytes of the double in memory order.
template <class Sink> bool append_f64(Sink& sink, double value) {
  return append_little_endian(sink, std::bit_cast<std::uint64_t>(value), 8);
}

// The bytes of the text without a terminating zero.
template <class Sink> bool append_text(Sink& sink, std::string_view text) {
  bool stored = true;
  for (char c : text) stored &= append_byte(sink, static_cast<std::uint8_t>(c));
  return stored;
}

// A name or text operand: its bytes and one zero byte.
template <class Sink> bool append_name(Sink& sink, std::string_view text) {
  bool stored = append_text(sink, text);
  return append_byte(sink, 0) && stored;
}

// What an operand is, by its C++ type: double, std::int32_t (a count, index or displacement),
// std::uint8_t (an operator or standard object code), text, or a code block.
enum class Operand : std::uint8_t { f64, i32, code, zero_ended, code_block, unsupported };

template <class T> constexpr Operand operand_of() {
  if constexpr (std::same_as<T, double>)
    return Operand::f64;
  else if constexpr (std::same_as<T, std::int32_t>)
    return Operand::i32;
  else if constexpr (std::same_as<T, std::uint8_t>)
    return Operand::code;
  else if constexpr (std::convertible_to<const T&, std::string_view>)
    return Operand::zero_ended;
  else if constexpr (std::convertible_to<const T&, std::span<const std::uint8_t>>)
    return Operand::code_block;
  else
    return Operand::unsupported;
}

constexpr bool accepts(Field field, Operand operand) {
  switch (field) {
  case Field::f64: return operand == Operand::f64;
  case Field::i32:
  case Field::disp:
  case Field::reserved: return operand == Operand::i32;
  case Field::code: return operand == Operand::code;
  case Field::name:
  case Field::text: return operand == Operand::zero_ended;
  case Field::counted_code: return operand == Operand::code_block;
  }
  return false;
}

template <Operand... Given> constexpr bool operands_fit(Layout layout) {
  const Fields fields = fields_of(layout);
  const std::array<Operand, sizeof...(Given)> given{Given...};
  if (fields.count != given.size()) return false;
  for (std::size_t i = 0; i < given.size(); ++i)
    if (!accepts(fields.at[i], given[i])) return false;
  return true;
}

template <Operand... Given> class CheckedOp {
public:
  // Not a constant expression, and so a compile error, when the operands do not fit.
  consteval CheckedOp(Op op) : op_(op) { // NOLINT: implicit, so that callers write Op::push
    if (!operands_fit<Given...>(layout_of(op))) throw "operands do not match the opcode's layout";
  }
  constexpr Op op() const { return op_; }

private:
  Op op_;
};

// The opcode of an instruction emitted with operands of types A...
template <class... A> using OpFor = CheckedOp<operand_of<std::decay_t<A>>()...>;

template <class Sink, class A> bool append_operand(Sink& sink, const A& operand) {
  constexpr Operand kind = operand_of<std::decay_t<A>>();
  if constexpr (kind == Operand::f64) {
    return append_f64(sink, operand);
  } else if constexpr (kind == Operand::i32) {
    return append_i32(sink, operand);
  } else if constexpr (kind == Operand::code) {
    return append_byte(sink, operand);
  } else if constexpr (kind == Operand::zero_ended) {
    return append_name(sink, std::string_view(operand));
  } else {
    // A length and then the bytes.
    std::span<const std::uint8_t> code(operand);
    bool stored = append_i32(sink, static_cast<std::int32_t>(code.size()));
    for (std::uint8_t byte : code) stored &= append_byte(sink, byte);
    return stored;
  }
}

// Appends the instruction; false when a byte of it could not be stored.
template <class Sink, class... A>
bool emit(Sink& sink, std::type_identity_t<OpFor<A...>> op, const A&... operands) {
  bool stored = append_byte(sink, byte_of(op.op()));
  ((stored &= append_operand(sink, operands)), ...);
  return stored;
}

} // namespace tovik::runner
