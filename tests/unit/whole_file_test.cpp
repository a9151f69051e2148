#include "console/whole_file.h"
#include "context/context.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

using namespace tovik;

using runner::testing::TestContext;

TEST(WholeFile, ReadsAllBytesOrSaysWhyNot) {
  char dir[] = "/tmp/tovik-whole-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string name = std::string(dir) + "/f.dat";
  std::FILE* f = std::fopen(name.c_str(), "wb");
  std::fwrite("\x00\xff\x12", 1, 3, f);
  std::fclose(f);
  TestContext c;
  auto data = console::read_whole_file(c.ctx, name.c_str());
  ASSERT_TRUE(data);
  EXPECT_EQ(*data, (std::vector<std::uint8_t>{0x00, 0xff, 0x12}));
  EXPECT_FALSE(console::read_whole_file(c.ctx, dir));
  EXPECT_EQ(c.output(),
            "Reading " + name + "...\nReading " + dir + "...\nCan not open file " + dir + ".\n");

  // A file far larger than memory is refused before anything is read.
  std::string huge = std::string(dir) + "/huge.dat";
  int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
  bool made = fd >= 0 && ::ftruncate(fd, off_t(1) << 43) == 0;
  if (fd >= 0) ::close(fd);
  if (made) {
    TestContext h;
    EXPECT_FALSE(console::read_whole_file(h.ctx, huge.c_str()));
    EXPECT_EQ(h.output(),
              "Reading " + huge + "...\nCannot allocate mamory for file " + huge + ".\n");
  }
  ::unlink(huge.c_str());
  ::unlink(name.c_str());
  ::rmdir(dir);
}
