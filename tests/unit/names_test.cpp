// The language's vocabulary: separators, operator characters, reserved and foldable names and
// operator codes.

#include "lang/names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tovik::lang::is_foldable_name;
using tovik::lang::is_operator_char;
using tovik::lang::is_separator;
using tovik::lang::is_system_object;
using tovik::lang::no_operator_code;

// The code a text carries in a code block: its word's code from the token table, if it is one.
std::uint8_t operator_code(const char* name) {
  const auto token = name ? tovik::lang::find_token(name) : std::nullopt;
  return token ? tovik::lang::code_of(*token) : no_operator_code;
}

const std::string separators = "!$&()*+,-/;<=>@[]^|~";
const std::string operator_chars = "!&*+-/;<>[]^|~";

// Checks every byte value: `test` holds exactly for the characters of `listed`.
void expect_exactly(bool (*test)(char), const std::string& listed) {
  int count = 0;
  for (int c = 0; c < 256; ++c) {
    const bool in_list = c != 0 && listed.find(static_cast<char>(c)) != std::string::npos;
    EXPECT_EQ(test(static_cast<char>(c)), in_list) << "character " << c;
    count += test(static_cast<char>(c));
  }
  EXPECT_EQ(count, static_cast<int>(listed.size()));
}

TEST(NamesCharacters, SeparatorsAreExactlyTheListedTwenty) {
  ASSERT_EQ(separators.size(), 20u);
  expect_exactly(is_separator, separators);
}

TEST(NamesCharacters, OperatorCharactersAreExactlyTheListedFourteen) {
  ASSERT_EQ(operator_chars.size(), 14u);
  expect_exactly(is_operator_char, operator_chars);
}

TEST(NamesCharacters, WordCharactersIncludeThePunctuationThatIsNoSeparator) {
  for (char c : std::string(".#_\"%:?'\\{} \t\x7f")) EXPECT_FALSE(is_separator(c)) << c;
  EXPECT_FALSE(is_separator(static_cast<char>(0xE9)));
  EXPECT_FALSE(is_separator('E'));
}

TEST(NamesSystemObjects, EverySeparatorAndComparisonIsReserved) {
  for (char c : separators) EXPECT_TRUE(is_system_object(std::string(1, c).c_str())) << c;
  for (const char* name : {"<=", ">=", "==", "!="}) EXPECT_TRUE(is_system_object(name)) << name;
}

TEST(NamesSystemObjects, TwoCharacterNamesEndingInEqualsOnlyForComparisons) {
  for (const char* name : {"+=", "-=", "*=", "$=", "@=", "(=", "a=", "=<", "=>"})
    EXPECT_FALSE(is_system_object(name)) << name;
}

TEST(NamesSystemObjects, AllKeywordsAreReserved) {
  for (const char* name :
       {"ABS", "ACOS",  "ARGN",  "ARGS",   "ASIN",   "ATAN",  "AVR",    "CONST", "COS",  "DO",
        "E",   "FKT",   "FRAC",  "IF",     "INF",    "KILL",  "LN",     "MAIN",  "MSG",  "N$",
        "NAN", "PI",    "PRINT", "PRINTC", "PRINTS", "READ",  "RETURN", "RND",   "SEND", "SENDMYID",
        "SIN", "SLEEP", "SUM",   "THR",    "THREAD", "UNTIL", "WAKEUP", "WHILE"})
    EXPECT_TRUE(is_system_object(name)) << name;
}

TEST(NamesSystemObjects, OnlyExactUpperCaseNamesAreReserved) {
  for (const char* name : {"TAN", "e", "EE", "N", "sin", "Sin", "SINX", "PRINTX", "ARG", "MAIN ",
                           " PI", "X", "A", "B", "n$", "$N"})
    EXPECT_FALSE(is_system_object(name)) << name;
}

TEST(NamesSystemObjects, NullAndEmptyAreNotReserved) {
  EXPECT_FALSE(is_system_object(nullptr));
  EXPECT_FALSE(is_system_object(""));
  EXPECT_FALSE(is_foldable_name(nullptr));
  EXPECT_FALSE(is_foldable_name(""));
  EXPECT_EQ(operator_code(nullptr), no_operator_code);
  EXPECT_EQ(operator_code(""), no_operator_code);
}

// Keyword tests on nodes compare the token found with the text, so every word must find itself.
TEST(NamesSystemObjects, EveryWordFindsItsOwnToken) {
  for (std::size_t i = 0; i < tovik::lang::token_count; ++i) {
    const auto token = static_cast<tovik::lang::Token>(i);
    EXPECT_EQ(tovik::lang::find_token(tovik::lang::text_of(token)), token) << i;
  }
  for (const char* name : {"N", "X", "SIN2", "<>", "=<", "PRINTSS", "$$"})
    EXPECT_FALSE(tovik::lang::find_token(name)) << name;
}

TEST(NamesFoldable, OperatorsComparisonsAndPureFunctions) {
  for (char c : operator_chars) EXPECT_TRUE(is_foldable_name(std::string(1, c).c_str())) << c;
  for (const char* name :
       {"<=",   ">=",   "==",   "!=", "E",   "PI",  "INF",  "NAN",   "SIN", "COS",
        "ASIN", "ACOS", "ATAN", "LN", "ABS", "FKT", "FRAC", "CONST", "AVR", "SUM"})
    EXPECT_TRUE(is_foldable_name(name)) << name;
}

TEST(NamesFoldable, AssignmentAccessAndEffectsAreNot) {
  for (const char* name : {"=", "@", "$", "N$", "(", ")", ",", "MAIN", "IF", "PRINT", "RND", "ARGS",
                           "ARGN", "READ", "WHILE", "THREAD", "X", "TAN", "pi"})
    EXPECT_FALSE(is_foldable_name(name)) << name;
}

TEST(NamesOperatorCodes, TheWholeTable) {
  const std::pair<const char*, int> table[] = {
      {"+", 0x00},    {"-", 0x01},   {"*", 0x02},    {"/", 0x03},   {"^", 0x04},    {"[", 0x05},
      {"]", 0x06},    {"<", 0x10},   {">", 0x11},    {"<=", 0x12},  {">=", 0x13},   {"!=", 0x14},
      {"==", 0x15},   {"~", 0x16},   {"&", 0x17},    {"|", 0x18},   {"!", 0x20},    {"E", 0x30},
      {"LN", 0x31},   {"FKT", 0x32}, {"SIN", 0x40},  {"COS", 0x41}, {"ASIN", 0x42}, {"ACOS", 0x43},
      {"ATAN", 0x44}, {"ABS", 0x50}, {"FRAC", 0x51}, {"INF", 0x52}, {"NAN", 0x53},  {"PI", 0xFE},
  };
  for (const auto& [name, code] : table) EXPECT_EQ(operator_code(name), code) << name;
}

TEST(NamesOperatorCodes, NamesHandledByTheCompilerHaveNone) {
  for (const char* name : {"=", ";", "@", "$", "N$", "MAIN", "(", ")", ",", "CONST", "AVR", "SUM",
                           "IF", "PRINT", "TAN", "e", "sin", "X"})
    EXPECT_EQ(operator_code(name), no_operator_code) << name;
}

} // namespace
