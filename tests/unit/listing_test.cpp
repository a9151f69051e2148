#include "runner/listing.h"

#include "lang/number.h"
#include "runner/run_error.h"
#include "runner/trace.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace tovik;
using runner::Op;
using runner::testing::Code;

const char* header = "T\naddress | cmd | explanation";

class ListingTest : public ::testing::Test {
protected:
  std::string listed(const Code& code) {
    runner::list_code(t.ctx.out, t.ctx.key_waiting, "T", code.bytes);
    return t.output();
  }
  std::string error_line(std::int32_t code) {
    runner::print_run_error(t.ctx, code);
    return t.output();
  }
  runner::testing::TestContext t;
};

// ---- Listing

TEST_F(ListingTest, PlainBlockListsAsTwoLinesAndALineEnd) {
  EXPECT_EQ(listed(Code().push(5).ret()), std::string(header) + "\n      0 |  00 | PUSH 5"
                                                                "\n      9 |  12 | RETURN\n");
}

TEST_F(ListingTest, JumpsShowTheTargetAndTheShift) {
  Code code;
  for (int i = 0; i < 18; ++i) code.op(Op::pop);
  code.with(Op::jump, 22).with(Op::jifn, -23).ret();
  std::string text = listed(code);
  EXPECT_NE(text.find("\n     18 |  31 | JUMP 40 (SHIFT 22)"), std::string::npos) << text;
  EXPECT_NE(text.find("\n     23 |  30 | JIFN 0 (SHIFT -23)"), std::string::npos) << text;
}

TEST_F(ListingTest, EveryOperandShape) {
  Code code = Code()
                  .with(Op::call, "F")
                  .call_n("G", 3)
                  .with(Op::call_args, "H")
                  .with(Op::init_args, 2)
                  .code(Op::oper, 0x1A)
                  .with(Op::set, "X")
                  .with(Op::set_pop, "Y")
                  .with(Op::del, "Z")
                  .with(Op::run, "help")
                  .with(Op::print_text, "hi")
                  .with(Op::get_local, 4)
                  .code(Op::uopr, 0x40)
                  .op(Op::stdo_n)
                  .byte(1)
                  .i32(7)
                  .code(Op::stdo_args, 2)
                  .op(Op::main_n)
                  .i32(2)
                  .i32(100)
                  .op(Op::main_args)
                  .i32(-5)
                  .func("F", Code().push(1).ret(), "F 1")
                  .ret();
  EXPECT_EQ(listed(code), std::string(header) +
                              "\n      0 |  01 | CALL [F]"
                              "\n      3 |  02 | CALL [G](3)"
                              "\n     10 |  03 | CALL [H](ARGS)"
                              "\n     13 |  06 | INIT ARGS(2)"
                              "\n     18 |  10 | OPER 1A"
                              "\n     20 |  14 | SET  [X]"
                              "\n     23 |  16 | SET* [Y]"
                              "\n     26 |  20 | DEL  [Z]"
                              "\n     29 |  21 | RUN  [help]"
                              "\n     35 |  22 | PRNT [hi]"
                              "\n     39 |  34 | GET  LOCAL(4)"
                              "\n     44 |  42 | UOPR 40"
                              "\n     46 |  51 | STDO 1(7)"
                              "\n     52 |  52 | STDO 2(ARGS)"
                              "\n     54 |  60 | MAIN (2) RETURN TO 154 (SHIFT 100)"
                              "\n     63 |  62 | MAIN (ARGS) RETURN TO 58 (SHIFT -5)"
                              "\n     68 |  15 | FUNC [F] = [F 1]"
                              "\n     89 |  12 | RETURN\n");
}

TEST_F(ListingTest, ThreadInstructionsAndTheirBodies) {
  Code code = Code().with(Op::new_thread, "T").i32(2).op(Op::kill_me).ret();
  code.with(Op::new_thread, "").i32(0).byte(0x7F).ret();
  EXPECT_EQ(listed(code), std::string(header) + "\n      0 |  70 | NTHR [T] JUMP 9 (LENGTH 2)"
                                                "\n      7 |  77 | KILL (ME)"
                                                "\n      8 |  12 | RETURN"
                                                "\n      9 |  70 | NTHR (NONAME) JUMP 15 (LENGTH 0)"
                                                "\n     15 |  7F | unknown command"
                                                "\n     16 |  12 | RETURN\n");
}

TEST_F(ListingTest, AReturnInTheMiddleDoesNotEndTheListing) {
  EXPECT_EQ(listed(Code().ret().op(Op::pop).ret()), std::string(header) +
                                                        "\n      0 |  12 | RETURN"
                                                        "\n      1 |  24 | POP"
                                                        "\n      2 |  12 | RETURN\n");
}

TEST_F(ListingTest, UnknownBytesAreOneByteEach) {
  EXPECT_EQ(listed(Code().byte(0x80).byte(0x07).ret()), std::string(header) +
                                                            "\n      0 |  80 | unknown command"
                                                            "\n      1 |  07 | unknown command"
                                                            "\n      2 |  12 | RETURN\n");
}

TEST_F(ListingTest, GotoShowsItsNextFourBytes) {
  Code code = Code().op(Op::goto_reserved).byte(0x0A).byte(0x1B).byte(0x2C).byte(0x3D).ret();
  EXPECT_EQ(listed(code), std::string(header) + "\n      0 |  32 | GOTO 0A1B2C3D"
                                                "\n      5 |  12 | RETURN\n");
}

TEST_F(ListingTest, TheListingNeverReadsPastTheBlock) {
  EXPECT_EQ(listed(Code().op(Op::push).byte(0x12)),
            std::string(header) + "\n      0 |  00 | incomplete command");
  EXPECT_EQ(listed(Code().op(Op::func).zero_ended("F").i32(1000).ret()),
            std::string(header) + "\n      0 |  15 | incomplete command");
  EXPECT_EQ(listed(Code().op(Op::call).byte('F').byte('G')),
            std::string(header) + "\n      0 |  01 | incomplete command");
  EXPECT_EQ(listed(Code()), std::string(header));
}

bool key_pressed() { return true; }

TEST_F(ListingTest, AWaitingKeyStopsTheListing) {
  t.ctx.key_waiting = key_pressed;
  EXPECT_EQ(listed(Code().push(1).ret()), std::string(header) + "\nBREAK | Broken by user.\n");
}

// ---- Execution trace

TEST_F(ListingTest, TraceLinesShowTheListedInstructionAndTheTopOfStack1) {
  const Code code = Code().push(5).code(Op::oper, 0x1A).ret();
  runner::Stack<double> values(lang::error_value());
  runner::trace_instruction(t.ctx.out, code.bytes, 0, values);
  values.push(1, 4);
  values.push(2.5, 4);
  runner::trace_instruction(t.ctx.out, code.bytes, 9, values);
  EXPECT_EQ(t.output(), "TRACE |       0 |  00 | PUSH 5 | ST1 (0)\n"
                        "TRACE |       9 |  10 | OPER 1A | ST1 (2) 2.5\n");
}

// ---- Run error lines

TEST_F(ListingTest, RunErrorLines) {
  EXPECT_EQ(error_line(0x101), "ZORVA | Error 0x101. Call object - unknown object.\n");
  EXPECT_EQ(error_line(0x102),
            "ZORVA | Error 0x102. Call object [const argn] - command requires more argumets..\n");
  EXPECT_EQ(error_line(0x1121), "ZORVA | Error 0x1121. Unknown error.\n");
  EXPECT_EQ(error_line(0x5), "ZORVA | Error 0x5. Broken by user. Result is unknown..\n");
  EXPECT_EQ(error_line(0x1113), "ZORVA | Error 0x1113. Call object - stack 3 error.\n");
  EXPECT_EQ(error_line(0x250), "ZORVA | Error 0x250. Unknown command.\n");
  EXPECT_EQ(error_line(0x1525),
            "ZORVA | Error 0x1525. Call standard object RND requires 0 arguments.\n");
}

TEST_F(ListingTest, StackErrorLineCountsAllThreeStacks) {
  t.ctx.machine.values.errors = 3;
  t.ctx.machine.frames.errors = 1;
  EXPECT_EQ(error_line(0x30), "ZORVA | Error 0x30. 4 stack error(s).\n");
}

TEST_F(ListingTest, CodesOfTheirOwnHaveClearLines) {
  EXPECT_NE(error_line(0x6).find("outside its block"), std::string::npos);
  EXPECT_NE(error_line(0x121).find("nested"), std::string::npos);
}

} // namespace
