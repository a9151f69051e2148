#include "console/context.h"
#include "console/startup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tovik;

namespace {

std::string status_of(Context& ctx) {
  char* buffer = nullptr;
  std::size_t size = 0;
  ctx.out = open_memstream(&buffer, &size);
  console::print_status(ctx);
  std::fclose(ctx.out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

} // namespace

TEST(StatusLine, QuietWhenNothingIsLeftOver) {
  Context ctx;
  EXPECT_EQ(status_of(ctx), "\nOBJ: 0 SS: 0.\n");
}

TEST(StatusLine, ReportsLeftoversAndResetsOnlyTheErrorCounters) {
  Context ctx;
  ctx.nodes.live = 3;
  ctx.objects.set_value("X", 1);
  ctx.machine.values.push(1.0, 4);
  ctx.machine.groups.push(1, 2);
  ctx.machine.values.errors = 2;
  ctx.machine.frames.errors = 5;
  EXPECT_EQ(status_of(ctx), "ERROR | We have 3 unknown tree elements.\n"
                            "ERROR | Some of stacks are not empty.\n"
                            "ERROR | There are 2+0+5 stack error(s).\n"
                            "\nOBJ: 1 SS: 40.\n");
  EXPECT_EQ(status_of(ctx), "ERROR | We have 3 unknown tree elements.\n"
                            "ERROR | Some of stacks are not empty.\n"
                            "\nOBJ: 1 SS: 40.\n");
}
