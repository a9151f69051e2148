#include "console/completion.h"
#include "context/context.h"

#include <gtest/gtest.h>

using namespace tovik;
using console::completions;
using Words = std::vector<std::string>;

TEST(Completion, CommandsOnlyAsTheFirstWord) {
  Context ctx;
  EXPECT_EQ(completions(ctx, "sa", true), (Words{"save", "savecode"}));
  EXPECT_EQ(completions(ctx, "sa", false), Words{});
  EXPECT_EQ(completions(ctx, "cl", true), Words{"clnmem"});
}

TEST(Completion, KeywordsAndTheObjectsThereAreNow) {
  Context ctx;
  EXPECT_EQ(completions(ctx, "ARG", false), (Words{"ARGN", "ARGS"}));
  EXPECT_EQ(completions(ctx, "E", false), Words{"E"});
  ctx.objects.set_value("SIGMA", 1);
  ctx.objects.set_value("count_me", 2);
  EXPECT_EQ(completions(ctx, "SI", false), (Words{"SIGMA", "SIN"}));
  // A name that is also a command is offered once.
  EXPECT_EQ(completions(ctx, "count", true), (Words{"count", "count_me", "countformat"}));
  EXPECT_TRUE(completions(ctx, "zz", true).empty());
}

TEST(Completion, FileCommands) {
  EXPECT_TRUE(console::takes_file_names("open"));
  EXPECT_TRUE(console::takes_file_names("runcode"));
  EXPECT_FALSE(console::takes_file_names("def"));
}
