// Calls of global objects, inline calls, returns and argument totals.

#include "code/opcodes.h"
#include "context/context.h"
#include "runner/dispatch.h"
#include "runner/integer.h"
#include "runner/run_result.h"
#include "runner/trace.h"

#include <cstring>
#include <limits>
#include <new>

namespace tovik::runner {

namespace {

// Codes per call form: unknown object while breaking, too few values on Stack 1.
std::int32_t unknown_code(std::uint8_t op) {
  switch (static_cast<Op>(op)) {
  case Op::call: return run_call_unknown;
  case Op::call_n: return run_call_n_unknown;
  case Op::call_args: return run_call_args_unknown;
  default: return run_call_pop_unknown;
  }
}

std::int32_t too_few_code(std::uint8_t op) {
  switch (static_cast<Op>(op)) {
  case Op::call_n: return run_call_n_too_few;
  case Op::call_args: return run_call_args_too_few;
  default: return run_call_pop_too_few;
  }
}

} // namespace

std::int32_t Dispatch::call_object(std::uint8_t op, std::uint32_t& pc) {
  std::uint64_t changes = ctx_.objects.changes();
  CallSite& site = call_site(pc);
  if (site.code != code_ || site.pc != pc || site.changes != changes) {
    std::string_view name;
    std::uint32_t next = 0;
    if (!read_name(pc + 1, name, next)) return run_left_block;
    std::int32_t fixed = 0;
    if (op == byte_of(Op::call_n)) {
      if (size_ - next < 4) return run_left_block;
      fixed = read_i32(code_ + next);
      next += 4;
    }
    const objects::GlobalObject* object = ctx_.objects.find(name);
    if (!object || !object->code) {
      pc = next;
      return call_unknown(op, name, fixed);
    }
    const Translation* translation = nullptr;
    if (use_translation && !trace_enabled && object->code->size() <= max_block_size)
      translation = cached_translation(object->code);
    std::uint32_t first = translation ? translation->step_of(0) : no_step;
    site = {code_,
            pc,
            next,
            fixed,
            changes,
            object,
            translation,
            first == no_step ? nullptr : translation->steps.data() + first,
            object->code->data(),
            block_size(*object->code)};
  }
  std::uint32_t next = site.next;
  std::int32_t fixed = site.fixed;
  if (!push_frame(next, false)) return run_frame_push_failed;
  std::uint32_t count = 0;
  if (std::int32_t r = call_count(op, fixed, count); r != keep_going) return r;
  if (m_.values.count < count) return too_few_code(op);
  enter_frame(count);
  enter_block(site);
  pc = 0;
  return keep_going;
}

// An unknown name warns, stops, or stands for the error value in place of its arguments.
std::int32_t Dispatch::call_unknown(std::uint8_t op, std::string_view name, std::int32_t fixed) {
  if (ctx_.settings.unknown_warns)
    std::fprintf(ctx_.out, "ZORVA | Unknown object: %.*s.\n", int(name.size()), name.data());
  if (ctx_.settings.unknown_breaks) return unknown_code(op);
  std::uint32_t count = 0;
  if (std::int32_t r = call_count(op, fixed, count); r != keep_going) return r;
  if (m_.values.count < count) return too_few_code(op);
  m_.values.drop(count);
  m_.values.push(lang::error_value(), step_);
  return keep_going;
}

std::int32_t Dispatch::call_count(std::uint8_t op, std::int32_t fixed, std::uint32_t& count) {
  switch (static_cast<Op>(op)) {
  case Op::call: count = 0; return keep_going;
  case Op::call_n: count = std::uint32_t(fixed); return keep_going;
  case Op::call_args: return argument_total(run_call_args_no_group, count);
  default: return to_count(m_.values.pop(), count) ? keep_going : run_call_pop_bad_count;
  }
}

std::int32_t Dispatch::call_inline(std::uint8_t op, std::uint32_t& pc) {
  const std::uint8_t* at = code_ + pc + 1;
  std::uint32_t count = 0;
  std::int32_t displacement = 0;
  std::uint32_t length = length_of<Op::main_pop>;
  if (op == byte_of(Op::main_n)) {
    count = std::uint32_t(read_i32(at));
    displacement = read_i32(at + 4);
    length = length_of<Op::main_n>;
  } else {
    displacement = read_i32(at);
    if (op == byte_of(Op::main_pop) && !to_count(m_.values.pop(), count))
      return run_main_pop_bad_count;
  }
  if (!push_frame(std::int64_t(pc) + displacement, true)) return run_frame_push_failed;
  if (op == byte_of(Op::main_args))
    if (std::int32_t r = argument_total(run_main_args_no_group, count); r != keep_going) return r;
  if (m_.values.count < count)
    return op == byte_of(Op::main_n)     ? run_main_n_too_few
           : op == byte_of(Op::main_pop) ? run_main_pop_too_few
                                         : run_main_args_too_few;
  enter_frame(count);
  pc += length;
  return keep_going;
}

// A frame goes on stack 3 whole or not at all: room for its four entries is made first. Its
// record takes over the current block's pin; an inline call stays in the block, so the block
// keeps its pin too.
bool Dispatch::push_frame(std::int64_t return_position, bool inline_call) {
  Stack<std::int32_t>& frames = m_.frames;
  if (!frames.make_room(frame_entries, step_)) {
    ++frames.errors;
    return false;
  }
  try {
    frame_records_.push_back(
        {code_, size_, translation_, object_, inline_call ? keep_ : std::move(keep_)});
  } catch (const std::bad_alloc&) {
    ++frames.errors;
    return false;
  }
  // A position outside the block is kept as one that the next fetch refuses.
  bool inside = return_position >= 0 && return_position <= std::int64_t(max_block_size);
  store_frame(inside ? std::int32_t(return_position) : -1);
  return true;
}

void Dispatch::pin_blocks() {
  if (!keep_ && object_) keep_ = object_->code;
  for (std::size_t i = pinned_; i < frame_records_.size(); ++i) {
    FrameRecord& record = frame_records_[i];
    if (!record.pin && record.object) record.pin = record.object->code;
  }
  pinned_ = frame_records_.size();
}

std::int32_t Dispatch::do_return(std::uint32_t& pc) {
  if (!drop_frame_slots()) return run_return_stack_empty;
  Stack<std::int32_t>& frames = m_.frames;
  if (frames.count < frame_entries)
    return frames.count == 0 && m_.error_sum() == 0 ? run_ok : run_stack_errors;
  pc = pop_frame();
  return keep_going;
}

const Translation* Dispatch::current_translation() {
  if (!use_translation || trace_enabled) return nullptr;
  if (keep_) return cached_translation(keep_);
  if (object_) return cached_translation(object_->code);
  if (!top_translation_) top_translation_ = std::make_unique<Translation>(translate(top_));
  return top_translation_.get();
}

// Adds up the groups on Stack 2 down to the nearest marker, which is consumed.
std::int32_t Dispatch::argument_total(std::int32_t empty_code, std::uint32_t& total) {
  Stack<std::int32_t>& groups = m_.groups;
  std::int64_t sum = 0;
  for (;;) {
    if (groups.count == 0) return empty_code;
    std::int32_t group = groups.pop();
    if (group == -1) break;
    sum += group;
  }
  // A total no stack could hold (or a negative one from hand-made groups) is too many values.
  total = sum >= 0 && sum <= std::numeric_limits<std::uint32_t>::max()
              ? std::uint32_t(sum)
              : std::numeric_limits<std::uint32_t>::max();
  return keep_going;
}

} // namespace tovik::runner
