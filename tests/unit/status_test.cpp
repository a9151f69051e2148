#include "console/startup.h"
#include "context/context.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace tovik;

using runner::testing::TestContext;

namespace {

std::string status_of(TestContext& t) {
  console::print_status(t.ctx);
  return t.output();
}

} // namespace

TEST(StatusLine, QuietWhenNothingIsLeftOver) {
  TestContext t;
  EXPECT_EQ(status_of(t), "\nOBJ: 0 SS: 0.\n");
}

TEST(StatusLine, ReportsLeftoversAndResetsOnlyTheErrorCounters) {
  TestContext t;
  Context& ctx = t.ctx;
  ctx.nodes.live = 3;
  ctx.objects.set_value("X", 1);
  ctx.machine.values.push(1.0, 4);
  ctx.machine.groups.push(1, 2);
  ctx.machine.values.errors = 2;
  ctx.machine.frames.errors = 5;
  EXPECT_EQ(status_of(t), "ERROR | We have 3 unknown tree elements.\n"
                          "ERROR | Some of stacks are not empty.\n"
                          "ERROR | There are 2+0+5 stack error(s).\n"
                          "\nOBJ: 1 SS: 40.\n");
  EXPECT_EQ(status_of(t), "ERROR | We have 3 unknown tree elements.\n"
                          "ERROR | Some of stacks are not empty.\n"
                          "\nOBJ: 1 SS: 40.\n");
}
