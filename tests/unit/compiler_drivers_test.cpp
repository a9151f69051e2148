// The compile drivers and evaluation: finished blocks, folding, locals, the tabulation loop and
// its patch positions, the refusal of blocks that lack bytes, and the messages of evaluation.

#include "compiler/drivers.h"

#include "code/emit.h"
#include "compiler_test_support.h"
#include "lang/number.h"
#include "runner/run_code.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

namespace {

using namespace tovik;
using compiler::testing::push_error;
using runner::Op;
using runner::testing::Code;

class DriversTest : public compiler::testing::CompilerTest {
protected:
  // The finished block of `text`, or an empty one when compile_tree refuses it.
  runner::CodeBlock block_of(const std::string& text, std::uint32_t locals = 0, bool fold = false) {
    lang::ExprNode head(ctx().nodes);
    parse_into(head, text);
    runner::CodeBlock block;
    std::uint32_t length = compiler::compile_tree(ctx(), head, block, locals, fold);
    EXPECT_EQ(length, block.size());
    return block;
  }

  runner::CodeBlock tabulation(const std::string& text, bool extra, double from, double to,
                               double step) {
    lang::ExprNode head(ctx().nodes);
    parse_into(head, text);
    runner::CodeBlock block;
    std::uint32_t length = compiler::compile_tabulation(ctx(), head, block, extra, from, to, step);
    EXPECT_EQ(length, block.size());
    return block;
  }

  std::vector<double> run_values(const runner::CodeBlock& block) {
    EXPECT_EQ(runner::run_code(ctx(), block), 0);
    auto& v = ctx().machine.values;
    return std::vector<double>(v.data(), v.data() + v.count);
  }
};

TEST_F(DriversTest, NumberTreeGivesTheTenByteBlock) {
  EXPECT_EQ(block_of("7"), Code().push(7).ret().bytes);
}

TEST_F(DriversTest, FoldingEvaluatesConstantSubtreesFirst) {
  EXPECT_EQ(block_of("2*3", 0, true), Code().push(6).ret().bytes);
  EXPECT_EQ(block_of("2*3"), Code().push(2).push(3).code(Op::oper, 0x02).ret().bytes);
  EXPECT_EQ(block_of("SIN(PI/2)*X", 0, true),
            Code().push(1).with(Op::call, "X").code(Op::oper, 0x02).ret().bytes);
}

TEST_F(DriversTest, LocalsAreReservedBeforeTheCode) {
  EXPECT_EQ(block_of("X", 3), Code().with(Op::init_locals, 3).with(Op::call, "X").ret().bytes);
}

TEST_F(DriversTest, AFailedCompilationGivesNoBlock) {
  EXPECT_TRUE(block_of("IF(1)").empty());
  EXPECT_EQ(output(), "ERROR | Function 'IF' requires 2 or 3 arguments.\n");
}

TEST_F(DriversTest, ABlockThatLacksBytesIsRefusedAndNeverRun) {
  ctx().settings.stack_step = 0; // no append can succeed
  EXPECT_TRUE(block_of("X=1").empty());
  EXPECT_EQ(output(), "ERROR | Code was not made: 12 byte(s) could not be stored (too long or "
                      "out of memory).\n");
  EXPECT_TRUE(block_of("SLEEP(T)").empty()) << "a form that gives up silently on a lost byte";
  EXPECT_EQ(output(), "ERROR | Code was not made: 3 byte(s) could not be stored (too long or out "
                      "of memory).\n");
  EXPECT_TRUE(lang::is_error_value(compiler::evaluate_text(ctx(), "PRINTS(Hi)")));
  EXPECT_EQ(output(), "ERROR | Code was not made: 13 byte(s) could not be stored (too long or "
                      "out of memory).\nERROR | Cannot make code for expression.\n");
}

TEST_F(DriversTest, TabulationLeavesThePairsInRisingOrder) {
  runner::CodeBlock block = tabulation("$(0)*10", false, 0, 1, 0.5);
  EXPECT_EQ(run_values(block), (std::vector<double>{0, 0, 5, 0.5, 10, 1}));
  block = tabulation("$(0)*10", true, 0, 1, 0.5);
  EXPECT_EQ(run_values(block), (std::vector<double>{0, 0, 5, 0.5, 10, 1, 15, 1.5}));
}

TEST_F(DriversTest, TabulationValuesSitAtFixedPositions) {
  runner::CodeBlock block = tabulation("$(0)*(2+3)", false, 1.25, 7.5, 0.75);
  EXPECT_EQ(runner::read_f64(&block[compiler::tabulation_from_at]), 1.25);
  EXPECT_EQ(runner::read_f64(&block[compiler::tabulation_to_at]), 7.5);
  const std::int32_t d = runner::read_i32(&block[compiler::tabulation_exit_at]);
  EXPECT_EQ(runner::read_f64(&block[std::size_t(d) + compiler::tabulation_step_after_exit]), 0.75);
  EXPECT_EQ(block[30], runner::byte_of(Op::jifn));
  EXPECT_EQ(block.back(), runner::byte_of(Op::ret));
  EXPECT_EQ(block[std::size_t(30 + d) - 1], runner::byte_of(Op::pop)) << "the exit lands past POP";
  // The tree is folded first: (2+3) is one PUSH.
  Code expected;
  expected.with(Op::init_locals, 1)
      .push(1.25)
      .with(Op::set_local, 0)
      .push(7.5)
      .code(Op::oper, 0x12)
      .with(Op::jifn, 53)
      .with(Op::get_local, 0)
      .push(5)
      .code(Op::oper, 0x02)
      .with(Op::get_local, 0)
      .with(Op::get_local, 0)
      .push(0.75)
      .code(Op::oper, 0x00)
      .with(Op::set_local, 0)
      .with(Op::jump, -58)
      .op(Op::pop)
      .ret();
  EXPECT_EQ(block, expected.bytes);
}

TEST_F(DriversTest, PatchedTabulationRunsWithTheNewValues) {
  runner::CodeBlock block = tabulation("$(0)", false, 0, 1, 1);
  const std::int32_t d = runner::read_i32(&block[compiler::tabulation_exit_at]);
  runner::CodeBlock patched;
  for (std::size_t i = 0; i < block.size(); ++i) patched.push_back(block[i]);
  auto put = [&](std::size_t at, double v) {
    runner::CodeBlock bytes;
    runner::append_f64(bytes, v);
    std::copy(bytes.begin(), bytes.end(), patched.begin() + std::ptrdiff_t(at));
  };
  put(compiler::tabulation_from_at, 10);
  put(compiler::tabulation_to_at, 12);
  put(std::size_t(d) + compiler::tabulation_step_after_exit, 2);
  EXPECT_EQ(run_values(patched), (std::vector<double>{10, 10, 12, 12}));
}

TEST_F(DriversTest, AFailingTabulationTreeGivesNoBlock) {
  EXPECT_TRUE(tabulation("MAIN(B)", true, 0, 1, 1).empty());
  EXPECT_EQ(output(), "ERROR | Function 'MAIN' requires >1 arguments.\n");
}

TEST_F(DriversTest, EvaluationOfTextAndTrees) {
  EXPECT_EQ(compiler::evaluate_text(ctx(), "1+2*3"), 7);
  EXPECT_EQ(compiler::evaluate_text(ctx(), "X=5"), 5);
  EXPECT_EQ(compiler::evaluate_text(ctx(), "X*2"), 10);
  EXPECT_EQ(output(), "");
}

TEST_F(DriversTest, EvaluationMessages) {
  const double none = lang::error_value();
  auto same = [](double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
  };
  EXPECT_TRUE(same(compiler::evaluate_text(ctx(), nullptr), none));
  EXPECT_EQ(output(), "ERROR | Nothing for math.\n");
  EXPECT_TRUE(same(compiler::evaluate_text(ctx(), ""), none));
  EXPECT_EQ(output(), "ERROR | Error in expression or tree is corrupted.\n");
  EXPECT_TRUE(same(compiler::evaluate_text(ctx(), "2(3)"), none));
  EXPECT_EQ(output(), "ERROR | Error in expression or tree is corrupted.\n");
  EXPECT_TRUE(same(compiler::evaluate_text(ctx(), ")"), none));
  EXPECT_EQ(output(),
            "ERROR | Unexpected bracket.\nERROR | Error in expression or tree is corrupted.\n");
  EXPECT_TRUE(same(compiler::evaluate_tree(ctx(), nullptr), none));
  EXPECT_EQ(output(), "ERROR | Math: no tree for calculating.\n");
  EXPECT_TRUE(same(compiler::evaluate_text(ctx(), "+"), none));
  EXPECT_EQ(output(), "ERROR | Cannot make code for expression.\n");
}

TEST_F(DriversTest, CodeThatLeavesNothingGivesTheErrorValueAndOneStackError) {
  EXPECT_TRUE(lang::is_error_value(compiler::evaluate_text(ctx(), "DO()")));
  EXPECT_EQ(ctx().machine.values.errors, 1u);
}

TEST_F(DriversTest, RunErrorsArePrintedOnce) {
  EXPECT_TRUE(lang::is_error_value(compiler::evaluate_text(ctx(), "NOSUCH+1")));
  EXPECT_EQ(output(), "ZORVA | Unknown object: NOSUCH.\n"
                      "ZORVA | Error 0x101. Call object - unknown object.\n");
}

TEST_F(DriversTest, OnlyConstEvaluationsNestedInEachOtherAreBounded) {
  auto nested = [](std::uint32_t levels) {
    std::string text;
    for (std::uint32_t i = 0; i < levels; ++i) text += "CONST(";
    return text + "1" + std::string(levels, ')');
  };
  EXPECT_EQ(compiler::evaluate_text(ctx(), nested(compiler::max_const_nesting).c_str()), 1);
  EXPECT_EQ(output(), "");
  EXPECT_TRUE(lang::is_error_value(
      compiler::evaluate_text(ctx(), nested(compiler::max_const_nesting + 1).c_str())));
  EXPECT_EQ(output(), "ERROR | Function 'CONST' is nested more than 2000 levels deep.\n"
                      "ERROR | Cannot make code for expression.\n")
      << "the innermost CONST fails alone; the one around it pushes the error value";
  std::string deep_inside = "CONST(" + std::string(100000, '-') + "1)";
  EXPECT_EQ(compiler::evaluate_text(ctx(), deep_inside.c_str()), 1);
}

} // namespace
