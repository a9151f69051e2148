#include "lang/number.h"
#include "numout/exact_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

using tovik::numout::exact_number_text;

namespace {

// Reads the text back the way a saved def line's body is read: an optional minus, then a number.
double read_back(const std::string& text) {
  bool negative = !text.empty() && text[0] == '-';
  std::string body = negative ? text.substr(1) : text;
  double v = tovik::lang::read_number(body.data(), body.size());
  return negative ? -v : v;
}

void expect_round_trip(double x) {
  std::string text = exact_number_text(x);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(read_back(text)), std::bit_cast<std::uint64_t>(x))
      << text << " for " << x;
}

} // namespace

TEST(ExactNumberText, PlainDecimalWhenItIsExact) {
  EXPECT_EQ(exact_number_text(5), "5");
  EXPECT_EQ(exact_number_text(0.5), "0.5");
  EXPECT_EQ(exact_number_text(-2.25), "-2.25");
  EXPECT_EQ(exact_number_text(0), "0");
  EXPECT_EQ(exact_number_text(-0.0), "-0");
  EXPECT_EQ(exact_number_text(0.3), "0.3");
  EXPECT_EQ(exact_number_text(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(exact_number_text(std::ldexp(1.0, 60) + 2048), "1152921504606849024");
}

TEST(ExactNumberText, HexadecimalWhenTheDecimalDigitsAreCutShort) {
  // Neither decimal reads back to this double; its hexadecimal expansion does.
  std::string text = exact_number_text(-2.6695055780119392e-208);
  EXPECT_EQ(text.substr(0, 4), "-0.0");
  EXPECT_EQ(text.substr(text.size() - 15), "57c323b045c21cH");
  expect_round_trip(-2.6695055780119392e-208);
  EXPECT_EQ(exact_number_text(std::numeric_limits<double>::infinity()), "INF");
}

TEST(ExactNumberText, EveryKindOfDoubleReadsBackIdentically) {
  for (double x : {0.1, 2.0 / 3, 1.0 / 3, 1e300, 1e-300, 123456789012345.67, 1e20,
                   std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                   std::numeric_limits<double>::denorm_min(), 4.9e-320, -7e-310, 0.7})
    expect_round_trip(x);
  std::mt19937_64 random(42);
  for (int i = 0; i < 20000; ++i) {
    double x = std::bit_cast<double>(random());
    if (std::isfinite(x)) expect_round_trip(x);
  }
}
