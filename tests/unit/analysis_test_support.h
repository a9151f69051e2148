#pragma once
// Helpers for the tests of count, graph and null: a context with captured output, in which no
// key is ever waiting and the keyboard poll never looks unless a test says so.

#include "analysis/analyse.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tovik::analysis::testing {

class AnalysisTest : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(ctx().nodes.live, 0) << "a tree node was leaked"; }

  Context& ctx() { return t.ctx; }
  std::string output() { return t.output(); }

  // Everything the command prints.
  std::string analyse(const char* function, const char* range, AnalysisMode mode) {
    analyse_function(ctx(), range, function, mode);
    return output();
  }
  std::string count(const char* function, const char* range = nullptr) {
    return analyse(function, range, AnalysisMode::count);
  }

  // Stack 1 as a tabulation run leaves it: y, then x, for each point.
  void set_table(const std::vector<std::pair<double, double>>& points) {
    auto& values = ctx().machine.values;
    values.count = values.errors = 0;
    for (const auto& [x, y] : points) {
      values.push(y, ctx().settings.stack_step);
      values.push(x, ctx().settings.stack_step);
    }
  }

  bool table_emptied() {
    const auto& values = ctx().machine.values;
    return values.count == 0 && values.errors == 0;
  }

  runner::testing::TestContext t;
};

} // namespace tovik::analysis::testing
