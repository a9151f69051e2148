#include "console/command_line.h"
#include "console/files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace tovik::console;

namespace {

CommandLine split(std::string_view text) {
  CommandLine line = CommandLine::from(text);
  split_line(line);
  return line;
}

std::vector<std::string> words(const CommandLine& line) {
  std::vector<std::string> out;
  for (std::uint32_t i = 0; i < line.word_count; ++i) out.emplace_back(word_at(line, i));
  return out;
}

using Words = std::vector<std::string>;

} // namespace

TEST(SplitLine, WhiteSpaceSeparatesWords) {
  EXPECT_EQ(words(split("  save\ta.txt \v b\r\f")), (Words{"save", "a.txt", "b"}));
  EXPECT_EQ(split("   \t ").word_count, 0u);
  EXPECT_EQ(split("").word_count, 0u);
  EXPECT_EQ(split("ab cd").length, 5u);
}

TEST(SplitLine, QuotesKeepBlanksAndNeverBelongToAWord) {
  EXPECT_EQ(words(split("save \"my file.txt\"")), (Words{"save", "my file.txt"}));
  // Text touching a quote forms a word of its own.
  EXPECT_EQ(words(split("ab\"c d\"")), (Words{"ab", "c d"}));
  EXPECT_EQ(words(split("\"a\"\"b\"c")), (Words{"a", "b", "c"}));
  // An empty pair of quotes gives no word at all.
  EXPECT_EQ(words(split("wrformat \"\"")), (Words{"wrformat"}));
  // An unclosed quote runs to the end of the text.
  CommandLine open = split("x \"a b  c");
  EXPECT_EQ(words(open), (Words{"x", "a b  c"}));
  EXPECT_EQ(open.length, 9u);
}

TEST(SplitLine, StopsAtTheCapacity) {
  std::string long_text(20000, 'a');
  CommandLine line = split(long_text);
  EXPECT_EQ(line.length, line_capacity - 1);
  EXPECT_EQ(line.word_count, 1u);
  EXPECT_EQ(std::string(word_at(line, 0)).size(), line_capacity - 1);
}

TEST(WordOperations, EqualsAndSingleWord) {
  CommandLine line = split("exit now");
  EXPECT_TRUE(word_equals(line, 0, "exit"));
  EXPECT_FALSE(word_equals(line, 0, "exi"));
  EXPECT_FALSE(word_equals(line, 0, "EXIT"));
  EXPECT_FALSE(word_equals(line, 2, "now"));
  EXPECT_FALSE(is_single_word(line, "exit"));
  EXPECT_TRUE(is_single_word(split(" exit "), "exit"));
  EXPECT_EQ(word_at(line, 2), nullptr);
}

TEST(WordOperations, CompactWordDropsInnerBlanksAndEndsTheLine) {
  CommandLine line = split("def \"f( x )\" \"x ^ 2\" more");
  EXPECT_EQ(compact_word(line, 2), "x^2");
  EXPECT_EQ(line.word_count, 3u);
  EXPECT_EQ(word_at(line, 3), nullptr);
  EXPECT_EQ(compact_word(line, 1), "f(x)");
  EXPECT_EQ(compact_word(line, 5), "");
}

TEST(WordOperations, JoinWordsAndJoinRest) {
  CommandLine line = split("x = 1 +  2");
  join_words(line);
  EXPECT_EQ(words(line), (Words{"x=1+2"}));
  // Blanks inside quotes stay a word's own until compacted; both steps at once match.
  CommandLine quoted = split("x \"= 1\" + 2");
  EXPECT_EQ(std::string(join_compact_words(quoted)), "x=1+2");
  EXPECT_EQ(words(quoted), (Words{"x=1+2"}));
  CommandLine blank = split("\" \"");
  EXPECT_EQ(std::string(join_compact_words(blank)), "");
  EXPECT_EQ(blank.word_count, 0u);

  CommandLine rest = split("exec 00 \"[2.5]\"\t12");
  join_rest(rest);
  ASSERT_EQ(rest.word_count, 2u);
  EXPECT_EQ(std::string(word_at(rest, 0)), "exec");
  EXPECT_EQ(std::string(word_at(rest, 1)), "00  [2.5]  12");
}

TEST(WordOperations, WordAsIntegerReadsLikeStrtol) {
  CommandLine line = split("n 42 -7 12abc abc 99999999999 -99999999999 +5");
  EXPECT_EQ(word_as_integer(line, 1), 42);
  EXPECT_EQ(word_as_integer(line, 2), -7);
  EXPECT_EQ(word_as_integer(line, 3), 12);
  EXPECT_EQ(word_as_integer(line, 4), 0);
  EXPECT_EQ(word_as_integer(line, 5), INT32_MAX);
  EXPECT_EQ(word_as_integer(line, 6), INT32_MIN);
  EXPECT_EQ(word_as_integer(line, 7), 5);
  EXPECT_EQ(word_as_integer(line, 8), 0);
}

TEST(ReadTextLine, DeliversLinesThenTheEnd) {
  auto lines_of = [](const std::string& data) {
    std::FILE* f = fmemopen(const_cast<char*>(data.data()), data.size(), "r");
    std::vector<std::string> out;
    std::vector<char> buffer(line_capacity);
    while (!read_text_line(buffer.data(), f)) out.emplace_back(buffer.data());
    std::fclose(f);
    return out;
  };
  EXPECT_EQ(lines_of("a\nb"), (Words{"a", "b"}));
  EXPECT_EQ(lines_of("a\n\nb\n"), (Words{"a", "", "b"}));
  EXPECT_EQ(lines_of("a\r\nb\rc\n"), (Words{"a", "b\rc"}));
  // A 0xFF byte is an ordinary character.
  EXPECT_EQ(lines_of("x\xffy\n\xff"), (Words{"x\xffy", "\xff"}));
  // A line over the limit is read to its end and reported; the next line comes whole.
  std::string data = std::string(10239, 'p') + "\n" + std::string(10240, 'q') + "\nr\n";
  std::FILE* f = fmemopen(data.data(), data.size(), "r");
  std::vector<char> buffer(line_capacity);
  std::vector<std::pair<std::size_t, bool>> seen;
  for (bool too_long = false; !read_text_line(buffer.data(), f, &too_long);)
    seen.emplace_back(std::strlen(buffer.data()), too_long);
  std::fclose(f);
  using Seen = std::vector<std::pair<std::size_t, bool>>;
  EXPECT_EQ(seen, (Seen{{10239, false}, {10239, true}, {1, false}}));
}
