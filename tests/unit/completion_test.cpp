#include "console/completion.h"
#include "console/line_editor.h"
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

// The editor is loaded at run time: every part the console uses must be found, and a library
// that cannot be loaded is named in the reason.
TEST(Completion, LineEditorLoadsOrSaysWhy) {
  std::string why;
  EXPECT_TRUE(console::load_line_editor(console::line_editor_file, why)) << why;
  EXPECT_FALSE(console::load_line_editor("libtovik-missing.so.1", why));
  EXPECT_NE(why.find("libtovik-missing.so.1"), std::string::npos) << why;
}
