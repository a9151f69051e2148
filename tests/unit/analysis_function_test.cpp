// The set-up of count, graph and null, from the command's texts to the run of the table.

#include "analysis/analyse_setup.h"
#include "analysis_test_support.h"
#include "context/context.h"
#include "runner/run_result.h"

#include <cmath>
#include <limits>
#include <string>

namespace tovik::analysis {
namespace {

using testing::AnalysisTest;

constexpr const char* logical = "ERROR | Logical misake: from>=to or steps not in [1..INF).\n";

class AnalyseFunction : public AnalysisTest {
protected:
  // The VAR line of a command, or the whole output when there is none.
  std::string var_line(const char* function, const char* range, AnalysisMode mode) {
    const std::string text = analyse(function, range, mode);
    const auto at = text.find("VAR   | ");
    if (at == std::string::npos) return text;
    return text.substr(at, text.find('\n', at) - at + 1);
  }
};

// ---- Ranges

TEST_F(AnalyseFunction, TheThreeRangeFormsAndTheDefaultSteps) {
  EXPECT_EQ(var_line("x", nullptr, AnalysisMode::count),
            "VAR   | Local $0 from -10 to 10 by 1 (20 steps)\n");
  EXPECT_EQ(var_line("x", "x(5)", AnalysisMode::count),
            "VAR   | Local $0 from 0 to 5 by 0.25 (20 steps)\n");
  EXPECT_EQ(var_line("x", "x(-1,1)", AnalysisMode::count),
            "VAR   | Local $0 from -1 to 1 by 0.1 (20 steps)\n");
  EXPECT_EQ(var_line("x", "x(0,1,4)", AnalysisMode::count),
            "VAR   | Local $0 from 0 to 1 by 0.25 (4 steps)\n");
  EXPECT_EQ(var_line("x", "x(2,4)", AnalysisMode::null),
            "VAR   | Local $0 from 2 to 4 by 0.004 (500 steps)\n");
  EXPECT_EQ(var_line("x", "x", AnalysisMode::null),
            "VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)\n");
}

TEST_F(AnalyseFunction, ArgumentsAfterTheThirdAreNotEvaluated) {
  EXPECT_EQ(var_line("x", "x(0,1,2,NOSUCH)", AnalysisMode::count),
            "VAR   | Local $0 from 0 to 1 by 0.5 (2 steps)\n");
}

TEST_F(AnalyseFunction, RangeArgumentsAreExpressions) {
  EXPECT_EQ(var_line("x", "x(2^2,3*3,10/2)", AnalysisMode::count),
            "VAR   | Local $0 from 4 to 9 by 1 (5 steps)\n");
}

TEST_F(AnalyseFunction, ARangeThatIsNoTreeIsRefused) {
  EXPECT_EQ(count("x", "x(1,2"), "ERROR | Some of brackets are not closed.\n"
                                 "ERROR | Invalid tree with variable name and its settings.\n");
  EXPECT_EQ(count("x", "x,y"), "ERROR | Invalid tree with variable name and its settings.\n");
}

TEST_F(AnalyseFunction, TheVariableMustBeANameOfTheUser) {
  for (const char* range : {"SIN", "5", "-x", "SIN(1,2)", "+"})
    EXPECT_EQ(count("x", range), "ERROR | Invalid variable name.\n") << range;
}

TEST_F(AnalyseFunction, UndefinedArgumentsAreRefusedAfterTheRunnerSaysWhy) {
  EXPECT_EQ(count("x", "x(NOSUCH)"), "ZORVA | Unknown object: NOSUCH.\n"
                                     "ZORVA | Error 0x101. Call object - unknown object.\n"
                                     "ERROR | Some arguments of variable are undefined.\n");
  EXPECT_EQ(count("x", "x(0,1,(-1)^0.5)"), "ERROR | Some arguments of variable are undefined.\n");
}

TEST_F(AnalyseFunction, RangesThatCannotBeWalkedAreRefused) {
  for (const char* range : {"x(5,1)", "x(1,1)", "x(0,1,0.5)", "x(0,1,-3)", "x(0,1,0)", "x(0,1/0)",
                            "x(-1/0,0)", "x(-10^308,10^308)"})
    EXPECT_EQ(count("x", range), logical) << range;
}

TEST_F(AnalyseFunction, AStepThatDoesNotMoveXIsRefused) {
  // 10^20 + 5000 is 10^20: the loop would never end.
  EXPECT_EQ(count("x", "x(10^20,10^20+10^5)"), logical);
  // Steps of half the spacing move odd values but stick at the next even one.
  EXPECT_EQ(count("x", "x(4503599627370497,4503599627370499,4)"), logical);
  EXPECT_EQ(count("x", "x(-4503599627370499,-4503599627370495,8)"), logical);
}

TEST(StepMovesX, AtThePrecisionOfTheDoubles) {
  const double big = 4503599627370496.0; // 2^52: spacing 1 above, 0.5 below
  EXPECT_TRUE(step_moves_x(big, big + 4, 1));
  EXPECT_FALSE(step_moves_x(big, big + 4, 0.5));
  EXPECT_TRUE(step_moves_x(big - 2, big - 1, 0.5));
  EXPECT_FALSE(step_moves_x(big - 2, big - 1, 0.25));
  EXPECT_FALSE(step_moves_x(big - 2, big, 0.5)) << "x would stay at the end";
  EXPECT_TRUE(step_moves_x(-big, -big + 2, 0.5));
  EXPECT_TRUE(step_moves_x(0, 1e-300, 1e-310));
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_TRUE(step_moves_x(0, 4 * tiny, tiny));
  EXPECT_FALSE(step_moves_x(1, 2, std::nan("")));
}

// ---- The function

TEST_F(AnalyseFunction, TheVariableBecomesLocalZeroEverywhere) {
  EXPECT_EQ(count("(t+1)^2", "t(0,1,1)"), "COUNT | Function ^{+{${0},1},2}\n"
                                          "VAR   | Local $0 from 0 to 1 by 1 (1 steps)\n"
                                          "Counting results...\n"
                                          "0 (0) -> 1 (1)\n"
                                          "1 (1) -> 4 (4)\n");
  // Only whole names are the variable; any name of the user can be it.
  const std::string text = count("xx+x*SIN(x)", "xx(0,1,1)");
  EXPECT_EQ(text.substr(0, text.find('\n')), "COUNT | Function +{${0},*{x,SIN{x}}}");
}

TEST_F(AnalyseFunction, TheVariableCannotBeCalled) {
  EXPECT_EQ(count("x(2)+1"), "ERROR | Function x(2)+1: object which is declared as arguments "
                             "must not have own arguments.\n");
}

TEST_F(AnalyseFunction, AFunctionThatIsNoTreeIsRefused) {
  EXPECT_EQ(count("(x"), "ERROR | Some of brackets are not closed.\n"
                         "ERROR | Invalid tree with function expression.\n");
}

TEST_F(AnalyseFunction, LeftoversAfterTheFunctionAreRefused) {
  // Tabulating x^2 for x^2+ would hide the typing error.
  EXPECT_EQ(count("x^2+"), "ERROR | Invalid tree with function expression.\n");
  EXPECT_EQ(count("x)("), "ERROR | Unexpected bracket.\n"
                          "ERROR | Invalid tree with function expression.\n");
}

TEST_F(AnalyseFunction, AFunctionWithoutCodeIsRefusedAfterTheCompilerSaysWhy) {
  EXPECT_EQ(count("1=x", "x(0,1,1)"), "COUNT | Function ={1,${0}}\n"
                                      "VAR   | Local $0 from 0 to 1 by 1 (1 steps)\n"
                                      "ERROR | First argument of operator '=' must be lvalue.\n"
                                      "ERROR | Cannot make function code.\n");
}

TEST_F(AnalyseFunction, ConstantPartsAreFoldedBeforeTheCodeIsMade) {
  const std::string text = count("x+2*3", "x(0,1,1)");
  EXPECT_NE(text.find("0 (0) -> 6 (6)\n1 (1) -> 7 (7)\n"), std::string::npos) << text;
}

TEST_F(AnalyseFunction, ProgramShowingListsTheLoopBeforeItRuns) {
  ctx().settings.show_program = true;
  const std::string text = count("x", "x(0,1,1)");
  const auto var = text.find("VAR   | ");
  const auto listing = text.find("ZORVA | This code will run:\naddress | cmd | explanation\n");
  const auto counting = text.find("Counting results...\n");
  ASSERT_NE(listing, std::string::npos) << text;
  EXPECT_LT(var, listing);
  EXPECT_LT(listing, counting);
  EXPECT_NE(text.find("     72 |  12 | RETURN\nCounting"), std::string::npos) << text;
}

// ---- Runs that fail

TEST_F(AnalyseFunction, ARunErrorEndsTheCommandWithTheRunnersLines) {
  EXPECT_EQ(count("NOSUCH(x)", "x(0,1,1)"),
            "COUNT | Function NOSUCH{${0}}\n"
            "VAR   | Local $0 from 0 to 1 by 1 (1 steps)\n"
            "Counting results...\n"
            "ZORVA | Unknown object: NOSUCH.\n"
            "ZORVA | Error 0x1020. Call object - unknown object.\n");
}

TEST_F(AnalyseFunction, AHugeTableStopsAtTheStackBound) {
  ctx().machine.values.limit = 100;
  for (AnalysisMode mode : {AnalysisMode::count, AnalysisMode::graph, AnalysisMode::null}) {
    const std::string text = analyse("x", "x(0,1,10^12)", mode);
    EXPECT_NE(text.find("Counting results...\nZORVA | Error 0x30. "), std::string::npos) << text;
    EXPECT_EQ(text.find("Making points"), std::string::npos);
    EXPECT_EQ(text.find("Finding zeros"), std::string::npos);
  }
}

// The key is pressed once the table has grown long: the runs of the range come first.
const Context* watched = nullptr;
bool waiting_when_long() { return watched->machine.values.count > 10000; }
std::int64_t clock_reads = 0;
std::int64_t ticking_clock() { return ++clock_reads; }

TEST_F(AnalyseFunction, AKeyPressStopsAHugeTable) {
  watched = &ctx();
  ctx().key_waiting = waiting_when_long;
  ctx().clock = ticking_clock;
  EXPECT_EQ(count("x", "x(0,1,10^12)"), "COUNT | Function ${0}\n"
                                        "VAR   | Local $0 from 0 to 1 by 1e-12 (1e+12 steps)\n"
                                        "Counting results...\n"
                                        "ZORVA | Error 0x5. Broken by user. Result is unknown..\n");
}

} // namespace
} // namespace tovik::analysis
