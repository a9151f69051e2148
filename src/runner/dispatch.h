#pragma once
// The runner's working parts, shared by the files of the dispatch loop. Hot state (position,
// current block) lives in locals of the loop; the instruction helpers below get and return it
// explicitly and report either `keep_going` or the run result code that ends the run.

#include "code/code_block.h"
#include "code/opcodes.h"
#include "context/context.h"
#include "context/machine_state.h"
#include "runner/run_result.h"
#include "runner/translate.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace tovik::objects {
struct GlobalObject;
}

namespace tovik::runner {

inline constexpr std::int32_t keep_going = -1;

// The entries of one call frame on stack 3.
inline constexpr std::uint32_t frame_entries = 4;

// Instructions between two looks at the keyboard. The poll reads the clock once; the first
// instruction of every run is polled.
inline constexpr std::uint32_t poll_interval = 256;

// Runs suspended in RUN instructions at most; each holds a console line on the process stack.
inline constexpr std::uint32_t max_run_depth = 32;

// The results of one form of standard-object call whose object refuses: an unknown object code,
// or RND given arguments.
struct StandardFailures {
  std::int32_t unknown;
  std::int32_t rnd_arguments;
};

// What a call instruction decoded and found, kept for its call site (block and position) while
// the object table stays unchanged, so that a repeated call neither scans its name nor looks
// it up again.
struct CallSite {
  const std::uint8_t* code = nullptr;
  std::uint32_t pc = 0;
  std::uint32_t next = 0; // position after the operands
  std::int32_t fixed = 0; // the argument count of a call with a fixed count
  std::uint64_t changes = 0;
  const objects::GlobalObject* object = nullptr;
  const Translation* translation = nullptr;
  const Step* first = nullptr;         // the translation's step at position 0, if any
  const std::uint8_t* block = nullptr; // the object's block
  std::uint32_t size = 0;
};

// A block too large to address is run as an empty one: its first fetch leaves it.
inline std::uint32_t block_size(const CodeBlock& block) {
  return block.size() <= max_block_size ? std::uint32_t(block.size()) : 0;
}

// What a call frame returns into, beside its four entries on stack 3. The block is held alive
// (`pin`) only once an instruction that can change the object table runs: until then the table
// still holds it through `object`, so calls and returns copy no shared pointer.
struct FrameRecord {
  const std::uint8_t* code = nullptr;
  std::uint32_t size = 0;
  const Translation* translation = nullptr;
  const objects::GlobalObject* object = nullptr; // null: the run's own block
  CodeRef pin;
  const Step* resume = nullptr; // the step at the return position, when the call knew it
};

// Call sites remembered per run; sites that share a slot only displace each other.
inline constexpr std::uint32_t call_site_slots = 64;

class Dispatch {
public:
  Dispatch(Context& ctx, std::span<const std::uint8_t> block, CodeRef keep);
  std::int32_t run();

private:
  // calls.cpp
  std::int32_t call_object(std::uint8_t op, std::uint32_t& pc);
  std::int32_t call_unknown(std::uint8_t op, std::string_view name, std::int32_t fixed);
  std::int32_t call_count(std::uint8_t op, std::int32_t fixed, std::uint32_t& count);
  std::int32_t call_inline(std::uint8_t op, std::uint32_t& pc);
  std::int32_t do_return(std::uint32_t& pc);
  // The call and return of translated steps when nothing can fail or grow inside them; false
  // (and nothing done) otherwise, and the general path does the instruction.
  bool call_cached(const Step*& s);
  bool return_cached(const Step*& s);
  CallSite& call_site(std::uint32_t pc) {
    return call_sites_[(pc ^ std::uint32_t(std::uintptr_t(code_) >> 4)) % call_site_slots];
  }
  // Removes the frame's arguments and locals below its results; false when code popped below
  // them.
  bool drop_frame_slots();
  // Takes the top frame off stack 3 and goes back to its block; returns the return position.
  std::uint32_t pop_frame();
  bool push_frame(std::int64_t return_position, bool inline_call);
  // Writes a frame on stack 3, which has room for it.
  void store_frame(std::int32_t return_position);
  void enter_frame(std::uint32_t count) {
    m_.argn = count;
    m_.home = m_.values.count - count;
    m_.locals = 0;
  }
  // The callee's block is not pinned: the table holds it until an instruction could change that.
  void enter_block(const CallSite& site) {
    object_ = site.object;
    translation_ = site.translation;
    code_ = site.block;
    size_ = site.size;
  }
  // Holds every block a frame runs in before the object table can change under them.
  void pin_blocks();
  // Looks up the current block's translation (made on the first look) and the step at pc.
  bool enter_translation(std::uint32_t pc, const Step*& step);
  const Translation* current_translation();
  // A fused step done whole: the step to go on at, or null when the byte runner must do it.
  template <FusedTail tail, bool b_slot, FusedOper oper>
  const Step* fused_step(const Step* s, std::uint32_t& countdown);
  std::int32_t argument_total(std::int32_t empty_code, std::uint32_t& total);

  // frame_slots.cpp
  void push_arguments();
  void push_argument_range();
  // The slot helpers are inline (below the class): every variable access of a loop runs them.
  bool arg_slot(std::uint32_t i, std::uint32_t& slot) const;
  bool local_slot(std::uint32_t i, std::uint32_t& slot) const;
  void get_slot(bool found, std::uint32_t slot);
  void set_slot(bool found, std::uint32_t slot);
  std::int32_t init_locals(std::uint32_t n, std::int32_t twice_code, std::int32_t no_room_code);
  std::int32_t init_locals_popped();

  // effects.cpp
  std::int32_t standard(std::uint8_t code, std::uint32_t n, StandardFailures failures);
  std::int32_t standard_popped(std::uint8_t code);
  std::int32_t standard_with_total(std::uint8_t code);
  std::int32_t set_global(std::uint8_t op, std::uint32_t& pc);
  std::int32_t define_function(std::uint32_t& pc);
  std::int32_t delete_object(std::uint32_t& pc);
  std::int32_t print_text(std::uint32_t& pc);
  std::int32_t run_line(std::uint32_t& pc);
  void print_char();
  void read_line_number();

  // A zero-ended operand at `from`; false when the block ends before its zero byte.
  bool read_name(std::uint32_t from, std::string_view& name, std::uint32_t& after) const;

  Context& ctx_;
  MachineState& m_;
  std::span<const std::uint8_t> top_;
  CodeRef top_keep_; // the run's own block, when the run holds it
  // The object whose block runs (null: the run's own block) and, once pinned, the block itself.
  const objects::GlobalObject* object_ = nullptr;
  CodeRef keep_;
  const std::uint8_t* code_;
  std::uint32_t size_;
  std::uint32_t step_;
  std::array<CallSite, call_site_slots> call_sites_{};
  const Translation* translation_ = nullptr; // of the current block; null until looked up
  std::unique_ptr<Translation> top_translation_;
  std::vector<FrameRecord> frame_records_; // one per complete frame on stack 3
  std::size_t pinned_ = 0;                 // records below this index are pinned
};

// A slot is in range when its index is below argn (or locals) and the slot is still on Stack 1.
[[gnu::always_inline]] inline bool Dispatch::arg_slot(std::uint32_t i, std::uint32_t& slot) const {
  std::uint64_t at = std::uint64_t(m_.home) + i;
  if (i >= m_.argn || at >= m_.values.count) return false;
  slot = std::uint32_t(at);
  return true;
}

[[gnu::always_inline]] inline bool Dispatch::local_slot(std::uint32_t i,
                                                        std::uint32_t& slot) const {
  std::uint64_t at = std::uint64_t(m_.locals_base) + i;
  if (i >= m_.locals || at >= m_.values.count) return false;
  slot = std::uint32_t(at);
  return true;
}

[[gnu::always_inline]] inline bool Dispatch::enter_translation(std::uint32_t pc,
                                                               const Step*& step) {
  if (!translation_ && !(translation_ = current_translation())) return false;
  std::uint32_t index = translation_->step_of(pc);
  if (index == no_step) return false;
  step = translation_->steps.data() + index;
  return true;
}

// A frame is where to return, then the caller's home, argument count and locals.
[[gnu::always_inline]] inline void Dispatch::store_frame(std::int32_t return_position) {
  Stack<std::int32_t>& frames = m_.frames;
  std::int32_t* top = frames.data() + frames.count;
  top[0] = return_position;
  top[1] = std::int32_t(m_.home);
  top[2] = std::int32_t(m_.argn);
  top[3] = std::int32_t(m_.locals);
  frames.count += frame_entries;
}

[[gnu::always_inline]] inline bool Dispatch::call_cached(const Step*& s) {
  CallSite& site = call_site(s->pc);
  if (site.code != code_ || site.pc != s->pc || site.changes != ctx_.objects.changes() ||
      !site.first)
    return false;
  // Only the forms whose argument count the site knows; the others take values from the stacks.
  std::uint32_t count = 0;
  if (s->oper == byte_of(Op::call_n))
    count = std::uint32_t(site.fixed);
  else if (s->oper != byte_of(Op::call))
    return false;
  Stack<std::int32_t>& frames = m_.frames;
  if (frames.count + frame_entries > frames.capacity || m_.values.count < count ||
      frame_records_.size() == frame_records_.capacity())
    return false;
  frame_records_.push_back({code_, size_, translation_, object_, std::move(keep_), s + 1});
  store_frame(std::int32_t(site.next));
  enter_frame(count);
  enter_block(site);
  s = site.first;
  return true;
}

[[gnu::always_inline]] inline bool Dispatch::drop_frame_slots() {
  Stack<double>& values = m_.values;
  std::uint64_t n = std::uint64_t(m_.argn) + m_.locals;
  if (std::uint64_t(m_.home) + n > values.count) return false;
  if (n > 0) {
    // The results move down over the frame's slots (usually one value).
    double* base = values.data() + m_.home;
    std::uint32_t results = values.count - m_.home - std::uint32_t(n);
    for (std::uint32_t i = 0; i < results; ++i) base[i] = base[i + n];
    values.count -= std::uint32_t(n);
  }
  return true;
}

[[gnu::always_inline]] inline std::uint32_t Dispatch::pop_frame() {
  Stack<std::int32_t>& frames = m_.frames;
  frames.count -= frame_entries;
  const std::int32_t* top = frames.data() + frames.count;
  m_.home = std::uint32_t(top[1]);
  m_.argn = std::uint32_t(top[2]);
  m_.locals = std::uint32_t(top[3]);
  m_.locals_base = m_.home + m_.argn;
  if (frame_records_.empty()) {
    // No record (a stack hand-made elsewhere): back to the run's own block.
    object_ = nullptr;
    keep_.reset();
    translation_ = nullptr;
    code_ = top_.data();
    size_ = std::uint32_t(top_.size());
    return std::uint32_t(top[0]);
  }
  FrameRecord& record = frame_records_.back();
  code_ = record.code;
  size_ = record.size;
  translation_ = record.translation;
  object_ = record.object;
  keep_ = std::move(record.pin);
  frame_records_.pop_back();
  pinned_ = std::min(pinned_, frame_records_.size());
  return std::uint32_t(top[0]);
}

[[gnu::always_inline]] inline bool Dispatch::return_cached(const Step*& s) {
  if (m_.frames.count < frame_entries || frame_records_.empty() || !frame_records_.back().resume ||
      !drop_frame_slots())
    return false;
  s = frame_records_.back().resume;
  pop_frame();
  return true;
}

[[gnu::always_inline]] inline void Dispatch::get_slot(bool found, std::uint32_t slot) {
  m_.values.push(found ? m_.values.data()[slot] : lang::error_value(), step_);
}

// The top value stays on Stack 1; a slot out of range replaces it by the error value.
[[gnu::always_inline]] inline void Dispatch::set_slot(bool found, std::uint32_t slot) {
  Stack<double>& values = m_.values;
  if (!found) {
    values.pop();
    values.push(lang::error_value(), step_);
    return;
  }
  values.data()[slot] = values.peek();
}

} // namespace tovik::runner
