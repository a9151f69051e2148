// What count, graph and null make of a table of points, and the zero search's refinement.

#include "analysis/analyse_modes.h"
#include "analysis/plot_picture.h"
#include "analysis_test_support.h"
#include "compiler/drivers.h"
#include "context/context.h"
#include "lang/number.h"
#include "lang/parser.h"
#include "runner/run_code.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tovik::analysis {
namespace {

using testing::AnalysisTest;

// ---- Keyboard stand-ins

int lines_before_key = 0;
bool waiting_later() { return --lines_before_key < 0; }
bool always_waiting() { return true; }
std::int64_t clock_reads = 0;
std::int64_t ticking_clock() { return ++clock_reads; }
// A key pressed once a table has grown long.
const Context* watched = nullptr;
bool waiting_when_long() { return watched->machine.values.count > 1000; }
// The keyboard poll never looks: the second never changes.
std::int64_t stopped_clock() { return 0; }

// ---- count

class CountTable : public AnalysisTest {};

TEST_F(CountTable, OneLinePerPointThroughTheCountFormat) {
  EXPECT_EQ(count("x^2", "x(0,1,2)"), "COUNT | Function ^{${0},2}\n"
                                      "VAR   | Local $0 from 0 to 1 by 0.5 (2 steps)\n"
                                      "Counting results...\n"
                                      "0 (0) -> 0 (0)\n"
                                      "0.5 (0.5) -> 0.25 (0.25)\n"
                                      "1 (1) -> 1 (1)\n");
  EXPECT_TRUE(table_emptied());
}

TEST_F(CountTable, TheDefaultRangeRunsFromMinusTenToTen) {
  const std::string text = count("x^2");
  EXPECT_NE(text.find("Counting results...\n-10 (-10) -> 100 (100)\n-9 (-9) -> 81 (81)\n"),
            std::string::npos);
  EXPECT_NE(text.find("\n9 (9) -> 81 (81)\n10 (10) -> 100 (100)\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 21), "10 (10) -> 100 (100)\n");
}

TEST_F(CountTable, TheFormatIsTheSetting) {
  ctx().settings.count_format = "[%.2f]";
  set_table({{1, 2}, {1.5, -0.25}});
  print_table(ctx());
  EXPECT_EQ(output(), "[1.00] -> [2.00]\n[1.50] -> [-0.25]\n");
}

TEST_F(CountTable, TheErrorValuePrintsNothing) {
  EXPECT_NE(count("x^0.5", "x(-1,1,2)").find("-1 (-1) -> \n0 (0) -> 0 (0)\n1 (1) -> 1 (1)\n"),
            std::string::npos);
}

TEST_F(CountTable, AKeyStopsThePrintingAfterItsLine) {
  ctx().clock = stopped_clock;
  ctx().key_waiting = waiting_later;
  lines_before_key = 2;
  set_table({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
  print_table(ctx());
  EXPECT_EQ(output(), "1 (1) -> 1 (1)\n2 (2) -> 2 (2)\n3 (3) -> 3 (3)\n"
                      "BREAK | Printing is broken by user.\n");
  EXPECT_TRUE(table_emptied());
}

TEST_F(CountTable, AnOddValueLeftOverIsNoPoint) {
  set_table({{1, 1}});
  ctx().machine.values.push(7, 1024);
  ctx().machine.values.errors = 3;
  print_table(ctx());
  EXPECT_EQ(output(), "1 (1) -> 1 (1)\n");
  EXPECT_TRUE(table_emptied());
}

// ---- graph

std::optional<PlotPicture> shown;
bool fake_window(const PlotPicture& picture) {
  shown = picture;
  return true;
}

class GraphTable : public AnalysisTest {
protected:
  void SetUp() override {
    if (const char* display = std::getenv("DISPLAY")) old_display_ = display;
    setenv("DISPLAY", ":97", 1);
    ctx().plot_window = fake_window;
    shown.reset();
  }
  void TearDown() override {
    if (old_display_)
      setenv("DISPLAY", old_display_->c_str(), 1);
    else
      unsetenv("DISPLAY");
    AnalysisTest::TearDown();
  }

private:
  std::optional<std::string> old_display_;
};

TEST_F(GraphTable, OnlyFinitePointsArePlottedInTableOrder) {
  const double inf = INFINITY;
  set_table(
      {{0, 0}, {1, inf}, {2, lang::error_value()}, {-inf, 3}, {4, std::nan("")}, {5, -1}, {6, 2}});
  plot_table(ctx());
  EXPECT_EQ(output(), "Making points... 3 points (48 bytes) was made.\n"
                      "Graphic window...\n"
                      "Graphic window was closed.\n");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->bounds.xmin, 0);
  EXPECT_EQ(shown->bounds.xmax, 6);
  EXPECT_EQ(shown->bounds.ymin, -1);
  EXPECT_EQ(shown->bounds.ymax, 2);
  ASSERT_EQ(shown->curve.size(), 3u);
  EXPECT_LT(shown->curve[0].x, shown->curve[1].x);
  EXPECT_LT(shown->curve[1].x, shown->curve[2].x);
  EXPECT_TRUE(table_emptied());
}

TEST_F(GraphTable, NoFinitePointOpensNoWindow) {
  set_table({{0, INFINITY}});
  plot_table(ctx());
  EXPECT_EQ(output(), "Making points... 0 points (0 bytes) was made.\n"
                      "Graphic window...\n"
                      "Graphic window was closed.\n");
  EXPECT_FALSE(shown);
}

TEST_F(GraphTable, AKeyStopsTheMakingOfPoints) {
  ctx().clock = ticking_clock;
  ctx().key_waiting = always_waiting;
  set_table({{0, 0}, {1, 1}});
  plot_table(ctx());
  EXPECT_EQ(output(), "Making points...BREAK | Making points is broken by user.\n");
  EXPECT_FALSE(shown);
  EXPECT_TRUE(table_emptied());
}

TEST_F(GraphTable, TheWholeCommand) {
  const std::string text = analyse("SIN(x)", nullptr, AnalysisMode::graph);
  EXPECT_EQ(text, "COUNT | Function SIN{${0}}\n"
                  "VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)\n"
                  "Counting results...\n"
                  "Making points... 501 points (8016 bytes) was made.\n"
                  "Graphic window...\n"
                  "Graphic window was closed.\n");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 640);
  EXPECT_EQ(shown->height, 480);
}

// ---- null

class FindZeros : public AnalysisTest {
protected:
  // The tabulation block of `function` (written with $0), run once, as null makes it.
  void tabulate(const char* function, double from, double to, double steps) {
    lang::ExprNode head(ctx().nodes);
    lang::tokenize(head, function);
    lang::take_single_root(head, ctx().out);
    ASSERT_TRUE(lang::is_valid(head));
    ASSERT_NE(compiler::compile_tabulation(ctx(), head, block, true, from, to, (to - from) / steps),
              0u);
    ASSERT_EQ(runner::run_code(ctx(), block), 0);
  }

  // The zero list as (position, precision) pairs.
  std::vector<std::pair<double, double>> zeros(const ZeroSearch& search) {
    const auto& list = search.zeros();
    std::vector<std::pair<double, double>> pairs;
    for (std::uint32_t i = 0; i + 1 < list.count; i += 2)
      pairs.emplace_back(list.data()[i], list.data()[i + 1]);
    return pairs;
  }

  runner::CodeBlock block;
};

TEST_F(FindZeros, EachSignChangeIsRefinedDepthFirst) {
  tabulate("$0^2-2", -10, 10, 500);
  ZeroSearch search(ctx(), block);
  search.run();
  const auto found = zeros(search);
  ASSERT_EQ(found.size(), 2u);
  // The interval found last is refined first.
  const auto [right, right_h] = found[0];
  EXPECT_NEAR(right, std::sqrt(2.0), 1e-11);
  EXPECT_GE(right / right_h, 1e12);
  EXPECT_LT(right / (8 * right_h), 1e12) << "refined one step too far";
  const auto [left, left_h] = found[1];
  EXPECT_NEAR(left, -std::sqrt(2.0), 1e-15);
  EXPECT_EQ(left + left_h, left);
  EXPECT_EQ(output(), "Finding zeros...\rZeros 1 (" + std::to_string(search.cycles() - 16) +
                          " cycles)...\rZeros 2 (" + std::to_string(search.cycles()) +
                          " cycles)...");
  EXPECT_TRUE(table_emptied());
}

TEST_F(FindZeros, TheWholeCommand) {
  EXPECT_EQ(analyse("x^2-2", nullptr, AnalysisMode::null),
            "COUNT | Function -{^{${0},2},2}\n"
            "VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)\n"
            "Counting results...\n"
            "Finding zeros...\rZeros 1 (11 cycles)...\rZeros 2 (27 cycles)...");
  EXPECT_TRUE(table_emptied());
}

TEST_F(FindZeros, AZeroAtATablePointIsRecordedButNotAtTheFirst) {
  set_table({{0, 0}, {1, 1}});
  ZeroSearch first(ctx(), block);
  first.run();
  EXPECT_TRUE(zeros(first).empty());
  EXPECT_EQ(output(), "Finding zeros...");

  set_table({{-1, -1}, {0, 0}, {1, 1}});
  ZeroSearch inner(ctx(), block);
  inner.run();
  EXPECT_EQ(zeros(inner), (std::vector<std::pair<double, double>>{{0, 0}}));
  EXPECT_EQ(output(), "Finding zeros...\rZeros 1 (0 cycles)...");
}

TEST_F(FindZeros, TheFirstPointOfTheCommandsTableIsNeverAZero) {
  EXPECT_EQ(analyse("x", "x(0,1)", AnalysisMode::null),
            "COUNT | Function ${0}\n"
            "VAR   | Local $0 from 0 to 1 by 0.002 (500 steps)\n"
            "Counting results...\n"
            "Finding zeros...");
}

TEST_F(FindZeros, AnIntervalIsResolvedExactlyAtTheResolution) {
  const double h = std::ldexp(1.0, -40);
  set_table({{1e12 * h, -1}, {1e12 * h + 8 * h, 1}});
  ZeroSearch at(ctx(), block);
  at.run();
  EXPECT_EQ(zeros(at), (std::vector<std::pair<double, double>>{{1e12 * h, h}}));
  EXPECT_EQ(at.cycles(), 0);
}

TEST_F(FindZeros, AnIntervalThatCannotMoveItsLeftEndIsResolved) {
  set_table({{-1, -1}, {std::nextafter(-1.0, 0.0), 1}});
  ZeroSearch at(ctx(), block);
  at.run();
  ASSERT_EQ(zeros(at).size(), 1u);
  EXPECT_EQ(zeros(at)[0].first, -1);
  EXPECT_EQ(at.cycles(), 0);
}

TEST_F(FindZeros, AnIntervalWhoseStepWouldStickIsResolved) {
  // h is half the spacing at the left end: from moves, rounding up to an even value, and there
  // adding h no longer moves x. Tabulating it again would never end (a key stops it here).
  tabulate("$0+1", -2, 0, 2);
  watched = &ctx();
  ctx().key_waiting = waiting_when_long;
  ctx().clock = ticking_clock;
  ctx().last_key_check = 0;
  const double u = std::ldexp(1.0, -52);
  const double from = -(1 + 3 * u);
  set_table({{from, -1}, {-1 + u, 1}});
  ZeroSearch search(ctx(), block);
  search.run();
  EXPECT_EQ(zeros(search), (std::vector<std::pair<double, double>>{{from, u / 2}}));
  EXPECT_EQ(search.cycles(), 0);
}

TEST_F(FindZeros, NegativeZerosAreAllFound) {
  tabulate("SIN($0)", -31.5, -0.5, 1000);
  ZeroSearch search(ctx(), block);
  search.run();
  EXPECT_EQ(zeros(search).size(), 10u);
}

TEST_F(FindZeros, JustBelowTheResolutionTheIntervalIsTabulatedAgain) {
  tabulate("$0-1", 0, 2, 2); // a block to patch; its own table is replaced below
  const double h = std::ldexp(1.0, -40);
  const double from = 1e12 * h - h;
  set_table({{from, -1}, {from + 8 * h, 1}});
  ZeroSearch below(ctx(), block);
  below.run();
  EXPECT_EQ(below.cycles(), 1);
  // The block now holds the interval and its eighth.
  EXPECT_EQ(runner::read_f64(block.data() + compiler::tabulation_from_at), from);
  EXPECT_EQ(runner::read_f64(block.data() + compiler::tabulation_to_at), from + 8 * h);
}

TEST_F(FindZeros, FewerThanTwoPointsEndTheSearch) {
  set_table({{1, -1}});
  ctx().machine.values.push(5, 1024);
  ZeroSearch search(ctx(), block);
  search.run();
  EXPECT_EQ(output(), "Finding zeros...");
  EXPECT_TRUE(table_emptied());
}

TEST_F(FindZeros, AKeyStopsTheSearch) {
  ctx().clock = ticking_clock;
  ctx().key_waiting = always_waiting;
  set_table({{0, -1}, {1, 1}});
  ZeroSearch search(ctx(), block);
  search.run();
  EXPECT_EQ(output(), "Finding zeros...BREAK | Finding zeros is broken by user.\n");
  EXPECT_TRUE(table_emptied());
}

TEST_F(FindZeros, ManyZerosAreAllFound) {
  // SIN has 7 zeros in [-10, 10]; the one at 0 is approached from below until h underflows.
  tabulate("SIN($0)", -10, 10, 500);
  ZeroSearch search(ctx(), block);
  search.run();
  const auto found = zeros(search);
  ASSERT_EQ(found.size(), 7u);
  const double pi = std::acos(-1.0);
  for (const auto& [at, h] : found) {
    const double k = std::round(at / pi);
    EXPECT_NEAR(at, k * pi, 1e-9) << at;
  }
}

TEST_F(FindZeros, ARunErrorWhileRefiningEndsTheSearch) {
  // The block reads a global that is deleted after the first table.
  ctx().objects.set_value("G", 1.5);
  tabulate("$0-G", 0, 2, 2);
  ctx().objects.remove_object("G");
  ZeroSearch search(ctx(), block);
  search.run();
  EXPECT_EQ(output(), "Finding zeros...ZORVA | Unknown object: G.\n"
                      "ZORVA | Error 0x101. Call object - unknown object.\n");
  EXPECT_EQ(search.cycles(), 1);
}

} // namespace
} // namespace tovik::analysis
