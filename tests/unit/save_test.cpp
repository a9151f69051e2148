#include "console/context.h"
#include "console/save.h"
#include "console/whole_file.h"
#include "lang/number.h"

#include <gtest/gtest.h>

using namespace tovik;
using namespace tovik::console;

TEST(CodeFileName, LastDotOfTheLastComponentGivesWayToDat) {
  EXPECT_EQ(code_file_name("Tovik.txt"), "Tovik.dat");
  EXPECT_EQ(code_file_name("a.b.c"), "a.b.dat");
  EXPECT_EQ(code_file_name("noext"), "noext.dat");
  EXPECT_EQ(code_file_name("dir.d\\file"), "dir.d\\file.dat");
  // "/" separates folders too, so the folder's dot is not the file's.
  EXPECT_EQ(code_file_name("sub.d/f"), "sub.d/f.dat");
  EXPECT_EQ(code_file_name("sub.d/f.txt"), "sub.d/f.dat");
  // The first character is never looked at.
  EXPECT_EQ(code_file_name(".hidden"), ".hidden.dat");
  EXPECT_EQ(code_file_name("x."), "x.dat");
}

TEST(SavedSettings, OnlyWhatDiffersFromTheDefaultsInTheirOrder) {
  Context ctx;
  EXPECT_EQ(settings_text(ctx), "");
  ctx.settings.autoload_file = "a b.txt";
  ctx.settings.stack_step = 7;
  ctx.settings.graph_height = 481;
  ctx.settings.count_format = "%g";
  ctx.settings.value_format = "$H";
  ctx.settings.unknown_breaks = false;
  ctx.settings.unknown_warns = false;
  ctx.settings.show_program = true;
  ctx.settings.save_code = true; // written by the saver itself, not here
  EXPECT_EQ(settings_text(ctx), "showprog on\n"
                                "unknown NAN\n"
                                "wrformat \"$H\"\n"
                                "countformat \"%g\"\n"
                                "graph size 640 481\n"
                                "stkstep 7\n"
                                "autoload \"a b.txt\"\n");
  ctx.settings.unknown_warns = true;
  ctx.settings.show_program = false;
  EXPECT_EQ(settings_text(ctx).substr(0, 16), "unknown warning\n");
}

TEST(SavedObjects, DefLinesAndCodeRecordsInNameOrder) {
  Context ctx;
  ctx.objects.set_value("b", 2);
  ctx.objects.set_value("B", 0.5);
  EXPECT_EQ(objects_text(ctx), "def B 0.5\ndef b 2\n");
  std::string code = code_file_bytes(ctx);
  ASSERT_EQ(code.size(), (1 + 2 + 4 + 10 + 6) + (1 + 2 + 4 + 10 + 4) + 1u);
  EXPECT_EQ(code.substr(0, 7), std::string("\x15"
                                           "B\0\x0a\0\0\0",
                                           7));
  EXPECT_EQ(code.substr(17, 6), std::string("B 0.5\0", 6));
  EXPECT_EQ(code.back(), '\x12');
}
