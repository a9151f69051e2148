#include "console/console.h"
#include "console/files.h"
#include "console/save.h"
#include "console/whole_file.h"
#include "context/atomic_file.h"
#include "context/context.h"
#include "lang/number.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

// ---- Saving that never loses or redirects what the user has

namespace {

// Runs a test in a fresh folder of its own, with the output captured.
class SaveFolder : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/tovik-save-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    ASSERT_EQ(::getcwd(old_, sizeof old_), old_);
    ASSERT_EQ(::chdir(folder_.c_str()), 0);
    ctx.out = out_ = open_memstream(&buffer_, &size_);
    ctx.end_process = [](int status) { throw status; };
  }
  void TearDown() override {
    std::fclose(out_);
    std::free(buffer_);
    ASSERT_EQ(::chdir(old_), 0);
    std::filesystem::remove_all(folder_);
  }
  std::string output() {
    std::fflush(out_);
    return std::string(buffer_, size_);
  }
  static std::string read(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void write(const char* name, const char* text) { std::ofstream(name) << text; }
  std::size_t files() {
    return std::distance(std::filesystem::directory_iterator("."),
                         std::filesystem::directory_iterator());
  }
  // The console line's status when it ends the process, or -1 when the program goes on.
  int dispatch(const char* text) {
    try {
      run_command_text(ctx, text);
    } catch (int status) {
      return status;
    }
    return -1;
  }

  Context ctx;

private:
  std::string folder_;
  char old_[4096]{};
  std::FILE* out_ = nullptr;
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
};

std::shared_ptr<runner::CodeBlock> one() {
  return std::make_shared<runner::CodeBlock>(objects::make_plain_block(1));
}

} // namespace

TEST_F(SaveFolder, ASaveThatCouldNotBeReadBackWholeWritesNothing) {
  write("a.dat", "old");
  ctx.settings.save_code = true;
  EXPECT_FALSE(save_files(ctx, "a.dat"));
  EXPECT_NE(output().find("ERROR | The code file a.dat would be the text file a.dat itself"),
            std::string::npos);
  ASSERT_EQ(::symlink("b.txt", "b.dat"), 0);
  EXPECT_FALSE(save_files(ctx, "b.txt"));
  EXPECT_EQ(read("a.dat"), "old");

  // An object too long for a line: the text save names it and keeps the old file; the code
  // save carries it whole.
  ctx.settings.save_code = false;
  const std::string text = "L " + std::string(10300, '1');
  ASSERT_EQ(ctx.objects.define_object("L", one(), text), objects::table_created);
  write("c.txt", "old");
  EXPECT_FALSE(save_files(ctx, "c.txt"));
  EXPECT_NE(output().find("ERROR | Object L does not fit in a line of 10239 characters: c.txt is "
                          "not saved (savecode on saves it)."),
            std::string::npos);
  EXPECT_EQ(read("c.txt"), "old");
  ctx.settings.save_code = true;
  EXPECT_TRUE(save_files(ctx, "c.txt"));
  EXPECT_NE(read("c.dat").find(text + '\0'), std::string::npos);
}

TEST_F(SaveFolder, FilesAreWrittenThroughTheStartUpLinkAndNeverThroughPlantedOnes) {
  write("real.txt", "old");
  ASSERT_EQ(::symlink("real.txt", "Tovik.txt"), 0);
  EXPECT_EQ(write_file_atomically("Tovik.txt", "new"), WriteResult::ok);
  EXPECT_EQ(read("real.txt"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink("Tovik.txt"));
  // A fixed name such as the graph's picture replaces a link found there.
  write("victim", "keep");
  ASSERT_EQ(::symlink("victim", "pic.png"), 0);
  EXPECT_EQ(write_file_atomically("pic.png", "png", false), WriteResult::ok);
  EXPECT_EQ(read("victim"), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink("pic.png"));
  // Names near the longest the system takes still save, and no temporary file stays behind.
  const std::string longest(NAME_MAX - 1, 'n');
  EXPECT_EQ(write_file_atomically(longest, "x"), WriteResult::ok);
  EXPECT_EQ(write_file_atomically("x", "x"), WriteResult::ok);
  ASSERT_EQ(::mkdir("folder", 0700), 0);
  EXPECT_EQ(write_file_atomically("folder", "x"), WriteResult::cannot_open);
  EXPECT_EQ(files(), 7u);
}

TEST_F(SaveFolder, ExitThatCannotSaveGoesOnAndBreakStillLeaves) {
  ASSERT_EQ(::mkdir("Tovik.txt", 0700), 0);
  EXPECT_EQ(dispatch("exit"), -1);
  EXPECT_EQ(output(), "Saving data in Tovik.txt...\nCan not open file Tovik.txt.\nERROR | "
                      "Tovik.txt was not saved, so the program goes on: exit again when it can be "
                      "saved, or break to leave without saving.\n");
  EXPECT_TRUE(ctx.exit_unsaved);
  EXPECT_EQ(dispatch("break"), 0);
  ASSERT_EQ(::rmdir("Tovik.txt"), 0);
  EXPECT_EQ(dispatch("exit"), 0);
}

TEST_F(SaveFolder, SettingsASavedLineCannotCarryAreRefused) {
  EXPECT_EQ(dispatch("wrformat \"a\nb\""), -1);
  EXPECT_EQ(dispatch(("countformat " + std::string(10226, 'x')).c_str()), -1);
  EXPECT_EQ(dispatch("autoload \"a\nb\""), -1);
  EXPECT_EQ(output(),
            "ERROR | wrformat: a text with a line end can not be saved; nothing changed.\n"
            "ERROR | countformat: a text can have at most 10225 characters; nothing "
            "changed.\n"
            "ERROR | autoload: a text with a line end can not be saved; nothing changed.\n");
  EXPECT_EQ(settings_text(ctx), "");
}

TEST(OutputStatus, OutputThatCouldNotBeWrittenEndsWithAFailure) {
  Context ctx;
  ctx.out = std::fopen("/dev/full", "w");
  ASSERT_NE(ctx.out, nullptr);
  std::fputs("lost", ctx.out);
  EXPECT_EQ(output_status(ctx, 0), 1);
  std::fclose(ctx.out);
}
