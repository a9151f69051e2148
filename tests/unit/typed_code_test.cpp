#include "console/typed_code.h"

#include "console/console.h"
#include "console/exec_code.h"
#include "lang/number.h"
#include "runner/run_code.h"
#include "runner/run_error.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace tovik;
using console::TypedCode;
using runner::CodeBlock;
using runner::Op;
using runner::testing::Code;

CodeBlock assembled(std::string_view text) {
  TypedCode code = console::assemble_typed_code(text);
  EXPECT_EQ(code.fault, TypedCode::Fault::none) << text;
  return code.bytes;
}

std::string bad_pair(std::string_view text) {
  TypedCode code = console::assemble_typed_code(text);
  EXPECT_EQ(code.fault, TypedCode::Fault::bad_hex) << text;
  return code.bad_pair;
}

// ---- Assembling

TEST(TypedCodeTest, HexPairsAndValues) {
  CodeBlock push = Code().push(2.5).ret().bytes;
  EXPECT_EQ(assembled("00 [2.5] 12"), push);
  EXPECT_EQ(assembled("00[2.5]"), push);
  EXPECT_EQ(assembled(" \t00 [2.5]\n12 "), push);
  EXPECT_EQ(assembled("0A"), (CodeBlock{0x0A, 0x12}));
  EXPECT_EQ(assembled("0a"), (CodeBlock{0x0A, 0x12}));
  EXPECT_EQ(assembled("fF12"), (CodeBlock{0xFF, 0x12}));
  EXPECT_EQ(assembled(""), CodeBlock{0x12});
}

TEST(TypedCodeTest, ValueTextRunsToItsEnd) {
  EXPECT_EQ(assembled("00[1"), Code().push(1).ret().bytes);
  CodeBlock missing = assembled("00[]");
  EXPECT_TRUE(lang::is_error_value(runner::read_f64(&missing[1])));
}

TEST(TypedCodeTest, IntegersOfBothWidths) {
  EXPECT_EQ(assembled("41l5 12"), Code().with(Op::arg, 5).ret().bytes);
  EXPECT_EQ(assembled("41l-1"), Code().with(Op::arg, INT32_MIN).ret().bytes); // no signs
  EXPECT_EQ(assembled("41l2147483647"), Code().with(Op::arg, INT32_MAX).ret().bytes);
  EXPECT_EQ(assembled("41l2.9"), Code().with(Op::arg, 2).ret().bytes);
  EXPECT_EQ(assembled("41l3000000000"), Code().with(Op::arg, INT32_MIN).ret().bytes);
  EXPECT_EQ(assembled("41lx"), Code().with(Op::arg, INT32_MIN).ret().bytes);
  EXPECT_EQ(assembled("41s4294967297"), Code().with(Op::arg, 1).ret().bytes);
  EXPECT_EQ(assembled("41s4294967295"), Code().with(Op::arg, -1).ret().bytes);
  EXPECT_EQ(assembled("41sx"), Code().with(Op::arg, 0).ret().bytes);
}

TEST(TypedCodeTest, QuoteModeStoresCharactersButKeepsMarkers) {
  EXPECT_EQ(assembled("22'a b'00"), Code().with(Op::print_text, "a b").ret().bytes);
  EXPECT_EQ(assembled("22'00'00"), (CodeBlock{0x22, '0', '0', 0x00, 0x12}));
  EXPECT_EQ(assembled("'l1 '"), (CodeBlock{1, 0, 0, 0, 0x12}));
  EXPECT_EQ(assembled("'ABC"), (CodeBlock{'A', 'B', 'C', 0x12}));
}

TEST(TypedCodeTest, PairsThatAreNotHexadecimal) {
  EXPECT_EQ(bad_pair("0G"), "0G");
  EXPECT_EQ(bad_pair("00 12 x1"), "x1");
  EXPECT_EQ(bad_pair("123"), "3");
  EXPECT_EQ(bad_pair("0 1"), "0 ");
}

TEST(TypedCodeTest, AssemblyIsBoundedAt10240Bytes) {
  std::string fits(2 * 10239, '0');
  EXPECT_EQ(assembled(fits + "12").size(), 10240u);
  EXPECT_EQ(console::assemble_typed_code(fits + "00").fault, TypedCode::Fault::too_long);
  std::string values;
  for (int i = 0; i < 1281; ++i) values += "[1]";
  EXPECT_EQ(console::assemble_typed_code(values).fault, TypedCode::Fault::too_long);
}

// ---- exec

class ExecTest : public ::testing::Test {
protected:
  ExecTest() { t.ctx.settings.value_format = "%g#L"; }
  std::string exec(const char* text) {
    console::exec_typed_code(t.ctx, text);
    return t.output();
  }
  runner::testing::TestContext t;
};

TEST_F(ExecTest, RunsTheCodeAndPrintsItsValue) {
  EXPECT_EQ(exec("00 [2.5] 12"), "2.5\n");
  EXPECT_EQ(exec("00[1]00[2]1000"), "3\n");
  EXPECT_EQ(exec(""), "");
  EXPECT_EQ(exec(nullptr), "");
}

TEST_F(ExecTest, FaultsPrintOneLineAndRunNothing) {
  EXPECT_EQ(exec("22'x'00 0G"), "ERROR | Unknown HEX code: \"0G\"\n");
  std::string long_text(2 * 10240, '0');
  std::string out = exec(long_text.c_str());
  EXPECT_EQ(out.rfind("ERROR | ", 0), 0u) << out;
  EXPECT_NE(out.find("10240"), std::string::npos) << out;
  EXPECT_EQ(out.find('\n'), out.size() - 1);
}

TEST_F(ExecTest, ShowsTheListingWhenProgramsAreShown) {
  t.ctx.settings.show_program = true;
  EXPECT_EQ(exec("00[7]"), "ZORVA | Run code:\naddress | cmd | explanation\n"
                           "      0 |  00 | PUSH 7\n      9 |  12 | RETURN\n7\n");
}

TEST_F(ExecTest, RunErrorsPrintTheirLineAndNoValue) {
  EXPECT_EQ(exec("80"), "ZORVA | Error 0x4. Unknown command.\n");
  EXPECT_EQ(exec("00 12"),
            "ZORVA | Error 0x6. " + std::string(runner::run_error_message(6)) + ".\n");
}

// ---- RUN: console lines from running code

TEST_F(ExecTest, ANestedRunLeavesTheOuterRunIntact) {
  // PUSH 1, SET LOCAL-free frame work, RUN "exec 00[2]", PUSH 3, OPER +: the outer sum is 4.
  Code code = Code().push(1).with(Op::run, "exec 00[2]").push(3).code(Op::oper, 0).ret();
  EXPECT_EQ(runner::run_code(t.ctx, code.bytes), 0);
  EXPECT_EQ(t.output(), "2\n");
  ASSERT_EQ(t.ctx.machine.values.count, 1u);
  EXPECT_EQ(t.ctx.machine.values.data()[0], 4);
}

TEST_F(ExecTest, ANestedRunKeepsTheOuterFrameAndErrorCounters) {
  t.ctx.objects.define_object(
      "F", Code().with(Op::run, "exec 24 24").with(Op::arg, 0).ret().shared(), "F 1");
  Code code = Code().op(Op::pop).push(5).push(6).call_n("F", 1).ret();
  EXPECT_EQ(runner::run_code(t.ctx, code.bytes), 48);
  EXPECT_EQ(t.ctx.machine.values.errors, 1u);
  ASSERT_EQ(t.ctx.machine.values.count, 2u);
  EXPECT_EQ(t.ctx.machine.values.data()[1], 6);
}

TEST_F(ExecTest, NestingOfRunsIsBounded) {
  // F runs a console line that calls F again.
  t.ctx.objects.define_object("F", Code().with(Op::run, "exec 01'F'00").push(1).ret().shared(),
                              "F 1");
  Code code = Code().with(Op::call, "F").ret();
  EXPECT_EQ(runner::run_code(t.ctx, code.bytes), 0);
  std::string out = t.output();
  EXPECT_EQ(out.find("ZORVA | Error 0x121."), 0u) << out;
  EXPECT_EQ(t.ctx.machine.run_depth, 0u);
  EXPECT_EQ(t.ctx.machine.values.count, 1u);
}

} // namespace
