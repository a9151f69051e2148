#include "lang/number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace {

using tovik::lang::error_value;
using tovik::lang::factorial;
using tovik::lang::fraction_part;
using tovik::lang::infinity;
using tovik::lang::is_error_value;
using tovik::lang::read_number;

// The text sits at the very end of a heap block of its own size with no terminator, so that a
// sanitizer build reports any read past the length.
double read(std::string_view text) {
  auto exact = std::make_unique<char[]>(text.size());
  std::memcpy(exact.get(), text.data(), text.size());
  return read_number(exact.get(), text.size());
}

// Reads only the first `length` characters of a longer text.
double read_prefix(std::string_view text, std::size_t length) {
  return read_number(text.data(), length);
}

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

const double inf = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------------------------
// read_number

struct Reading {
  const char *text;
  double value;
};

void expect_values(std::initializer_list<Reading> readings) {
  for (const Reading &reading : readings)
    EXPECT_EQ(read(reading.text), reading.value) << reading.text;
}

void expect_no_numbers(std::initializer_list<const char *> texts) {
  for (const char *text : texts)
    EXPECT_TRUE(is_error_value(read(text))) << text;
}

TEST(NumberReadBases, EveryFormOf255) {
  for (const char *text : {"255", "ffH", "11111111B", "377O", "255D", "7v#32", "ff#16"})
    EXPECT_EQ(read(text), 255.0) << text;
}

TEST(NumberReadBases, Base36) { expect_values({{"zz#36", 1295}, {"z#36", 35}, {"10#36", 36}}); }

TEST(NumberReadBases, HashBaseKeepsOnlyItsIntegerPart) {
  expect_values(
      {{"11#2", 3}, {"11#2.9", 3}, {"10#3.5", 3}, {"10#36.0", 36}, {"10#2.", 2}, {"10#0002", 2}});
}

TEST(NumberReadBases, BadHashBasesAreNoNumbers) {
  expect_no_numbers({"11#1", "11#37", "12#", "ff#g", "1#36.5", "1#1.99", "1#.", "1#.5", "1#a",
                     "1#2#3", "#5", "##5", "#", "1#", "1#-3"});
  // The base reads as infinity, which is far above 36.
  EXPECT_TRUE(is_error_value(read("1#" + std::string(400, '9'))));
}

TEST(NumberReadBases, FinalBaseLetterWinsOverHash) {
  // The 'B' makes the whole word binary, and '#' is no digit.
  expect_no_numbers({"101#10B", "2H#16"});
}

TEST(NumberReadBases, DigitsMustBeBelowTheBase) {
  expect_no_numbers({"12B", "8O", "aD", "gH", "2#2"});
  expect_values({{"1#2", 1}, {"2#10", 2}, {"0B", 0}, {"fH", 15}});
}

TEST(NumberReadFractions, DecimalPoint) {
  expect_values(
      {{"1.5", 1.5}, {".5", 0.5}, {"5.", 5}, {".", 0}, {"0.1", 0.1}, {"3.14159", 3.14159}});
}

TEST(NumberReadFractions, FractionsInOtherBases) {
  expect_values({{"0.1H", 0.0625},
                 {"0.8#9", 8.0 / 9.0},
                 {"1.1B", 1.5},
                 {"f.8H", 15.5},
                 {".H", 0},
                 {"z.i#36", 35.5}});
}

TEST(NumberReadFractions, VeryLongFractions) {
  EXPECT_EQ(read("0." + std::string(1000, '3')), 1.0 / 3.0);
  EXPECT_EQ(read("0." + std::string(6000, '9')), 1.0);
  EXPECT_EQ(read("0." + std::string(6000, '0') + "1"), 0.0);
  EXPECT_EQ(read("0." + std::string(2000, '1') + "B"), 1.0);
}

TEST(NumberReadFractions, BadFractionCharacters) {
  expect_no_numbers({"1.2.3", "..", "1..", "0.2B", "0.gH", "1.5e3", "1.x"});
}

TEST(NumberReadLong, OverlongDigitStringsAreInfinity) {
  EXPECT_EQ(read(std::string(400, '9')), inf);
  EXPECT_EQ(read("1" + std::string(399, '0')), inf);
  EXPECT_EQ(read(std::string(6000, '7')), inf);
  EXPECT_EQ(read(std::string(6000, '7') + ".5"), inf);
  EXPECT_EQ(read(std::string(1100, '1') + "B"), inf);
}

TEST(NumberReadLong, LargeButFiniteValuesRoundOnce) {
  EXPECT_EQ(read("1" + std::string(308, '0')), 1e308);
  EXPECT_EQ(read("179769313486231570" + std::string(291, '0')), std::numeric_limits<double>::max());
  EXPECT_EQ(read("9007199254740993"), 9007199254740992.0);
  // The longest whole numbers read without extended precision, and the first beyond them.
  expect_values({{"999999999999999", 999999999999999.0},
                 {"000000000000007", 7},
                 {"1234567890123456", 1234567890123456.0}});
  EXPECT_EQ(read("fffffffffffffH"), 4503599627370495.0);
}

TEST(NumberReadRejects, WordsThatAreNames) {
  expect_no_numbers({"1e5", "FFH", "FF", "B", "H", "O", "D", "a", "1a", "#5", "x", "-1", "+1", " 1",
                     "1 ", "1,5", "Ab#16", "1_000"});
}

TEST(NumberReadRejects, EmptyOrMissingText) {
  EXPECT_TRUE(is_error_value(read_number(nullptr, 0)));
  EXPECT_TRUE(is_error_value(read_number(nullptr, 5)));
  EXPECT_TRUE(is_error_value(read_number("123", 0)));
}

TEST(NumberReadRejects, EveryByteAloneOrBeforeADigit) {
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    const bool digit = (ch >= '0' && ch <= '9');
    const std::string alone(1, ch);
    EXPECT_EQ(is_error_value(read(alone)), !digit && ch != '.') << c;
    const std::string before = alone + "1";
    EXPECT_EQ(is_error_value(read(before)), !digit && ch != '.') << c;
  }
}

TEST(NumberReadLength, StopsExactlyAtLength) {
  EXPECT_EQ(read_prefix("255+1", 3), 255.0);
  EXPECT_EQ(read_prefix("2555", 3), 255.0);
  EXPECT_EQ(read_prefix("ffHx", 3), 255.0);
  EXPECT_EQ(read_prefix("12#16", 2), 12.0);
  EXPECT_EQ(read_prefix("11#36", 4), 4.0);
  EXPECT_EQ(read_prefix("12#16xyz", 5), 18.0);
  EXPECT_EQ(read_prefix("1.5.5", 3), 1.5);
  EXPECT_EQ(read_prefix("0.8#9", 3), 0.8);
  EXPECT_EQ(read_prefix("11B", 2), 11.0);
  EXPECT_EQ(read_prefix("7#8", 1), 7.0);
}

TEST(NumberReadLength, CharactersBeyondLengthDoNotRescue) {
  EXPECT_TRUE(is_error_value(read_prefix("ffH", 2)));
  EXPECT_TRUE(is_error_value(read_prefix("ff#16", 3)));
  EXPECT_TRUE(is_error_value(read_prefix("1#16", 2)));
  EXPECT_TRUE(is_error_value(read_prefix("12#16", 4)));
  EXPECT_TRUE(is_error_value(read_prefix("H1", 1)));
}

TEST(NumberReadLength, EmbeddedNulIsAnOrdinaryBadCharacter) {
  const char text[] = {'1', '\0', '2'};
  EXPECT_TRUE(is_error_value(read_number(text, 3)));
  EXPECT_EQ(read_number(text, 1), 1.0);
}

// ---------------------------------------------------------------------------------------------
// error value and infinity

TEST(NumberSpecialValues, ErrorValueIsRecognisedByItsBitsOnly) {
  EXPECT_EQ(bits(error_value()), 0xFFF8000000000000ull);
  EXPECT_TRUE(is_error_value(error_value()));
  EXPECT_FALSE(is_error_value(std::bit_cast<double>(0x7FF8000000000000ull)));
  EXPECT_FALSE(is_error_value(std::bit_cast<double>(0xFFF8000000000001ull)));
  EXPECT_FALSE(is_error_value(std::bit_cast<double>(0xFFF4000000000000ull)));
  EXPECT_FALSE(is_error_value(-inf));
  EXPECT_FALSE(is_error_value(0.0));
}

TEST(NumberSpecialValues, Infinity) {
  EXPECT_EQ(infinity(), inf);
  EXPECT_GT(infinity(), 0.0);
}

// ---------------------------------------------------------------------------------------------
// fraction_part

TEST(NumberFraction, OrdinaryValues) {
  EXPECT_EQ(fraction_part(2.75), 0.75);
  EXPECT_EQ(fraction_part(-2.25), 0.75);
  EXPECT_EQ(fraction_part(-3.0), 0.0);
  EXPECT_EQ(fraction_part(3.0), 0.0);
  EXPECT_EQ(fraction_part(0.25), 0.25);
  EXPECT_EQ(fraction_part(-0.25), 0.75);
  EXPECT_EQ(fraction_part(-1.0), 0.0);
  EXPECT_EQ(fraction_part(1e-300), 1e-300);
  EXPECT_EQ(fraction_part(4503599627370495.5), 0.5);
  EXPECT_EQ(fraction_part(-4503599627370495.5), 0.5);
  EXPECT_EQ(fraction_part(1e22 + 0.0), 0.0);
}

TEST(NumberFraction, NegativeIntegersGivePositiveZero) {
  EXPECT_EQ(bits(fraction_part(-3.0)), 0u);
  EXPECT_EQ(bits(fraction_part(-1e300)), 0u);
}

TEST(NumberFraction, NegativeZeroPassesThrough) {
  EXPECT_TRUE(std::signbit(fraction_part(-0.0)));
  EXPECT_EQ(fraction_part(-0.0), 0.0);
}

TEST(NumberFraction, HugeAndInfiniteValuesGiveZero) {
  const double max = std::numeric_limits<double>::max();
  for (double x : {1.5e308, max, -1.5e308, -max, 1e308, -1e308, inf, -inf})
    EXPECT_EQ(bits(fraction_part(x)), 0u) << x;
}

TEST(NumberFraction, NaNsKeepTheirBits) {
  EXPECT_TRUE(is_error_value(fraction_part(error_value())));
  const double other = std::bit_cast<double>(0x7FF8000000000123ull);
  EXPECT_EQ(bits(fraction_part(other)), bits(other));
}

TEST(NumberFraction, EqualsValueMinusFloorAcrossMagnitudes) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t exponent = 1023 - 60 + random() % 120;
    const std::uint64_t pattern = (random() & 0x800FFFFFFFFFFFFFull) | (exponent << 52);
    const double x = std::bit_cast<double>(pattern);
    ASSERT_EQ(bits(fraction_part(x)), bits(x - std::floor(x))) << x;
  }
}

// ---------------------------------------------------------------------------------------------
// factorial

TEST(NumberFactorial, SmallValues) {
  EXPECT_EQ(factorial(5), 120.0);
  EXPECT_EQ(factorial(5.9), 120.0);
  EXPECT_EQ(factorial(1.5), 1.0);
  EXPECT_EQ(factorial(1), 1.0);
  EXPECT_EQ(factorial(0.5), 1.0);
  EXPECT_EQ(factorial(0), 1.0);
  EXPECT_EQ(factorial(2), 2.0);
  EXPECT_EQ(factorial(22), 1124000727777607680000.0);
}

TEST(NumberFactorial, Limits) {
  EXPECT_NEAR(factorial(170) / 7.257415615307999e306, 1.0, 1e-13);
  EXPECT_NEAR(factorial(170.99) / 7.257415615307999e306, 1.0, 1e-13);
  EXPECT_EQ(factorial(171), inf);
  EXPECT_EQ(factorial(1e6), inf);
  EXPECT_EQ(factorial(1e300), inf);
  EXPECT_EQ(factorial(std::numeric_limits<double>::max()), inf);
  EXPECT_EQ(factorial(inf), inf);
}

TEST(NumberFactorial, NegativeAndNaN) {
  EXPECT_TRUE(is_error_value(factorial(-1)));
  EXPECT_TRUE(is_error_value(factorial(-0.5)));
  EXPECT_TRUE(is_error_value(factorial(-inf)));
  EXPECT_TRUE(is_error_value(factorial(error_value())));
  const double other = std::bit_cast<double>(0x7FF8000000000123ull);
  EXPECT_EQ(bits(factorial(other)), bits(other));
}

} // namespace
