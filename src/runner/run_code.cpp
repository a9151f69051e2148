#include "runner/run_code.h"

#include "code/opcodes.h"
#include "context/context.h"
#include "context/key_poll.h"
#include "runner/decode.h"
#include "runner/dispatch.h"
#include "runner/integer.h"
#include "runner/operators.h"
#include "runner/run_result.h"
#include "runner/threads.h"
#include "runner/trace.h"
#include "runner/translate.h"

// Threaded dispatch (computed goto, a GCC and clang extension) unless the plain switch is asked
// for with TOVIK_SWITCH_DISPATCH; both run the same handlers.
#if defined(__GNUC__) && !defined(TOVIK_SWITCH_DISPATCH)
#define TOVIK_THREADED_DISPATCH 1
// Label addresses are the extension itself.
#pragma GCC diagnostic ignored "-Wpedantic"
#else
#define TOVIK_THREADED_DISPATCH 0
#endif

namespace tovik::runner {

namespace {

#if TOVIK_THREADED_DISPATCH
// The handler of each opcode byte: its place in the opcode list plus one, 0 for bytes that are
// no opcode.
constexpr std::array<std::uint8_t, 256> handler_index = [] {
  std::array<std::uint8_t, 256> index{};
  std::uint8_t next = 1;
#define TOVIK_OPCODE_INDEX(name, byte, layout, text) index[byte] = next++;
  TOVIK_OPCODES(TOVIK_OPCODE_INDEX)
#undef TOVIK_OPCODE_INDEX
  return index;
}();
#endif

std::int32_t run_block(Context& ctx, std::span<const std::uint8_t> block, CodeRef keep) {
  if (block.empty()) return run_no_code;
  if (block.size() > max_block_size) return run_left_block;
  MachineState& m = ctx.machine;
  for (auto* stack : {&m.groups, &m.frames}) stack->count = stack->errors = 0;
  m.values.count = m.values.errors = 0;
  m.home = m.argn = m.locals = 0;
  // Frames left by a stopped run stay on stack 3 for the report, but their blocks are let go
  // with the dispatch.
  return Dispatch(ctx, block, std::move(keep)).run();
}

bool jump(std::uint32_t& pc, std::uint32_t size, std::int32_t displacement) {
  return jump_destination(pc, size, displacement, pc);
}

} // namespace

std::int32_t run_code(Context& ctx, std::span<const std::uint8_t> block) {
  return run_block(ctx, block, nullptr);
}

std::int32_t run_code(Context& ctx, const CodeRef& block) {
  if (!block) return run_no_code;
  return run_block(ctx, *block, block);
}

Dispatch::Dispatch(Context& ctx, std::span<const std::uint8_t> block, CodeRef keep)
    : ctx_(ctx), m_(ctx.machine), top_(block), top_keep_(std::move(keep)), code_(block.data()),
      size_(std::uint32_t(block.size())), step_(ctx.settings.stack_step) {}

// Both operands are pushed before OPER, so the stack needs room for two more; every slot must
// be in range below the values in use. Then nothing in the sequence can fail, grow a stack or
// reach a poll, and the step does it at once; otherwise it returns null.
template <FusedTail tail, bool b_slot, FusedOper oper>
[[gnu::always_inline]] inline const Step* Dispatch::fused_step(const Step* s,
                                                               std::uint32_t& countdown) {
  constexpr std::int32_t count = fused_count(tail);
  Stack<double>& values = m_.values;
  const std::uint64_t in_use = values.count;
  const std::uint32_t locals_base = m_.locals_base, home = m_.home;
  if (countdown <= std::uint32_t(count) || in_use + 2 > values.capacity) [[unlikely]]
    return nullptr;
  if (s->need_local > m_.locals || locals_base + std::uint64_t(s->need_local) > in_use) [[unlikely]]
    return nullptr;
  if (s->need_arg != 0 && (s->need_arg > m_.argn || home + std::uint64_t(s->need_arg) > in_use))
      [[unlikely]]
    return nullptr;
  countdown -= std::uint32_t(count);
  double* data = values.data();
  const double left = data[(s->a_arg ? home : locals_base) + s->a];
  double right = s->k;
  if constexpr (b_slot) right = data[(s->b_arg ? home : locals_base) + s->b];
  double result = 0;
  binary_operator(oper == FusedOper::other ? s->oper : fused_codes[std::size_t(oper)], left, right,
                  result);
  if constexpr (tail == FusedTail::jifn) return s + (result != 0 ? count : s->jump);
  if constexpr (tail == FusedTail::keep) {
    data[values.count++] = result;
    return s + count;
  }
  data[locals_base + s->store] = result;
  return s + (tail == FusedTail::store_jump ? s->jump : count);
}

std::int32_t Dispatch::run() {
  Stack<double>& values = m_.values;
  const std::uint8_t* code = code_;
  std::uint32_t size = size_;
  std::uint32_t pc = 0;
  std::uint32_t countdown = 1;
  std::int32_t r = keep_going;
  std::uint8_t op = 0;
  const std::uint8_t* at = nullptr;
  // The key poll at an instruction (of a step, its first one).
#define TOVIK_POLL()                                                                               \
  do {                                                                                             \
    if (--countdown == 0) {                                                                        \
      countdown = poll_interval;                                                                   \
      if (poll_break_key(ctx_)) return run_broken;                                                 \
    }                                                                                              \
  } while (false)
  // Fetches the instruction at pc: the key poll, the bounds of the block, then the handler.
#define TOVIK_FETCH()                                                                              \
  do {                                                                                             \
    TOVIK_POLL();                                                                                  \
    if (pc >= size) return run_left_block;                                                         \
    op = code[pc];                                                                                 \
    if (size - pc < run_minimum_length[op]) return run_left_block;                                 \
    if constexpr (trace_enabled) trace_instruction(ctx_.out, {code, size}, pc, values);            \
    at = code + pc + 1;                                                                            \
  } while (false)
  // After a jump, call or return: on in the translated form when the target is a step of it.
  const Step* s = nullptr;
#define TOVIK_RESUME                                                                               \
  if (enter_translation(pc, s)) goto translated;                                                   \
  TOVIK_NEXT
#if TOVIK_THREADED_DISPATCH
  // Every handler ends in a fetch and an indirect jump of its own, which the processor predicts
  // per handler rather than at one shared switch.
  static const void* const handlers[] = {&&op_unknown,
#define TOVIK_OPCODE_LABEL(name, byte, layout, text) &&op_##name,
                                         TOVIK_OPCODES(TOVIK_OPCODE_LABEL)
#undef TOVIK_OPCODE_LABEL
  };
#define TOVIK_CASE(name) op_##name
#define TOVIK_FALLTHROUGH static_cast<void>(0)
#define TOVIK_DEFAULT op_unknown
#define TOVIK_NEXT                                                                                 \
  do {                                                                                             \
    TOVIK_FETCH();                                                                                 \
    goto* handlers[handler_index[op]];                                                             \
  } while (false)
byte_fetch:
  TOVIK_NEXT;
  {
    {
#else
#define TOVIK_CASE(name) case Op::name
#define TOVIK_DEFAULT default
#define TOVIK_NEXT break
#define TOVIK_FALLTHROUGH [[fallthrough]]
  for (;;) {
  byte_fetch:
    TOVIK_FETCH();
    switch (static_cast<Op>(op)) {
#endif
      TOVIK_CASE(push) : values.push(read_f64(at), step_);
      pc += length_of<Op::push>;
      TOVIK_NEXT;
      TOVIK_CASE(call)
          : TOVIK_CASE(call_n)
          : TOVIK_CASE(call_args)
          : TOVIK_CASE(call_pop) : if ((r = call_object(op, pc)) != keep_going) return r;
      code = code_;
      size = size_;
      TOVIK_RESUME;
      TOVIK_CASE(args) : push_arguments();
      pc += length_of<Op::args>;
      TOVIK_NEXT;
      TOVIK_CASE(args_range) : push_argument_range();
      pc += length_of<Op::args_range>;
      TOVIK_NEXT;
      TOVIK_CASE(init_args) : m_.groups.push(-1, step_);
      m_.groups.push(read_i32(at), step_);
      pc += length_of<Op::init_args>;
      TOVIK_NEXT;
      TOVIK_CASE(oper) : {
        double result;
        if (values.count >= 2) [[likely]] {
          // Both operands are there: the result takes the left one's place, as pop, pop and push
          // would leave it.
          double* left = values.data() + values.count - 2;
          std::uint8_t status = binary_operator(*at, left[0], left[1], result);
          values.count -= 2;
          if (status != operator_ok) return run_oper_unknown;
          left[0] = result;
          values.count += 1;
        } else {
          double right = values.pop();
          double left = values.pop();
          if (binary_operator(*at, left, right, result) != operator_ok) return run_oper_unknown;
          values.push(result, step_);
        }
        pc += length_of<Op::oper>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(ret) : if ((r = do_return(pc)) != keep_going) return r;
      code = code_;
      size = size_;
      TOVIK_RESUME;
      TOVIK_CASE(stdo_pop) : if ((r = standard_popped(*at)) != keep_going) return r;
      pc += length_of<Op::stdo_pop>;
      TOVIK_NEXT;
      TOVIK_CASE(set) : TOVIK_CASE(set_pop) : if ((r = set_global(op, pc)) != keep_going) return r;
      TOVIK_NEXT;
      TOVIK_CASE(func) : if ((r = define_function(pc)) != keep_going) return r;
      TOVIK_NEXT;
      TOVIK_CASE(del) : if ((r = delete_object(pc)) != keep_going) return r;
      TOVIK_NEXT;
      TOVIK_CASE(run) : if ((r = run_line(pc)) != keep_going) return r;
      TOVIK_NEXT;
      TOVIK_CASE(print_text) : if ((r = print_text(pc)) != keep_going) return r;
      TOVIK_NEXT;
      TOVIK_CASE(print_top) : std::fprintf(ctx_.out, " %g ", values.peek());
      pc += length_of<Op::print_top>;
      TOVIK_NEXT;
      TOVIK_CASE(pop) : values.pop();
      pc += length_of<Op::pop>;
      TOVIK_NEXT;
      TOVIK_CASE(set_local_pop) : TOVIK_CASE(get_local_pop) : {
        std::uint32_t index = 0, slot = 0;
        bool found = to_count(values.pop(), index) && local_slot(index, slot);
        op == byte_of(Op::set_local_pop) ? set_slot(found, slot) : get_slot(found, slot);
        pc += length_of<Op::get_local_pop>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(jifn) : if (values.pop() != 0) {
        pc += length_of<Op::jifn>;
        TOVIK_NEXT;
      }
      TOVIK_FALLTHROUGH;
      TOVIK_CASE(jump) : if (!jump(pc, size, read_i32(at))) return run_left_block;
      TOVIK_RESUME;
      TOVIK_CASE(goto_reserved)
          : // Reserved: only its opcode is stepped over, whatever its operand bytes hold.
            pc += 1;
      TOVIK_NEXT;
      TOVIK_CASE(set_local) : TOVIK_CASE(get_local) : {
        std::uint32_t slot = 0;
        bool found = local_slot(std::uint32_t(read_i32(at)), slot);
        op == byte_of(Op::set_local) ? set_slot(found, slot) : get_slot(found, slot);
        pc += length_of<Op::get_local>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(set_arg) : {
        std::uint32_t slot = 0;
        bool found = arg_slot(std::uint32_t(read_i32(at)), slot);
        set_slot(found, slot);
        pc += length_of<Op::set_arg>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(set_arg_pop) : TOVIK_CASE(arg_pop) : {
        std::uint32_t index = 0, slot = 0;
        bool found = to_count(values.pop(), index) && arg_slot(index, slot);
        op == byte_of(Op::set_arg_pop) ? set_slot(found, slot) : get_slot(found, slot);
        pc += length_of<Op::arg_pop>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(arg) : {
        std::uint32_t slot = 0;
        bool found = arg_slot(std::uint32_t(read_i32(at)), slot);
        get_slot(found, slot);
        pc += length_of<Op::arg>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(uopr) : if (*at != 0) {
        double result;
        if (unary_operator(*at, values.pop(), result) != operator_ok) return run_uopr_unknown;
        values.push(result, step_);
      }
      pc += length_of<Op::uopr>;
      TOVIK_NEXT;
      TOVIK_CASE(push_argn) : values.push(double(m_.argn), step_);
      pc += length_of<Op::push_argn>;
      TOVIK_NEXT;
      TOVIK_CASE(init_locals)
          : if ((r = init_locals(std::uint32_t(read_i32(at)), run_init_locals_twice,
                                 run_init_locals_no_room)) != keep_going) return r;
      pc += length_of<Op::init_locals>;
      TOVIK_NEXT;
      TOVIK_CASE(init_locals_pop) : if ((r = init_locals_popped()) != keep_going) return r;
      pc += length_of<Op::init_locals_pop>;
      TOVIK_NEXT;
      TOVIK_CASE(print_char) : print_char();
      pc += length_of<Op::print_char>;
      TOVIK_NEXT;
      TOVIK_CASE(stdo)
          : if ((r = standard(*at, 0, {run_stdo_unknown, run_stdo_rnd_arguments})) !=
                keep_going) return r;
      pc += length_of<Op::stdo>;
      TOVIK_NEXT;
      TOVIK_CASE(stdo_n) : {
        auto n = std::uint32_t(read_i32(at + 1));
        if (values.count < n) return run_stdo_n_too_few;
        if ((r = standard(*at, n, {run_stdo_n_unknown, run_stdo_n_rnd_arguments})) != keep_going)
          return r;
        pc += length_of<Op::stdo_n>;
        TOVIK_NEXT;
      }
      TOVIK_CASE(stdo_args) : if ((r = standard_with_total(*at)) != keep_going) return r;
      pc += length_of<Op::stdo_args>;
      TOVIK_NEXT;
      TOVIK_CASE(read) : read_line_number();
      pc += length_of<Op::read>;
      TOVIK_NEXT;
      TOVIK_CASE(main_n)
          : TOVIK_CASE(main_pop)
          : TOVIK_CASE(main_args) : if ((r = call_inline(op, pc)) != keep_going) return r;
      TOVIK_NEXT;
      TOVIK_CASE(new_thread)
          : TOVIK_CASE(send)
          : TOVIK_CASE(read_message)
          : TOVIK_CASE(sleep)
          : TOVIK_CASE(sleep_me)
          : TOVIK_CASE(wake_up)
          : TOVIK_CASE(kill)
          : TOVIK_CASE(kill_me)
          : TOVIK_CASE(return_pop)
          : TOVIK_CASE(send_id)
          : TOVIK_CASE(send_id_pop)
          : TOVIK_CASE(send_pop)
          : TOVIK_CASE(sleep_pop)
          : TOVIK_CASE(wake_up_pop)
          : TOVIK_CASE(kill_pop)
          : TOVIK_DEFAULT :
          // The thread group is handed off whatever its low nibble.
          if ((op >> 4) == 7) return thread_handoff(ctx_);
      return unknown_opcode_result(op);
    }
  }

  // The translated form. Its steps check only what validation could not prove: the key poll
  // (a fused step is taken only when no poll falls inside it), room on Stack 1 (only when no
  // push has to grow it) and the frame's slots; otherwise the byte runner does the instruction.
translated:
#if TOVIK_THREADED_DISPATCH
#define TOVIK_FUSED_LABEL(tail, b, oper) &&step_fused_##tail##_##b##_##oper,
  static const void* const steps[] = {
      &&step_byte_path, &&step_jump,      &&step_push,      &&step_pop,
      &&step_arg,       &&step_get_local, &&step_set_local, &&step_oper,
      &&step_jifn,      &&step_ret,       &&step_call,      TOVIK_FUSED_STEPS(TOVIK_FUSED_LABEL)};
#undef TOVIK_FUSED_LABEL
  static_assert(std::size(steps) == step_kinds);
  // Every step jumps to the next one itself, so that the processor predicts each jump per step.
#define TOVIK_NEXT_STEP goto* steps[std::uint8_t(s->kind)]
  TOVIK_NEXT_STEP;
#define TOVIK_STEP(kind) step_##kind
#else
#define TOVIK_NEXT_STEP goto translated
#define TOVIK_STEP(kind) case StepKind::kind
  switch (s->kind) {
#endif
  TOVIK_STEP(byte_path) : pc = s->pc;
  goto byte_fetch;
  TOVIK_STEP(jump) : TOVIK_POLL();
  s += s->jump;
  goto translated;
  // The constant is read from the block: a plain variable's block is overwritten in place.
  TOVIK_STEP(push) : TOVIK_POLL();
  values.push(read_f64(code + s->pc + 1), step_);
  ++s;
  goto translated;
  TOVIK_STEP(pop) : TOVIK_POLL();
  values.pop();
  ++s;
  goto translated;
  TOVIK_STEP(arg) : TOVIK_STEP(get_local) : TOVIK_STEP(set_local) : {
    TOVIK_POLL();
    std::uint32_t slot = 0;
    bool found = s->kind == StepKind::arg ? arg_slot(s->a, slot) : local_slot(s->a, slot);
    s->kind == StepKind::set_local ? set_slot(found, slot) : get_slot(found, slot);
    ++s;
    goto translated;
  }
  TOVIK_STEP(oper) : {
    // With fewer than two values the byte runner pops, counts the errors and pushes.
    if (values.count < 2) {
      pc = s->pc;
      goto byte_fetch;
    }
    TOVIK_POLL();
    double* left = values.data() + values.count - 2;
    binary_operator(s->oper, left[0], left[1], left[0]);
    values.count -= 1;
    ++s;
    goto translated;
  }
  TOVIK_STEP(jifn) : TOVIK_POLL();
  s += values.pop() != 0 ? 1 : s->jump;
  goto translated;
  TOVIK_STEP(ret) : TOVIK_POLL();
  if (return_cached(s)) goto switched;
  if ((r = do_return(pc)) != keep_going) return r;
  goto resume;
  TOVIK_STEP(call) : TOVIK_POLL();
  if (call_cached(s)) goto switched;
  pc = s->pc;
  if ((r = call_object(s->oper, pc)) != keep_going) return r;
resume: // at pc after a call or return, in whichever form has it
  code = code_;
  size = size_;
  if (!enter_translation(pc, s)) goto byte_fetch;
  goto translated;
switched: // to the step that a cached call or return found
  code = code_;
  size = size_;
  goto translated;
  // A fused step that cannot be taken whole is done by the byte runner, instruction by
  // instruction.
#define TOVIK_SECOND_k false
#define TOVIK_SECOND_slot true
#define TOVIK_FUSED_HANDLER(tail, b, oper)                                                         \
  TOVIK_STEP(fused_##tail##_##b##_##oper)                                                          \
      : if (const Step* next =                                                                     \
                fused_step<FusedTail::tail, TOVIK_SECOND_##b, FusedOper::oper>(s, countdown)) {    \
    s = next;                                                                                      \
    TOVIK_NEXT_STEP;                                                                               \
  }                                                                                                \
  pc = s->pc;                                                                                      \
  goto byte_fetch;
  TOVIK_FUSED_STEPS(TOVIK_FUSED_HANDLER)
#undef TOVIK_FUSED_HANDLER
#undef TOVIK_SECOND_k
#undef TOVIK_SECOND_slot
#if !TOVIK_THREADED_DISPATCH
}
return unknown_opcode_result(0xFF);
#endif
#undef TOVIK_STEP
#undef TOVIK_NEXT_STEP
#undef TOVIK_POLL
#undef TOVIK_RESUME
#undef TOVIK_FETCH
#undef TOVIK_CASE
#undef TOVIK_DEFAULT
#undef TOVIK_NEXT
#undef TOVIK_FALLTHROUGH
}

bool Dispatch::read_name(std::uint32_t from, std::string_view& name, std::uint32_t& after) const {
  if (!zero_ended_at(code_, size_, from, name)) return false;
  after = from + std::uint32_t(name.size()) + 1;
  return true;
}

} // namespace tovik::runner
