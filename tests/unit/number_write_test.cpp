#include "numout/write_number.h"

#include <gtest/gtest.h>

#include "lang/number.h"
#include "numout/exact_binary.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using tovik::numout::binary_parts; // the bits, checked against the decimal reference below
using tovik::numout::digit_budget;
using tovik::numout::integer_power;
using tovik::numout::number_text;
using tovik::numout::write_number;

const double inf = std::numeric_limits<double>::infinity();
constexpr int lowest_position = 307;

// ---- An independent reference: exact expansions by plain big-integer arithmetic and by the
// standard library, and the writer's cutting rules applied to them as strings.

// Unsigned big integer, 32-bit limbs, least significant first, no zero limb on top.
struct RefInt {
  std::vector<std::uint32_t> limbs;

  static RefInt of(std::uint64_t v) {
    RefInt r;
    for (; v != 0; v >>= 32) r.limbs.push_back(static_cast<std::uint32_t>(v));
    return r;
  }
  bool is_zero() const { return limbs.empty(); }
  void trim() {
    while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
  }
  void multiply(std::uint32_t k) {
    std::uint64_t carry = 0;
    for (auto& limb : limbs) {
      const std::uint64_t t = std::uint64_t{limb} * k + carry;
      limb = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
  }
  std::uint32_t divide(std::uint32_t k) {
    std::uint64_t rest = 0;
    for (std::size_t i = limbs.size(); i-- > 0;) {
      const std::uint64_t t = (rest << 32) | limbs[i];
      limbs[i] = static_cast<std::uint32_t>(t / k);
      rest = t % k;
    }
    trim();
    return static_cast<std::uint32_t>(rest);
  }
  void shift_left(unsigned n) {
    for (; n > 0; --n) multiply(2);
  }
  void shift_right(unsigned n) {
    const std::size_t words = n / 32;
    limbs.erase(limbs.begin(), limbs.begin() + static_cast<long>(std::min(words, limbs.size())));
    for (unsigned bits = n % 32; bits > 0; --bits) divide(2);
  }
  std::size_t bit_length() const {
    if (limbs.empty()) return 0;
    return 32 * (limbs.size() - 1) +
           (32 - static_cast<std::size_t>(std::countl_zero(limbs.back())));
  }
};

// The digits of a positive value: `whole` without leading zeros (empty below 1) and `fraction`
// from position -1 on, which may stop early where only zeros follow.
struct Expansion {
  std::string whole;
  std::string fraction;
};

char digit_char(unsigned d) { return "0123456789abcdefghijklmnopqrstuvwxyz"[d]; }

// The writer's rules: budget from the leading digit, all integer digits, leading zeros below 1
// free, nothing below the lowest position, no trailing zeros, "." only before digits.
std::string cut_to_rules(const Expansion& e, int budget) {
  auto trimmed = [](std::string s) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    return s;
  };
  if (!e.whole.empty()) {
    const int left = std::max(0, budget - static_cast<int>(e.whole.size()));
    const std::string digits = trimmed(e.fraction.substr(0, static_cast<std::size_t>(left)));
    return digits.empty() ? e.whole : e.whole + "." + digits;
  }
  const std::size_t lead = e.fraction.find_first_not_of('0');
  std::string text = "0." + e.fraction.substr(0, lead);
  if (lead < static_cast<std::size_t>(lowest_position)) {
    const std::size_t count = std::min(static_cast<std::size_t>(budget),
                                       static_cast<std::size_t>(lowest_position) - lead);
    text += trimmed(e.fraction.substr(lead, count));
  }
  return text;
}

// Scaled-integer reference: fraction digits are those of floor(fraction * base^K), K digits.
Expansion big_expansion(double x, unsigned base) {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  binary_parts(x, mantissa, exponent);
  RefInt whole = RefInt::of(mantissa);
  RefInt numerator; // fraction = numerator / 2^shift
  unsigned shift = 0;
  if (exponent >= 0) {
    whole.shift_left(static_cast<unsigned>(exponent));
  } else {
    shift = static_cast<unsigned>(-exponent);
    whole.shift_right(shift);
    numerator = RefInt::of(shift >= 64 ? mantissa : mantissa & ((std::uint64_t{1} << shift) - 1));
  }
  Expansion e;
  while (!whole.is_zero()) e.whole.insert(e.whole.begin(), digit_char(whole.divide(base)));
  const int budget = digit_budget(static_cast<std::uint16_t>(base));
  const int positions =
      e.whole.empty() ? lowest_position : std::max(0, budget - static_cast<int>(e.whole.size()));
  RefInt scaled = numerator;
  for (int i = 0; i < positions; ++i) scaled.multiply(base);
  const bool tiny = e.whole.empty() && scaled.bit_length() <= shift;
  RefInt digits = scaled;
  digits.shift_right(shift);
  for (int i = 0; i < positions; ++i)
    e.fraction.insert(e.fraction.begin(), digit_char(digits.divide(base)));
  if (tiny) {
    // Below base^-307: only the count of zeros before the leading digit matters.
    while (true) {
      scaled.multiply(base);
      if (scaled.bit_length() > shift) break;
      e.fraction += '0';
    }
    e.fraction += '1';
  }
  return e;
}

// Exact decimal digits from the standard library (fixed notation with enough places is exact).
Expansion decimal_expansion(double x) {
  std::vector<char> text(1500);
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), x, std::chars_format::fixed, 1100);
  const std::string s(text.data(), result.ptr);
  const std::size_t point = s.find('.');
  Expansion e{s.substr(0, point), s.substr(point + 1)};
  if (e.whole == "0") e.whole.clear();
  return e;
}

// Exact binary or hexadecimal digits by moving the point in the mantissa's bit string.
Expansion power_of_two_expansion(double x, unsigned bits_per_digit) {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  binary_parts(x, mantissa, exponent);
  std::string bits;
  for (int i = 52; i >= 0; --i) bits += ((mantissa >> i) & 1) ? '1' : '0';
  Expansion binary;
  if (exponent >= 0) {
    binary.whole = bits + std::string(static_cast<std::size_t>(exponent), '0');
  } else {
    const auto shift = static_cast<std::size_t>(-exponent);
    if (shift < bits.size()) {
      binary.whole = bits.substr(0, bits.size() - shift);
      binary.fraction = bits.substr(bits.size() - shift);
    } else {
      binary.fraction = std::string(shift - bits.size(), '0') + bits;
    }
  }
  auto group = [bits_per_digit](const std::string& b) {
    std::string out;
    for (std::size_t i = 0; i < b.size(); i += bits_per_digit)
      out += digit_char(static_cast<unsigned>(std::stoul(b.substr(i, bits_per_digit), nullptr, 2)));
    return out;
  };
  binary.whole.insert(0, (bits_per_digit - binary.whole.size() % bits_per_digit) % bits_per_digit,
                      '0');
  binary.fraction.append(
      (bits_per_digit - binary.fraction.size() % bits_per_digit) % bits_per_digit, '0');
  Expansion e{group(binary.whole), group(binary.fraction)};
  e.whole.erase(0, std::min(e.whole.find_first_not_of('0'), e.whole.size()));
  return e;
}

std::string expected(const Expansion& e, unsigned base) {
  return cut_to_rules(e, digit_budget(static_cast<std::uint16_t>(base)));
}

// A mix of everyday values and arbitrary bit patterns over the whole finite range, subnormals
// included.
std::vector<double> sample_values(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::vector<double> values;
  while (values.size() < count) {
    double x = 0;
    switch (values.size() % 6) {
    case 0: x = std::bit_cast<double>(random() & 0x7FFFFFFFFFFFFFFFull); break;
    case 1:
      x = static_cast<double>(random() % 2000000) / std::pow(10.0, static_cast<int>(random() % 9));
      break;
    case 2: x = std::uniform_real_distribution<double>(0, 1)(random); break;
    case 3:
      x = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 200) - 150);
      break;
    case 4: x = std::bit_cast<double>(random() >> 12); break; // subnormal
    default: {
      // A table's points: x stepped by 0.001, and x * x - 2.
      const double step = static_cast<double>(random() % 1000001) * 0.001;
      x = random() % 2 ? step : std::fabs(step * step - 2);
    }
    }
    if (std::isfinite(x) && x > 0) values.push_back(x);
  }
  return values;
}

// ---- Fixed examples

struct Case {
  double x;
  double base;
  const char* text;
};

TEST(NumberWriteTest, EverydayValuesKeepTheirDigits) {
  const Case cases[] = {
      {10, 10, "10"},
      {0.5, 10, "0.5"},
      {0.05, 10, "0.05"},
      {0.001, 10, "0.001"},
      {1.0 / 3, 10, "0.333333333333333"},
      {2.0 / 3, 10, "0.666666666666666"},
      {0.1 + 0.2, 10, "0.3"},
      {123.456, 10, "123.456"},
      {123456789012345.67, 10, "123456789012345"},
      {1e20, 10, "100000000000000000000"},
      {0.7, 10, "0.699999999999999"},
      {255, 16, "ff"},
      {-255, 16, "-ff"},
      {0.1, 16, "0.1999999999999"},
      {10, 2, "1010"},
      {3.75, 2, "11.11"},
      {35, 36, "z"},
      {100, 8, "144"},
      {-0.25, 10, "-0.25"},
      {1, 10, "1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(number_text(c.x, c.base), c.text) << c.x << " base " << c.base;
}

TEST(NumberWriteTest, ExactlyRepresentableFractionsAreNotRoundedDown) {
  EXPECT_EQ(number_text(0.75, 10), "0.75");
  EXPECT_EQ(number_text(0.125, 10), "0.125");
  EXPECT_EQ(number_text(0.5, 36), "0.i");
  EXPECT_EQ(number_text(0.5, 3), "0.11111111111111111111111111111111");
  EXPECT_EQ(number_text(1.5, 6), "1.3");
  EXPECT_EQ(number_text(1.5, 2), "1.1");
  // 52 integer digits use up the budget of 50: the .1 is not written.
  EXPECT_EQ(number_text(4503599627370495.5, 2), std::string(52, '1'));
}

TEST(NumberWriteTest, SpecialValues) {
  EXPECT_EQ(number_text(0.0, 10), "0");
  EXPECT_EQ(number_text(-0.0, 2), "0");
  EXPECT_EQ(number_text(inf, 10), "INF");
  EXPECT_EQ(number_text(-inf, 16), "-INF");
  EXPECT_EQ(number_text(tovik::lang::error_value(), 10), "NAN");
  EXPECT_EQ(number_text(std::numeric_limits<double>::quiet_NaN(), 10), "NAN");
  EXPECT_EQ(number_text(-std::numeric_limits<double>::quiet_NaN(), 36), "NAN");
}

TEST(NumberWriteTest, BadBasesWriteOnlyTheMessage) {
  for (double base : {1.0, 0.0, 37.0, -2.0, 2.5, 10.000001, inf, -inf,
                      std::numeric_limits<double>::quiet_NaN(), tovik::lang::error_value()})
    EXPECT_EQ(number_text(123, base), "Dravo.Write: unknown number system") << base;
  EXPECT_EQ(number_text(tovik::lang::error_value(), 0), "Dravo.Write: unknown number system");
}

TEST(NumberWriteTest, LargeIntegersWriteEveryExactDigit) {
  EXPECT_EQ(number_text(1e300, 10), decimal_expansion(1e300).whole);
  EXPECT_EQ(number_text(1e300, 10).size(), 301u);
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(number_text(largest, 2), std::string(53, '1') + std::string(971, '0'));
  EXPECT_EQ(number_text(-largest, 16), "-" + std::string(13, 'f') + "8" + std::string(242, '0'));
  EXPECT_EQ(number_text(18446744073709551616.0, 10), "18446744073709551616");
  EXPECT_EQ(number_text(18446744073709549568.0, 10), "18446744073709549568");
  EXPECT_EQ(number_text(std::ldexp(1, 100), 32), "1" + std::string(20, '0'));
}

TEST(NumberWriteTest, TinyValuesStopAtTheLowestPosition) {
  // The double nearest 1e-310 lies just below it, so its leading digit is at position -311.
  EXPECT_EQ(number_text(1e-310, 10), "0." + std::string(310, '0'));
  EXPECT_EQ(number_text(-1e-310, 10), "-0." + std::string(310, '0'));
  EXPECT_EQ(number_text(std::ldexp(1, -1074), 2), "0." + std::string(1073, '0'));
  EXPECT_EQ(number_text(std::ldexp(1, -307), 2), "0." + std::string(306, '0') + "1");
  EXPECT_EQ(number_text(std::ldexp(1, -308), 2), "0." + std::string(307, '0'));
  EXPECT_EQ(number_text(1e-300, 10), "0." + std::string(299, '0') + "1");
  // 3 * 2^-306 in base 2: digits at -305 and -306 survive, then a zero stretch is cut off.
  EXPECT_EQ(number_text(std::ldexp(3, -306) + std::ldexp(1, -400), 2),
            "0." + std::string(304, '0') + "11");
}

TEST(NumberWriteTest, PiecesJoinToTheWholeText) {
  struct Pieces {
    std::string joined;
    int count = 0;
  } pieces;
  const double x = -std::ldexp(1, -1074);
  write_number(x, 2, &pieces, [](void* arg, const char* text) {
    auto* p = static_cast<Pieces*>(arg);
    p->joined += text;
    ++p->count;
  });
  EXPECT_EQ(pieces.joined, number_text(x, 2));
  EXPECT_GT(pieces.count, 1);
}

TEST(NumberWriteTest, DigitBudgetTable) {
  const int expected_budgets[37] = {0,  0,  50, 32, 25, 22, 20, 18, 17, 16, 15, 15, 14,
                                    14, 14, 13, 13, 13, 12, 12, 12, 12, 12, 12, 12, 12,
                                    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
  for (std::uint16_t base = 2; base <= 36; ++base)
    EXPECT_EQ(digit_budget(base), expected_budgets[base]) << base;
}

TEST(NumberWriteTest, IntegerPower) {
  EXPECT_EQ(integer_power(2, 10), 1024);
  EXPECT_EQ(integer_power(0.5, -3), 8);
  EXPECT_EQ(integer_power(7, 0), 1);
  EXPECT_EQ(integer_power(-3, 3), -27);
  EXPECT_EQ(integer_power(1, std::numeric_limits<std::int32_t>::min()), 1);
  EXPECT_NEAR(static_cast<double>(integer_power(10, -2)), 0.01, 1e-18);
}

// ---- Exact expansions over many values

TEST(NumberWriteTest, DecimalMatchesExactExpansion) {
  for (double x : sample_values(3000, 1)) {
    const std::string want = expected(decimal_expansion(x), 10);
    ASSERT_EQ(number_text(x, 10), want) << std::hexfloat << x;
    ASSERT_EQ(number_text(-x, 10), "-" + want) << std::hexfloat << x;
  }
}

TEST(NumberWriteTest, BinaryAndHexadecimalMatchTheBits) {
  for (double x : sample_values(3000, 2)) {
    ASSERT_EQ(number_text(x, 2), expected(power_of_two_expansion(x, 1), 2)) << std::hexfloat << x;
    ASSERT_EQ(number_text(x, 16), expected(power_of_two_expansion(x, 4), 16)) << std::hexfloat << x;
    ASSERT_EQ(number_text(x, 8), expected(power_of_two_expansion(x, 3), 8)) << std::hexfloat << x;
  }
}

TEST(NumberWriteTest, EveryBaseMatchesBigIntegerExpansion) {
  const std::vector<double> values = sample_values(1400, 3);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const unsigned base = 2 + static_cast<unsigned>(i % 35);
    ASSERT_EQ(number_text(values[i], base), expected(big_expansion(values[i], base), base))
        << std::hexfloat << values[i] << " base " << base;
  }
}

TEST(NumberWriteTest, ReferencesAgreeWithEachOther) {
  for (double x : sample_values(200, 4)) {
    EXPECT_EQ(expected(big_expansion(x, 10), 10), expected(decimal_expansion(x), 10));
    EXPECT_EQ(expected(big_expansion(x, 16), 16), expected(power_of_two_expansion(x, 4), 16));
  }
}

} // namespace
