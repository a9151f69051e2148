#pragma once
// The translated form of a code block: one step per instruction in byte order, operands decoded
// and jump targets resolved and checked once, and the common sequences of loops and function
// bodies fused into single steps. The byte code is never changed: every step knows the position
// of its instruction, and anything a step cannot do exactly as the byte runner would (a poll
// point, a stack growth or an error inside a fused sequence, any instruction without a step of
// its own) is done by the byte runner from that position.

#include "code/code_block.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tovik::runner {

// Off in the differential tests, which run the same programs on the byte runner alone.
inline bool use_translation = true;

enum class StepKind : std::uint8_t {
  byte_path, // the byte runner runs the instruction
  jump,      // JUMP to another step
  // A slot (argument or local), a second operand (slot or constant) and OPER, then:
  load_oper_jifn,  // JIFN
  load_oper_store, // SET LOCAL and POP
  load_oper,       // nothing: the result stays on Stack 1
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
};
inline constexpr std::uint32_t step_kinds = 14;

struct Step {
  StepKind kind = StepKind::byte_path;
  std::uint8_t count = 1; // the instructions it stands for
  std::uint8_t oper = 0;  // the operator, or the opcode of a call
  bool a_arg = false;     // the first operand is an argument (else a local)
  bool b_slot = false;    // the second operand is a slot (else the constant k)
  bool b_arg = false;
  std::uint32_t pc = 0;                  // position of the (first) instruction
  std::uint32_t a = 0, b = 0, store = 0; // slot indices
  std::int32_t jump = 0;                 // steps to the jump target, counted from this step
  double k = 0;                          // the constant of a fused operand
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
