#pragma once
// The translated form of a code block: one step per instruction in byte order, operands decoded
// and jump targets resolved and checked once, and the common sequences of loops and function
// bodies fused into single steps. The byte code is never changed: every step knows the position
// of its instruction, and anything a step cannot do exactly as the byte runner would (a poll
// point, a stack growth or an error inside a fused sequence, any instruction without a step of
// its own) is done by the byte runner from that position.

#include "code/code_block.h"
#include "lang/tokens.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tovik::runner {

// Off in the differential tests, which run the same programs on the byte runner alone.
inline bool use_translation = true;

// A fused step ends in one of these: JIFN, SET LOCAL and POP, SET LOCAL, POP and JUMP, or nothing
// (the result stays on Stack 1).
#define TOVIK_FUSED_TAILS(X, ...)                                                                  \
  X(jifn, __VA_ARGS__) X(store, __VA_ARGS__) X(store_jump, __VA_ARGS__) X(keep, __VA_ARGS__)
// The operators a fused step has a handler of its own for; `other` runs any known operator.
// clang-format off
#define TOVIK_FUSED_OPERATORS(X, ...)                                                              \
  X(plus, __VA_ARGS__) X(minus, __VA_ARGS__) X(times, __VA_ARGS__) X(divide, __VA_ARGS__)          \
  X(less, __VA_ARGS__) X(greater, __VA_ARGS__) X(less_equal, __VA_ARGS__)                          \
  X(greater_equal, __VA_ARGS__) X(not_equal, __VA_ARGS__) X(equal, __VA_ARGS__)                    \
  X(other, __VA_ARGS__)
// clang-format on
// Every fused step kind, X(tail, second operand, operator): tails outermost, operators innermost.
#define TOVIK_FUSED_OPERAND_K(tail, X) TOVIK_FUSED_OPERATORS(TOVIK_FUSED_STEP_OF, X, tail, k)
#define TOVIK_FUSED_OPERAND_SLOT(tail, X) TOVIK_FUSED_OPERATORS(TOVIK_FUSED_STEP_OF, X, tail, slot)
#define TOVIK_FUSED_STEP_OF(oper, X, tail, b) X(tail, b, oper)
#define TOVIK_FUSED_TAIL_OF(tail, X)                                                               \
  TOVIK_FUSED_OPERAND_K(tail, X) TOVIK_FUSED_OPERAND_SLOT(tail, X)
#define TOVIK_FUSED_STEPS(X) TOVIK_FUSED_TAILS(TOVIK_FUSED_TAIL_OF, X)

enum class FusedTail : std::uint8_t { jifn, store, store_jump, keep };
enum class FusedOper : std::uint8_t {
#define TOVIK_FUSED_OPER_NAME(oper, ...) oper,
  TOVIK_FUSED_OPERATORS(TOVIK_FUSED_OPER_NAME)
#undef TOVIK_FUSED_OPER_NAME
};
inline constexpr std::uint32_t fused_operators = std::uint32_t(FusedOper::other) + 1;

// The operator code of each FusedOper, in its order; `other` has none (0).
inline constexpr std::array<std::uint8_t, fused_operators> fused_codes = [] {
  using lang::Token;
  constexpr auto op = lang::code_of;
  return std::array<std::uint8_t, fused_operators>{op(Token::plus),
                                                   op(Token::minus),
                                                   op(Token::times),
                                                   op(Token::divide),
                                                   op(Token::less),
                                                   op(Token::greater),
                                                   op(Token::less_equal),
                                                   op(Token::greater_equal),
                                                   op(Token::not_equal),
                                                   op(Token::equal),
                                                   0};
}();

// The instructions a fused step with each tail stands for.
constexpr std::uint8_t fused_count(FusedTail tail) {
  constexpr std::uint8_t counts[] = {4, 5, 6, 3};
  return counts[std::uint32_t(tail)];
}

enum class StepKind : std::uint8_t {
  byte_path, // the byte runner runs the instruction
  jump,      // JUMP to another step
  // Single instructions, done as the byte runner does them.
  push,
  pop,
  arg,
  get_local,
  set_local,
  oper,
  jifn,
  ret,
  call, // any of the four calls of a global object (the opcode in `oper`)
// A slot (argument or local), a second operand (slot or constant) and OPER, then the tail;
// one kind per tail, operand kind and operator, so that no handler decides among them.
#define TOVIK_FUSED_KIND(tail, b, oper) fused_##tail##_##b##_##oper,
  TOVIK_FUSED_STEPS(TOVIK_FUSED_KIND)
#undef TOVIK_FUSED_KIND
};
inline constexpr std::uint32_t first_fused_kind = std::uint32_t(StepKind::call) + 1;
inline constexpr std::uint32_t step_kinds = first_fused_kind + 4 * 2 * fused_operators;

constexpr StepKind fused_kind(FusedTail tail, bool b_slot, FusedOper oper) {
  return StepKind(first_fused_kind + (std::uint32_t(tail) * 2 + b_slot) * fused_operators +
                  std::uint32_t(oper));
}

struct Step {
  StepKind kind = StepKind::byte_path;
  std::uint8_t count = 1; // the instructions it stands for
  std::uint8_t oper = 0;  // the operator, or the opcode of a call
  bool a_arg = false;     // the first operand is an argument (else a local)
  bool b_slot = false;    // the second operand is a slot (else the constant k)
  bool b_arg = false;
  std::uint32_t pc = 0;                  // position of the (first) instruction
  std::uint32_t a = 0, b = 0, store = 0; // slot indices
  // A fused step's locals and arguments: one past the highest index of each (0: none).
  std::uint32_t need_local = 0, need_arg = 0;
  std::int32_t jump = 0; // steps to the jump target, counted from this step
  double k = 0;          // the constant of a fused operand
};

inline constexpr std::uint32_t no_step = 0xFFFFFFFFu;

struct Translation {
  std::vector<Step> steps;
  std::vector<std::uint32_t> step_at; // position -> step, no_step between instructions

  std::uint32_t step_of(std::uint32_t pc) const {
    return pc < step_at.size() ? step_at[pc] : no_step;
  }
};

Translation translate(std::span<const std::uint8_t> block);

// The translation of a global object's block, made on its first run and kept beside it for
// every later run while the block lives.
const Translation* cached_translation(const CodeRef& block);

} // namespace tovik::runner
