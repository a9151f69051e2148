#include "runner/translate.h"

#include "code/opcodes.h"
#include "runner/decode.h"
#include "runner/operators.h"

#include <algorithm>

#include <memory>
#include <mutex>
#include <unordered_map>

namespace tovik::runner {

namespace {

struct Operand {
  bool slot = false;
  bool arg = false;
  std::uint32_t index = 0;
  double k = 0;
};

// The instruction at pc read as an operand push: ARG i, GET LOCAL(i) or PUSH k.
bool operand_at(std::span<const std::uint8_t> block, std::uint32_t pc, Operand& operand) {
  if (pc >= block.size()) return false;
  const std::uint8_t op = block[pc];
  const std::uint32_t room = std::uint32_t(block.size()) - pc;
  const std::uint8_t* at = block.data() + pc + 1;
  if (op == byte_of(Op::push) && room >= length_of<Op::push>) {
    operand = {false, false, 0, read_f64(at)};
    return true;
  }
  if ((op == byte_of(Op::arg) || op == byte_of(Op::get_local)) && room >= length_of<Op::arg>) {
    operand = {true, op == byte_of(Op::arg), std::uint32_t(read_i32(at)), 0};
    return true;
  }
  return false;
}

bool is_at(std::span<const std::uint8_t> block, std::uint32_t pc, Op op, std::uint32_t length) {
  return pc < block.size() && block[pc] == byte_of(op) && block.size() - pc >= length;
}

// A jump at pc to a position inside the block.
bool jump_target(std::span<const std::uint8_t> block, std::uint32_t pc, std::uint32_t& target) {
  return jump_destination(pc, std::uint32_t(block.size()), read_i32(block.data() + pc + 1), target);
}

bool known_operator(std::uint8_t oper) {
  double ignored;
  return binary_operator(oper, 0, 0, ignored) == operator_ok;
}

FusedOper fused_oper_of(std::uint8_t code) {
  std::uint32_t i = 0;
  while (i + 1 < fused_operators && fused_codes[i] != code) ++i;
  return FusedOper(i);
}

bool is_fused(StepKind kind) { return std::uint32_t(kind) >= first_fused_kind; }

FusedTail tail_of(StepKind kind) {
  return FusedTail((std::uint32_t(kind) - first_fused_kind) / (2 * fused_operators));
}

// The same fused step ending in another tail.
void set_tail(Step& step, FusedTail tail) {
  step.kind = fused_kind(tail, step.b_slot, fused_oper_of(step.oper));
  step.count = fused_count(tail);
}

void need_slot(Step& step, bool arg, std::uint32_t index) {
  std::uint32_t& need = arg ? step.need_arg : step.need_local;
  need = std::max(need, index + 1);
}

// Fuses slot, operand and OPER with what follows them, when the operator is known (an unknown
// one stops the run, which the byte runner reports).
void fuse(std::span<const std::uint8_t> block, Step& step, std::uint32_t& target) {
  Operand a, b;
  std::uint32_t pc = step.pc;
  if (!operand_at(block, pc, a) || !a.slot) return;
  pc += length_of<Op::arg>;
  if (!operand_at(block, pc, b)) return;
  pc += b.slot ? length_of<Op::arg> : length_of<Op::push>;
  if (!is_at(block, pc, Op::oper, length_of<Op::oper>)) return;
  const std::uint8_t oper = block[pc + 1];
  // An index that wraps when one is added is left to the byte runner.
  if (!known_operator(oper) || a.index == 0xFFFFFFFFu || (b.slot && b.index == 0xFFFFFFFFu)) return;
  pc += length_of<Op::oper>;
  step.oper = oper;
  step.a_arg = a.arg;
  step.a = a.index;
  step.b_slot = b.slot;
  step.b_arg = b.arg;
  step.b = b.index;
  step.k = b.k;
  need_slot(step, a.arg, a.index);
  if (b.slot) need_slot(step, b.arg, b.index);
  FusedTail tail = FusedTail::keep;
  if (is_at(block, pc, Op::jifn, length_of<Op::jifn>) && jump_target(block, pc, target)) {
    tail = FusedTail::jifn;
  } else if (is_at(block, pc, Op::set_local, length_of<Op::set_local>) &&
             is_at(block, pc + length_of<Op::set_local>, Op::pop, length_of<Op::pop>)) {
    step.store = std::uint32_t(read_i32(block.data() + pc + 1));
    if (step.store == 0xFFFFFFFFu) return set_tail(step, FusedTail::keep);
    need_slot(step, false, step.store);
    tail = FusedTail::store;
    pc += length_of<Op::set_local> + length_of<Op::pop>;
    if (is_at(block, pc, Op::jump, length_of<Op::jump>) && jump_target(block, pc, target))
      tail = FusedTail::store_jump;
  }
  set_tail(step, tail);
}

// A step of its own for a single instruction the byte runner would do the same way.
void single(std::span<const std::uint8_t> block, const Instruction& ins, Step& step,
            std::uint32_t& jifn_target) {
  const std::uint8_t* at = block.data() + step.pc + 1;
  switch (static_cast<Op>(ins.op)) {
  case Op::push: step.kind = StepKind::push; break;
  case Op::pop: step.kind = StepKind::pop; break;
  case Op::arg: step.kind = StepKind::arg, step.a = std::uint32_t(read_i32(at)); break;
  case Op::get_local: step.kind = StepKind::get_local, step.a = std::uint32_t(read_i32(at)); break;
  case Op::set_local: step.kind = StepKind::set_local, step.a = std::uint32_t(read_i32(at)); break;
  case Op::ret: step.kind = StepKind::ret; break;
  case Op::oper:
    if (known_operator(*at)) step.kind = StepKind::oper, step.oper = *at;
    break;
  case Op::jifn:
    if (jump_target(block, step.pc, jifn_target)) step.kind = StepKind::jifn;
    break;
  case Op::call:
  case Op::call_n:
  case Op::call_args:
  case Op::call_pop: step.kind = StepKind::call, step.oper = ins.op; break;
  default: break;
  }
}

// Steps that go on at the step after their instructions, now or (a call) on return.
bool continues(StepKind kind) {
  return kind != StepKind::jump && kind != StepKind::ret &&
         !(is_fused(kind) && tail_of(kind) == FusedTail::store_jump);
}

} // namespace

Translation translate(std::span<const std::uint8_t> block) {
  Translation t;
  const auto size = std::uint32_t(block.size());
  t.step_at.assign(size, no_step);
  std::vector<std::uint32_t> targets; // positions jumped to, per step (no_step: none)
  for (std::uint32_t pc = 0; pc < size;) {
    Instruction ins = decode_instruction(block, pc);
    if (!ins.complete) break;
    Step step;
    step.pc = pc;
    std::uint32_t target = no_step;
    if (ins.op == byte_of(Op::jump)) {
      if (jump_target(block, pc, target)) step.kind = StepKind::jump;
    } else {
      fuse(block, step, target);
      if (step.kind == StepKind::byte_path) single(block, ins, step, target);
    }
    t.step_at[pc] = std::uint32_t(t.steps.size());
    t.steps.push_back(step);
    targets.push_back(target);
    // The reserved GOTO is stepped over by its opcode alone, as the byte runner does.
    pc += ins.op == byte_of(Op::goto_reserved) ? 1 : ins.length;
  }
  // A jump into the middle of an instruction, or past the decoded part, is left to the byte
  // runner; so is a fused sequence whose parts are not steps of their own.
  const auto steps = std::uint32_t(t.steps.size());
  for (std::uint32_t i = 0; i < steps; ++i) {
    Step& step = t.steps[i];
    std::uint32_t to = targets[i] == no_step ? no_step : t.step_at[targets[i]];
    if (targets[i] != no_step && to == no_step) {
      if (is_fused(step.kind))
        set_tail(step, tail_of(step.kind) == FusedTail::jifn ? FusedTail::keep : FusedTail::store);
      else
        step.kind = StepKind::byte_path, step.count = 1;
    }
    // A step goes on at the step after its instructions, which must be there.
    if (continues(step.kind) && i + step.count >= steps) {
      const std::uint32_t pc = step.pc;
      step = Step{};
      step.pc = pc;
    }
    if (targets[i] != no_step && to != no_step && step.kind != StepKind::byte_path)
      step.jump = std::int32_t(std::int64_t(to) - i);
  }
  return t;
}

const Translation* cached_translation(const CodeRef& block) {
  struct Entry {
    std::weak_ptr<const CodeBlock> block;
    std::unique_ptr<Translation> translation;
  };
  // Keyed by the block's address: an entry whose block has died is stale, and a new block made
  // at the same address replaces it.
  static std::mutex lock;
  static std::unordered_map<const CodeBlock*, Entry> cache;
  static std::size_t swept_at = 64;
  std::lock_guard<std::mutex> hold(lock);
  Entry& entry = cache[block.get()];
  if (!entry.translation || entry.block.expired()) {
    entry.block = block;
    entry.translation = std::make_unique<Translation>(translate(*block));
  }
  const Translation* found = entry.translation.get();
  if (cache.size() > 2 * swept_at) {
    std::erase_if(cache, [](const auto& item) { return item.second.block.expired(); });
    swept_at = std::max<std::size_t>(cache.size(), 64);
  }
  return found;
}

} // namespace tovik::runner
