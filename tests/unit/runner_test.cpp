#include "runner/run_code.h"

#include "compiler/run_value.h"
#include "console/console.h"
#include "lang/number.h"
#include "objects/global_object.h"
#include "runner/dispatch.h"
#include "runner/run_result.h"
#include "runner/translate.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace tovik;
using lang::error_value;
using lang::is_error_value;
using runner::Op;
using runner::testing::Code;

const double inf = std::numeric_limits<double>::infinity();

class RunnerTest : public ::testing::Test {
protected:
  std::int32_t run(const Code& code) { return runner::run_code(ctx(), code.bytes); }
  Context& ctx() { return t.ctx; }
  runner::MachineState& machine() { return t.ctx.machine; }
  std::string output() { return t.output(); }

  // Stack 1 from the bottom.
  std::vector<double> values() {
    auto& v = machine().values;
    return std::vector<double>(v.data(), v.data() + v.count);
  }
  std::vector<std::int32_t> groups() {
    auto& g = machine().groups;
    return std::vector<std::int32_t>(g.data(), g.data() + g.count);
  }
  void define(const char* name, const Code& body) {
    ASSERT_EQ(ctx().objects.define_object(name, body.shared(), std::string(name) + " 0"),
              objects::table_created);
  }
  void expect_error_values(std::vector<double> got, std::size_t from) {
    for (std::size_t i = from; i < got.size(); ++i)
      EXPECT_TRUE(is_error_value(got[i])) << "value " << i;
  }

  runner::testing::TestContext t;
};

// ---- Runs, results and the outermost RETURN

TEST_F(RunnerTest, ReturnAloneSucceedsWithNothingOnStack1) {
  EXPECT_EQ(run(Code().ret()), 0);
  EXPECT_TRUE(values().empty());
  double v = compiler::run_for_value(ctx(), Code().ret().bytes);
  EXPECT_TRUE(is_error_value(v));
  EXPECT_EQ(machine().values.errors, 1u);
}

TEST_F(RunnerTest, APlainVariableBlockRunsToItsValue) {
  Code block = Code().push(2.5).ret();
  EXPECT_EQ(block.size(), 10u);
  EXPECT_EQ(compiler::run_for_value(ctx(), block.bytes), 2.5);
  EXPECT_FALSE(machine().any_in_use());
}

TEST_F(RunnerTest, EmptyOrNullBlockIsNoCode) {
  EXPECT_EQ(runner::run_code(ctx(), std::span<const std::uint8_t>()), runner::run_no_code);
  EXPECT_EQ(runner::run_code(ctx(), runner::CodeRef()), runner::run_no_code);
}

TEST_F(RunnerTest, ARunResetsCountsAndRegistersButKeepsCapacity) {
  ASSERT_EQ(run(Code().push(1).push(2).op(Op::pop).op(Op::pop).op(Op::pop).ret()),
            runner::run_stack_errors);
  std::uint32_t capacity = machine().values.capacity;
  EXPECT_EQ(capacity, 1024u);
  EXPECT_EQ(run(Code().push(7).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{7});
  EXPECT_EQ(machine().values.errors, 0u);
  EXPECT_EQ(machine().values.capacity, capacity);
}

TEST_F(RunnerTest, StackErrorsTurnTheOutermostReturnInto48) {
  EXPECT_EQ(run(Code().op(Op::pop).op(Op::pop).op(Op::pop).push(1).ret()), 48);
  EXPECT_EQ(values(), std::vector<double>{1});
  EXPECT_EQ(machine().values.errors, 3u);
}

TEST_F(RunnerTest, RunForValuePrintsTheStopAndGivesTheErrorValue) {
  double v = compiler::run_for_value(ctx(), Code().op(Op::pop).push(1).ret().bytes);
  EXPECT_TRUE(is_error_value(v));
  EXPECT_EQ(output(), "ZORVA | Error 0x30. 1 stack error(s).\n");
}

// ---- Opcode bytes

TEST_F(RunnerTest, InvalidOperationsStopWithTheirGroupCode) {
  const std::pair<std::uint8_t, std::int32_t> cases[] = {
      {0x07, 0x200}, {0x0F, 0x200}, {0x17, 0x210}, {0x1F, 0x210}, {0x27, 0x220},
      {0x37, 0x230}, {0x47, 0x240}, {0x54, 0x250}, {0x5F, 0x250}, {0x63, 0x260},
      {0x6F, 0x260}, {0x80, 4},     {0xFF, 4},     {0x90, 4}};
  for (auto [op, code] : cases) EXPECT_EQ(run(Code().byte(op).ret()), code) << int(op);
}

TEST_F(RunnerTest, ReservedGotoIsAOneByteNoOp) {
  EXPECT_EQ(run(Code().push(3).op(Op::goto_reserved).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{3});
}

// ---- Untrusted blocks never make the runner read outside them

TEST_F(RunnerTest, CodeThatLeavesItsBlockStops) {
  const Code cases[] = {
      Code().push(1),                                             // no RETURN at the end
      Code().op(Op::push).byte(1).byte(2),                        // operand cut off
      Code().op(Op::call).byte('F'),                              // name without its zero byte
      Code().op(Op::call_n).zero_ended("F").byte(1),              // count cut off
      Code().with(Op::jump, 100).ret(),                           // jump past the end
      Code().ret().with(Op::jump, -2),                            // never reached: fine
      Code().push(0).with(Op::jifn, -10).ret(),                   // jump before the start
      Code().op(Op::func).zero_ended("F").i32(50).ret(),          // code length beyond the data
      Code().op(Op::func).zero_ended("F").i32(1).ret().byte('t'), // text without zero byte
      Code().op(Op::print_text).byte('x'),                        // text without zero byte
      Code().with(Op::init_locals, 1).op(Op::set_local),          // index cut off
  };
  const std::int32_t expected[] = {6, 6, 6, 6, 6, 0, 6, 6, 6, 6, 6};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(run(cases[i]), expected[i]) << "case " << i;
}

TEST_F(RunnerTest, AReturnPositionOutsideTheBlockStopsAtTheReturn) {
  Code code = Code().op(Op::main_n).i32(0).i32(1000).push(4).ret();
  EXPECT_EQ(run(code), runner::run_left_block);
  Code backwards = Code().op(Op::main_n).i32(0).i32(std::numeric_limits<std::int32_t>::min()).ret();
  EXPECT_EQ(run(backwards), runner::run_left_block);
}

// ---- Calls of global objects

TEST_F(RunnerTest, VariablesAreReadByCallingThem) {
  ctx().objects.set_value("X", 5);
  EXPECT_EQ(run(Code().with(Op::call, "X").with(Op::call, "X").code(Op::oper, 0).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{10});
}

TEST_F(RunnerTest, CallWithCountSeesItsArgumentsAndLeavesItsResult) {
  // F = arg0 - arg1; a third argument read is missing.
  define("F", Code().with(Op::arg, 0).with(Op::arg, 1).code(Op::oper, 1).with(Op::arg, 2).ret());
  EXPECT_EQ(run(Code().push(100).push(10).push(3).call_n("F", 2).ret()), 0);
  auto v = values();
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0], 100);
  EXPECT_EQ(v[1], 7);
  EXPECT_TRUE(is_error_value(v[2]));
  EXPECT_EQ(machine().frames.count, 0u);
}

TEST_F(RunnerTest, CallWithPoppedCount) {
  define("F", Code().op(Op::push_argn).ret());
  EXPECT_EQ(run(Code().push(1).push(2).push(2).with(Op::call_pop, "F").ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{2});
}

TEST_F(RunnerTest, CallFailuresStopWithTheirCodes) {
  define("F", Code().ret());
  EXPECT_EQ(run(Code().push(1).call_n("F", 2).ret()), 0x102);
  EXPECT_EQ(run(Code().push(-1).with(Op::call_pop, "F").ret()), 0x1112);
  EXPECT_EQ(run(Code().push(4294967296.0).with(Op::call_pop, "F").ret()), 0x1112);
  EXPECT_EQ(run(Code().push(1).push(5).with(Op::call_pop, "F").ret()), 0x1114);
  EXPECT_EQ(run(Code().with(Op::call_args, "F").ret()), 0x1032);
  EXPECT_EQ(run(Code().with(Op::init_args, 3).push(1).with(Op::call_args, "F").ret()), 0x1033);
  // Hand-made negative groups count as more values than there are.
  EXPECT_EQ(run(Code().with(Op::init_args, -5).with(Op::call_args, "F").ret()), 0x1033);
}

TEST_F(RunnerTest, CallWithArgsCountsGroupsDownToTheMarker) {
  define("F", Code().op(Op::push_argn).ret());
  // Outer frame of three arguments; INIT ARGS(2), two values, ARGS: F gets 2 + 3 arguments.
  Code body =
      Code().with(Op::init_args, 2).push(1).push(2).op(Op::args).with(Op::call_args, "F").ret();
  define("G", body);
  EXPECT_EQ(run(Code().push(7).push(8).push(9).call_n("G", 3).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{5});
  EXPECT_TRUE(groups().empty());
}

TEST_F(RunnerTest, UnknownObjectUnderDefaultsWarnsAndStops) {
  double v = compiler::run_for_value(ctx(), Code().with(Op::call, "NOPE").ret().bytes);
  EXPECT_TRUE(is_error_value(v));
  EXPECT_EQ(output(), "ZORVA | Unknown object: NOPE.\n"
                      "ZORVA | Error 0x101. Call object - unknown object.\n");
}

TEST_F(RunnerTest, UnknownObjectStopCodesPerCallForm) {
  EXPECT_EQ(run(Code().call_n("U", 0).ret()), 0x1020);
  EXPECT_EQ(run(Code().with(Op::call_args, "U").ret()), 0x1030);
  EXPECT_EQ(run(Code().push(0).with(Op::call_pop, "U").ret()), 0x1115);
  EXPECT_EQ(run(Code().with(Op::call, "").ret()), 0x101);
}

TEST_F(RunnerTest, UnknownObjectWithoutBreakStandsForTheErrorValue) {
  ctx().settings.unknown_breaks = false;
  EXPECT_EQ(run(Code().push(1).push(2).push(3).call_n("U", 2).ret()), 0);
  auto v = values();
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0], 1);
  EXPECT_TRUE(is_error_value(v[1]));
  EXPECT_EQ(output(), "ZORVA | Unknown object: U.\n");
  ctx().settings.unknown_warns = false;
  EXPECT_EQ(run(Code().push(1).call_n("U", 2).ret()), 0x102);
  EXPECT_EQ(run(Code().push(1).with(Op::call_pop, "U").ret()), 0x1114);
  EXPECT_EQ(output(), "");
}

TEST_F(RunnerTest, RunawayRecursionStopsWhenNoFrameCanBePushed) {
  machine().frames.limit = 4000;
  define("F", Code().with(Op::call, "F").ret());
  EXPECT_EQ(run(Code().with(Op::call, "F").ret()), runner::run_frame_push_failed);
  EXPECT_EQ(machine().frames.count, 4000u);
  EXPECT_EQ(machine().frames.count % 4, 0u);
  EXPECT_EQ(output(), "");
}

// ---- RETURN

TEST_F(RunnerTest, ReturnDropsArgumentsAndLocalsKeepingComputedValues) {
  define("F", Code().with(Op::init_locals, 2).push(10).push(20).ret());
  EXPECT_EQ(run(Code().push(1).push(2).push(3).call_n("F", 2).ret()), 0);
  EXPECT_EQ(values(), (std::vector<double>{1, 10, 20}));
}

TEST_F(RunnerTest, ReturnWithItsSlotsPoppedStops) {
  define("F", Code().op(Op::pop).op(Op::pop).op(Op::pop).ret());
  EXPECT_EQ(run(Code().push(1).push(2).call_n("F", 2).ret()), 0x112);
  // Slots popped from under the frame even when enough values are on Stack 1.
  define("G", Code().op(Op::pop).ret());
  EXPECT_EQ(run(Code().push(1).push(2).push(3).call_n("G", 1).ret()), 0x112);
  // A value pushed in place of a popped argument is dropped as that argument.
  define("H", Code().op(Op::pop).push(5).ret());
  EXPECT_EQ(run(Code().push(1).push(2).push(3).call_n("H", 1).ret()), 0);
  EXPECT_EQ(values(), (std::vector<double>{1, 2}));
}

// ---- Inline calls

TEST_F(RunnerTest, MainCallsTheBodyThatFollows) {
  // PUSH 3, PUSH 4, MAIN(2) to the RETURN after the body, body: ARG 0 + ARG 1, RETURN.
  Code code = Code().push(3).push(4).op(Op::main_n).i32(2).i32(9 + 5 + 5 + 2 + 1);
  code.with(Op::arg, 0).with(Op::arg, 1).code(Op::oper, 0).ret().ret();
  EXPECT_EQ(run(code), 0);
  EXPECT_EQ(values(), std::vector<double>{7});
}

TEST_F(RunnerTest, MainFailures) {
  EXPECT_EQ(run(Code().op(Op::main_n).i32(1).i32(9).ret()), 0x160);
  EXPECT_EQ(run(Code().push(inf).op(Op::main_pop).i32(5).ret()), 0x1611);
  EXPECT_EQ(run(Code().push(3).op(Op::main_pop).i32(5).ret()), 0x1613);
  EXPECT_EQ(run(Code().op(Op::main_args).i32(5).ret()), 0x1621);
  EXPECT_EQ(run(Code().with(Op::init_args, 2).op(Op::main_args).i32(5).ret()), 0x1622);
}

TEST_F(RunnerTest, MainWithPoppedCountAndArgumentTotal) {
  Code pop_form =
      Code().push(1).push(2).push(2).op(Op::main_pop).i32(7).op(Op::push_argn).ret().ret();
  EXPECT_EQ(run(pop_form), 0);
  EXPECT_EQ(values(), std::vector<double>{2});
  Code args_form = Code().with(Op::init_args, 1).push(1).op(Op::main_args).i32(7);
  args_form.op(Op::push_argn).ret().ret();
  EXPECT_EQ(run(args_form), 0);
  EXPECT_EQ(values(), std::vector<double>{1});
}

// ---- Argument groups

TEST_F(RunnerTest, ArgsInAFrameWithoutArgumentsPushesNothing) {
  EXPECT_EQ(run(Code().op(Op::args).ret()), 0);
  EXPECT_TRUE(values().empty());
  EXPECT_TRUE(groups().empty());
}

TEST_F(RunnerTest, ArgsRangePadsBeyondArgnWithErrorValues) {
  define("F", Code().push(1).push(4).op(Op::args_range).ret());
  EXPECT_EQ(run(Code().push(10).push(11).push(12).call_n("F", 3).ret()), 0);
  auto v = values();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0], 11);
  EXPECT_EQ(v[1], 12);
  expect_error_values(v, 2);
  EXPECT_EQ(groups(), std::vector<std::int32_t>{4});
}

TEST_F(RunnerTest, ArgsRangesThatCannotBeCountedPushNothing) {
  const double ranges[][2] = {{3, 1}, {0, 4294967295.0}, {-1, 2}, {0, inf}, {1, error_value()}};
  for (auto& r : ranges) {
    EXPECT_EQ(run(Code().push(r[0]).push(r[1]).op(Op::args_range).ret()), 0) << r[0] << " " << r[1];
    EXPECT_TRUE(values().empty());
    EXPECT_TRUE(groups().empty());
  }
}

TEST_F(RunnerTest, StandardObjectWithArgsSumsTheGroups) {
  define("F", Code().with(Op::init_args, 1).push(100).op(Op::args).code(Op::stdo_args, 1).ret());
  EXPECT_EQ(run(Code().push(1).push(2).call_n("F", 2).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{103});
}

// ---- Arguments and locals

TEST_F(RunnerTest, ArgumentsOutOfRangeAreMissing) {
  define("F", Code().with(Op::arg, -1).push(0).op(Op::arg_pop).push(7).op(Op::arg_pop).ret());
  EXPECT_EQ(run(Code().push(5).call_n("F", 1).ret()), 0);
  auto v = values();
  ASSERT_EQ(v.size(), 3u);
  EXPECT_TRUE(is_error_value(v[0]));
  EXPECT_EQ(v[1], 5);
  EXPECT_TRUE(is_error_value(v[2]));
}

TEST_F(RunnerTest, SetArgumentKeepsTheValueOnTop) {
  define("F", Code()
                  .push(9)
                  .with(Op::set_arg, 0)
                  .op(Op::pop)
                  .push(8)
                  .push(1)
                  .op(Op::set_arg_pop)
                  .op(Op::pop)
                  .with(Op::arg, 0)
                  .with(Op::arg, 1)
                  .code(Op::oper, 0)
                  .ret());
  EXPECT_EQ(run(Code().push(1).push(2).call_n("F", 2).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{17});
  define("G", Code().push(9).with(Op::set_arg, 3).ret());
  EXPECT_EQ(run(Code().push(1).call_n("G", 1).ret()), 0);
  expect_error_values(values(), 0);
  EXPECT_EQ(values().size(), 1u);
}

TEST_F(RunnerTest, LocalsStartAsMissingValues) {
  Code code = Code()
                  .with(Op::init_locals, 2)
                  .with(Op::get_local, 1)
                  .push(5)
                  .with(Op::set_local, 0)
                  .op(Op::pop)
                  .push(0)
                  .op(Op::get_local_pop)
                  .push(6)
                  .push(1)
                  .op(Op::set_local_pop)
                  .ret();
  EXPECT_EQ(run(code), 0);
  // The outermost RETURN drops the two locals from under the three values.
  auto v = values();
  ASSERT_EQ(v.size(), 3u);
  EXPECT_TRUE(is_error_value(v[0]));
  EXPECT_EQ(v[1], 5);
  EXPECT_EQ(v[2], 6);
}

TEST_F(RunnerTest, SetLocalOutOfRangeReplacesTheTopByTheErrorValue) {
  EXPECT_EQ(run(Code().with(Op::init_locals, 2).push(1).with(Op::set_local, 5).ret()), 0);
  auto v = values();
  ASSERT_EQ(v.size(), 1u);
  EXPECT_TRUE(is_error_value(v[0]));
}

TEST_F(RunnerTest, InitLocalsTwiceInOneFrameStops) {
  EXPECT_EQ(run(Code().with(Op::init_locals, 1).with(Op::init_locals, 1).ret()), 0x1440);
  EXPECT_EQ(run(Code().with(Op::init_locals, 1).push(1).op(Op::init_locals_pop).ret()), 0x1450);
  // A frame of its own may have locals again.
  define("F", Code().with(Op::init_locals, 3).push(1).ret());
  EXPECT_EQ(run(Code().with(Op::init_locals, 1).with(Op::call, "F").ret()), 0);
}

// Locals that Stack 1 has no room for stop the run: runaway recursion with large frames ends
// at once instead of running on with a full stack.
TEST_F(RunnerTest, HugeLocalCountsStopTheRun) {
  EXPECT_EQ(run(Code().with(Op::init_locals, -1).with(Op::get_local, 0).ret()), 0x1441);
  EXPECT_EQ(machine().values.errors, 0u);
  EXPECT_EQ(machine().locals, 0u);
  EXPECT_LT(machine().values.capacity, 1u << 20);
  EXPECT_EQ(run(Code().push(1e300).op(Op::init_locals_pop).ret()), 0x1451);
  EXPECT_EQ(run(Code().push(-1).op(Op::init_locals_pop).push(1).ret()), 0);
  EXPECT_EQ(run(Code().push(inf).op(Op::init_locals_pop).push(1).ret()), 0);
}

TEST_F(RunnerTest, ReservingGrowsToCountPlusSlotsPlusStep) {
  ctx().settings.stack_step = 10;
  EXPECT_EQ(run(Code().push(1).with(Op::init_locals, 9).ret()), 0);
  EXPECT_EQ(machine().values.capacity, 20u);
  EXPECT_EQ(run(Code().push(1).push(2).ret()), 0);
  EXPECT_EQ(machine().values.capacity, 20u);
}

TEST_F(RunnerTest, StacksGrowByTheStep) {
  ctx().settings.stack_step = 3;
  Code code;
  for (int i = 0; i < 7; ++i) code.push(i);
  EXPECT_EQ(run(code.ret()), 0);
  EXPECT_EQ(machine().values.capacity, 9u);
  EXPECT_EQ(machine().reserved_bytes(), 9u * 8);
}

TEST_F(RunnerTest, PushPastTheStackLimitCountsErrors) {
  machine().values.limit = 4;
  Code code;
  for (int i = 0; i < 6; ++i) code.push(i);
  EXPECT_EQ(run(code.ret()), 48);
  EXPECT_EQ(machine().values.count, 4u);
  EXPECT_EQ(machine().values.errors, 2u);
  EXPECT_EQ(machine().values.capacity, 4u);
}

// ---- Jumps

TEST_F(RunnerTest, JifnJumpsOnZeroAndNegativeZeroOnly) {
  auto jumped = [&](double c) {
    Code code = Code().push(c).with(Op::jifn, 5 + 9 + 1).push(1).ret().push(2).ret();
    EXPECT_EQ(run(code), 0);
    return values() == std::vector<double>{2};
  };
  EXPECT_TRUE(jumped(0));
  EXPECT_TRUE(jumped(-0.0));
  EXPECT_FALSE(jumped(error_value()));
  EXPECT_FALSE(jumped(std::bit_cast<double>(std::uint64_t(0x7FF8000000000001))));
  EXPECT_FALSE(jumped(1e-300));
}

TEST_F(RunnerTest, JifnToTheNextInstructionActsLikePop) {
  EXPECT_EQ(run(Code().push(1).push(0).with(Op::jifn, 5).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{1});
}

TEST_F(RunnerTest, BackwardJumpLoops) {
  // x = 3; while x: x = x - 1 (kept on Stack 1 by SET LOCAL).
  Code code = Code().with(Op::init_locals, 1).push(3).with(Op::set_local, 0).op(Op::pop);
  std::int32_t loop = std::int32_t(code.size());
  code.with(Op::get_local, 0).op(Op::print_top).with(Op::jifn, 5 + 5 + 9 + 2 + 5 + 1 + 5);
  code.with(Op::get_local, 0).push(1).code(Op::oper, 1).with(Op::set_local, 0).op(Op::pop);
  code.with(Op::jump, loop - std::int32_t(code.size())).push(42).ret();
  EXPECT_EQ(run(code), 0);
  EXPECT_EQ(values(), std::vector<double>{42});
  EXPECT_EQ(output(), " 3  2  1  0 ");
}

// ---- Keyboard break

bool always_waiting() { return true; }
int polls_before_key = 0;
bool waiting_later() { return --polls_before_key < 0; }
std::int64_t clock_reads = 0;
// A clock that moves on at every read, so that every poll looks at the keyboard.
std::int64_t ticking_clock() { return ++clock_reads; }

TEST_F(RunnerTest, AWaitingKeyStopsAtTheFirstInstruction) {
  ctx().key_waiting = always_waiting;
  EXPECT_EQ(run(Code().push(1).ret()), runner::run_broken);
  EXPECT_TRUE(values().empty());
}

TEST_F(RunnerTest, AnEndlessLoopStopsAtALaterPoll) {
  polls_before_key = 3;
  ctx().key_waiting = waiting_later;
  ctx().clock = ticking_clock;
  EXPECT_EQ(run(Code().with(Op::jump, 0)), runner::run_broken);
  EXPECT_EQ(polls_before_key, -1);
}

TEST_F(RunnerTest, TheClockIsReadOncePerPollNotPerInstruction) {
  ctx().clock = ticking_clock;
  clock_reads = 0;
  // Counts local 0 down from 1000: 4 + 1000 * 8 + 2 + 1 instructions.
  Code code = Code().with(Op::init_locals, 1).push(1000).with(Op::set_local, 0).op(Op::pop);
  std::int32_t loop = std::int32_t(code.size());
  code.with(Op::get_local, 0).with(Op::jifn, 5 + 5 + 9 + 2 + 5 + 1 + 5);
  code.with(Op::get_local, 0).push(1).code(Op::oper, 1).with(Op::set_local, 0).op(Op::pop);
  code.with(Op::jump, loop - std::int32_t(code.size())).ret();
  EXPECT_EQ(run(code), 0);
  const std::int64_t instructions = 4 + 1000 * 8 + 2 + 1;
  EXPECT_EQ(clock_reads, (instructions + runner::poll_interval - 1) / runner::poll_interval);
}

// ---- Operators and standard objects through the runner

TEST_F(RunnerTest, OperatorStopCodes) {
  EXPECT_EQ(run(Code().push(1).push(2).code(Op::oper, 0x07).ret()), 0x1101);
  EXPECT_EQ(run(Code().push(1).code(Op::uopr, 0x21).ret()), 0x1121);
  EXPECT_EQ(run(Code().code(Op::stdo, 9).ret()), 0x1501);
  EXPECT_EQ(run(Code().push(1).op(Op::stdo_n).byte(0).i32(1).ret()), 0x1514);
  EXPECT_EQ(run(Code().push(1).op(Op::stdo_n).byte(7).i32(1).ret()), 0x1511);
  EXPECT_EQ(run(Code().op(Op::stdo_n).byte(1).i32(1).ret()), 0x1510);
  EXPECT_EQ(run(Code().with(Op::init_args, 1).push(1).code(Op::stdo_args, 0).ret()), 0x1525);
  EXPECT_EQ(run(Code().with(Op::init_args, 0).code(Op::stdo_args, 5).ret()), 0x1522);
  EXPECT_EQ(run(Code().code(Op::stdo_args, 1).ret()), 0x1520);
  EXPECT_EQ(run(Code().with(Op::init_args, 2).code(Op::stdo_args, 1).ret()), 0x1521);
  EXPECT_EQ(run(Code().push(5).push(1).code(Op::stdo_pop, 0).ret()), 0x1136);
  EXPECT_EQ(run(Code().push(0).code(Op::stdo_pop, 3).ret()), 0x1133);
  EXPECT_EQ(run(Code().push(-2).code(Op::stdo_pop, 1).ret()), 0x1131);
  EXPECT_EQ(run(Code().push(2).code(Op::stdo_pop, 1).ret()), 0x1132);
}

TEST_F(RunnerTest, OperatorsTakeLeftThenRight) {
  EXPECT_EQ(run(Code().push(10).push(4).code(Op::oper, 1).push(2).code(Op::oper, 3).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{3});
  EXPECT_EQ(run(Code().push(5).code(Op::uopr, 0).code(Op::uopr, 1).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{-5});
}

TEST_F(RunnerTest, StandardObjectsWithCounts) {
  EXPECT_EQ(run(Code()
                    .push(1)
                    .push(2)
                    .push(3)
                    .op(Op::stdo_n)
                    .byte(2)
                    .i32(3)
                    .push(2)
                    .push(4)
                    .push(2)
                    .code(Op::stdo_pop, 1)
                    .ret()),
            0);
  EXPECT_EQ(values(), (std::vector<double>{2, 6}));
  EXPECT_EQ(run(Code().code(Op::stdo, 0).ret()), 0);
  ASSERT_EQ(values().size(), 1u);
  EXPECT_GE(values()[0], 0);
  EXPECT_LE(values()[0], 1);
}

TEST_F(RunnerTest, OperandsFromAnEmptyStackAreErrorValues) {
  EXPECT_EQ(run(Code().code(Op::oper, 0).ret()), 48);
  EXPECT_EQ(machine().values.errors, 2u);
  expect_error_values(values(), 0);
}

// ---- Global objects from code

TEST_F(RunnerTest, SetKeepsTheValueAndSetStarPopsIt) {
  EXPECT_EQ(run(Code().push(5).with(Op::set, "X").push(6).with(Op::set_pop, "Y").ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{5});
  EXPECT_EQ(objects::plain_block_value(*ctx().objects.find("X")->code), 5);
  EXPECT_EQ(objects::plain_block_value(*ctx().objects.find("Y")->code), 6);
  EXPECT_EQ(run(Code().push(error_value()).with(Op::set, "X").ret()), 0);
  EXPECT_EQ(ctx().objects.find("X"), nullptr);
  // A system name is refused by the table, which is no failure of SET.
  EXPECT_EQ(run(Code().push(1).with(Op::set, "PI").ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{1});
}

TEST_F(RunnerTest, FuncDefinesAFunctionAndDelRemovesIt) {
  Code body = Code().push(1).ret();
  EXPECT_EQ(run(Code().func("F", body, "F 1").with(Op::call, "F").ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{1});
  const objects::GlobalObject* f = ctx().objects.find("F");
  ASSERT_NE(f, nullptr);
  // "F 1" says no more than the plain value: F is a plain-valued variable.
  EXPECT_FALSE(f->text.has_value());
  EXPECT_EQ(objects::shown_text(*f), "F 1");
  EXPECT_EQ(*f->code, body.bytes);
  EXPECT_EQ(run(Code().with(Op::del, "F").with(Op::del, "G").ret()), 0);
  EXPECT_EQ(ctx().objects.find("F"), nullptr);
}

TEST_F(RunnerTest, FuncRefusedByTheTableStops) {
  EXPECT_EQ(run(Code().func("F", Code(), "F").ret()), 0x115);
  EXPECT_EQ(run(Code().func("F", Code().ret(), "").ret()), 0x115);
  EXPECT_EQ(run(Code().func("SIN", Code().ret(), "SIN").ret()), 0); // system name: no failure
}

// A function that replaces or deletes itself keeps running in its own block.
TEST_F(RunnerTest, AFunctionMayRedefineOrDeleteItselfWhileRunning) {
  Code redefine =
      Code().func("F", Code().push(99).ret(), "F 99").push(1).push(2).code(Op::oper, 0).ret();
  define("F", redefine);
  EXPECT_EQ(run(Code().with(Op::call, "F").with(Op::call, "F").ret()), 0);
  EXPECT_EQ(values(), (std::vector<double>{3, 99}));

  define("G", Code().with(Op::del, "G").push(5).with(Op::set, "G").op(Op::pop).push(7).ret());
  EXPECT_EQ(run(Code().with(Op::call, "G").ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{7});
  EXPECT_EQ(objects::plain_block_value(*ctx().objects.find("G")->code), 5);
}

// A call site run again sees the object as it is now: redefined, then deleted.
TEST_F(RunnerTest, ARepeatedCallSiteFollowsRedefinitionAndDeletion) {
  ctx().settings.unknown_breaks = false;
  ctx().settings.unknown_warns = false;
  Code second = Code().with(Op::del, "F").push(2).ret();
  define("F", Code().func("F", second, "F 2").push(1).ret());
  Code code = Code().push(1).push(0).push(0);
  std::int32_t loop = std::int32_t(code.size());
  code.with(Op::call, "F").op(Op::print_top).op(Op::pop);
  code.with(Op::jifn, loop - std::int32_t(code.size())).ret();
  EXPECT_EQ(run(code), 0);
  EXPECT_EQ(output(), " 1  2  -nan ");
  EXPECT_EQ(ctx().objects.find("F"), nullptr);
}

// ---- Console output

TEST_F(RunnerTest, PrintInstructions) {
  Code code = Code()
                  .with(Op::print_text, "a b%s\n")
                  .push(2.5)
                  .op(Op::print_top)
                  .push(65.9)
                  .op(Op::print_char)
                  .push(-190)
                  .op(Op::print_char)
                  .push(error_value())
                  .op(Op::print_char)
                  .ret();
  EXPECT_EQ(run(code), 0);
  EXPECT_EQ(output(), std::string("a b%s\n 2.5 AB") + '\0');
  EXPECT_EQ(values(), std::vector<double>{2.5});
}

// ---- Threads

TEST_F(RunnerTest, AThreadInstructionEndsTheRunWithItsFiveLines) {
  EXPECT_EQ(run(Code().push(1).push(2).with(Op::new_thread, "T").i32(0).ret()), 0);
  EXPECT_EQ(output(), "[new]\nWarning: commands 7x are not stable now.\nThis Part of code is not "
                      "completed now. Please wait for new version of Tovik.\n[del home 0/1]\n"
                      "[del]\n");
  EXPECT_TRUE(values().empty());
  EXPECT_EQ(machine().values.capacity, 1u);
  EXPECT_EQ(machine().reserved_bytes(), 16u);
}

TEST_F(RunnerTest, EveryByteOfTheThreadGroupHandsOff) {
  for (int op = 0x70; op <= 0x7F; ++op) {
    EXPECT_EQ(run(Code().byte(std::uint8_t(op))), 0) << op; // operands are never read
    EXPECT_NE(output().find("[del]\n"), std::string::npos) << op;
  }
}

TEST_F(RunnerTest, AThreadInstructionNotReachedHasNoEffect) {
  EXPECT_EQ(run(Code().push(0).with(Op::jifn, 6).op(Op::kill_me).push(4).ret()), 0);
  EXPECT_EQ(values(), std::vector<double>{4});
  EXPECT_EQ(output(), "");
}

TEST_F(RunnerTest, ThreadHandOffKeepsTheErrorCountersOfStacks2And3) {
  EXPECT_EQ(run(Code().with(Op::call_args, "X").ret()), 0x1030);
  t.output();
  machine().groups.errors = 2;
  EXPECT_EQ(run(Code().op(Op::pop).op(Op::kill_me)), 0);
  EXPECT_EQ(machine().values.errors, 0u);
}

} // namespace

// ---- The translated form against the byte runner alone

// Everything a run leaves that anyone can see: the output, the stacks with their counters and
// capacities, the frame registers and, for programs stopped by a key, the poll count.
std::string run_lines(const std::vector<std::string>& lines, bool translated, int key_at_poll) {
  runner::use_translation = translated;
  runner::testing::TestContext t;
  if (key_at_poll > 0) {
    polls_before_key = key_at_poll;
    t.ctx.key_waiting = waiting_later;
    t.ctx.clock = ticking_clock;
  }
  std::string seen;
  for (const std::string& line : lines) {
    if (line.rfind("limit ", 0) == 0) {
      t.ctx.machine.values.limit = t.ctx.machine.frames.limit = std::stoi(line.substr(6));
      continue;
    }
    polls_before_key = key_at_poll;
    console::run_command_text(t.ctx, line);
    seen += t.output() + "|";
    const runner::MachineState& m = t.ctx.machine;
    for (const auto* stack : {&m.groups, &m.frames}) {
      seen += std::to_string(stack->count) + "/" + std::to_string(stack->capacity) + "/" +
              std::to_string(stack->errors) + ":";
      for (std::uint32_t i = 0; i < stack->count; ++i)
        seen += std::to_string(stack->data()[i]) + ",";
    }
    seen += std::to_string(m.values.count) + "/" + std::to_string(m.values.capacity) + "/" +
            std::to_string(m.values.errors) + ":";
    for (std::uint32_t i = 0; i < m.values.count; ++i)
      seen += std::to_string(std::bit_cast<std::uint64_t>(m.values.data()[i])) + ",";
    seen += std::to_string(m.home) + "," + std::to_string(m.argn) + "," + std::to_string(m.locals) +
            "," + std::to_string(polls_before_key) + "\n";
  }
  runner::use_translation = true;
  return seen;
}

TEST(TranslatedRunner, RunsEveryProgramAsTheByteRunnerDoes) {
  const std::vector<std::vector<std::string>> programs = {
      {"MAIN($0=0;$1=1;WHILE($1<=3000,$0=$0+$1;$1=$1+1);$0,N$(2))"},
      {"def F(N) IF(N<2,N,F(N-1)+F(N-2))", "F(16)", "F(-1)", "F(2.5)"},
      // Slots out of range, error values and every operator in the fused sequences.
      {"MAIN($0=1;WHILE($0<40,$1=$3+$0;$0=$0*1.5+1);$0+$1,N$(2))",
       "def G(A,B) IF(A>B,G(A-1,B)+A^2,B/A)", "G(50,3)", "G(3,50)",
       "MAIN($0=0;$1=0;WHILE($0<300,$1=$1+($0/7>3);$0=$0+1);$1,N$(2))",
       "MAIN($0=0;$1=5;$2=0;WHILE($0<=20,$2=$2+($0>=$1)+($0!=$1)+($0==7)+($0>$1)+($0<$1)+($0<=7)+"
       "($1/$0)+($0-$1)+($0*$1)+($0~$1)+($0|0);$0=$0-(-1));$2,N$(3))",
       "MAIN($0=9;WHILE($0>=1,$0=$0/2);$1=0;WHILE($1!=3,$1=$1+1);$0+$1,N$(2))"},
      // Stack growth inside a loop with a tiny step, and stacks that overflow.
      {"stkstep 1", "def H(N) IF(N<1,0,H(N-1)+N)", "H(200)", "limit 300", "H(500)",
       "MAIN($0=0;WHILE($0<100,$0=$0+1;$1=$0);$0,N$(2))"},
      // Calls with wrong argument counts, recursion into the frame limit, and a variable whose
      // block is overwritten in place while a loop reads it.
      {"def F(N) IF(N<2,N,F(N-1)+F(N-2))", "F(1,2)", "F()", "F(3,4,5)", "limit 200", "F(20)", "x=1",
       "MAIN($0=0;WHILE($0<50,x=x+$0;$0=$0+1);x,N$(2))"},
      // Code that redefines (G, and D from deep in its recursion) or deletes (K) the function
      // that is running.
      {"exec 15'G'00l36 15'G'00l10 00[7]12 'G 7'00 01'G'00 00[1]1000 12 'G 1'00 "
       "01'G'00 01'G'00 1000 12",
       "exec 15'K'00l13 20'K'00 00[3]12 'K 1'00 01'K'00 01'K'00 1000 12",
       "exec 15'Q'00l31 15'D'00l10 00[7]12 'D 7'00 00[0]12 'Q 0'00 00[0]12",
       "def D(N) IF(N<1,Q(),D(N-1)+1)", "D(5)", "D(5)"},
  };
  for (const auto& program : programs) {
    EXPECT_EQ(run_lines(program, true, 0), run_lines(program, false, 0)) << program.back();
    // A key seen at several polls stops both at the same instruction with the same state.
    for (int poll : {1, 2, 5, 17})
      EXPECT_EQ(run_lines(program, true, poll), run_lines(program, false, poll))
          << program.back() << " poll " << poll;
  }
}
