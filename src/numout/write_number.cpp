#include "numout/write_number.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

// The digits are those of the double's exact binary value, cut off (never rounded) at the digit
// budget. Working on the exact value keeps values such as 0.75 or 0.5 in base 36 from turning
// into 0.7499... or 0.hzzz..., which rounded powers of the base would give.

namespace tovik::numout {

namespace {

constexpr char digit_chars[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// Fraction positions below base^-lowest_position are never written.
constexpr int lowest_position = 307;
constexpr int largest_budget = 50;
// A finite double below 2^1024 has at most 1024 integer digits (in base 2).
constexpr std::size_t max_integer_digits = 1024;

// Hands text to the sink in pieces of bounded size, so that the writer never allocates.
class SinkWriter {
public:
  SinkWriter(void* arg, Sink sink) : arg_(arg), sink_(sink) {}
  SinkWriter(const SinkWriter&) = delete;
  SinkWriter& operator=(const SinkWriter&) = delete;

  void put(char c) {
    if (used_ + 1 == piece_.size()) flush();
    piece_[used_++] = c;
  }
  void put(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) put(text[i]);
  }
  void put_repeated(char c, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) put(c);
  }
  void flush() {
    if (used_ == 0) return;
    piece_[used_] = '\0';
    sink_(arg_, piece_.data());
    used_ = 0;
  }

private:
  void* arg_;
  Sink sink_;
  std::array<char, 256> piece_; // filled before it is read
  std::size_t used_ = 0;
};

// Sets the bits of `mantissa << shift` in a little-endian array of 32-bit limbs.
template <std::size_t N>
void place_bits(std::array<std::uint32_t, N>& limbs, std::uint64_t mantissa, unsigned shift) {
  const std::size_t word = shift / 32;
  const unsigned bit = shift % 32;
  const std::uint64_t low = mantissa << bit;
  const std::uint64_t high = bit == 0 ? 0 : mantissa >> (64 - bit);
  const std::uint64_t parts[3] = {low & 0xFFFFFFFFu, low >> 32, high};
  for (std::size_t i = 0; i < 3 && word + i < N; ++i)
    limbs[word + i] = static_cast<std::uint32_t>(parts[i]);
}

// Splits a positive finite double into an odd integer mantissa and a power of two.
void split_binary(double x, std::uint64_t& mantissa, int& exponent) {
  int binary_exponent = 0;
  const double fraction = std::frexp(x, &binary_exponent);
  mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent = binary_exponent - 53;
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
}

// Largest power of `base` that fits in 32 bits, and how many digits it spans.
void digit_chunk(unsigned base, std::uint32_t& divisor, int& digits) {
  std::uint64_t power = base;
  digits = 1;
  while (power * base <= 0xFFFFFFFFu) {
    power *= base;
    ++digits;
  }
  divisor = static_cast<std::uint32_t>(power);
}

// Writes the digits of `value` (least significant first) into `out`; returns their count.
std::size_t small_digits_reversed(std::uint64_t value, unsigned base, char* out) {
  std::size_t count = 0;
  do {
    out[count++] = digit_chars[value % base];
    value /= base;
  } while (value != 0);
  return count;
}

// Integers from 2^64 up: divides the exact big integer by a power of the base at a time.
std::size_t big_digits_reversed(double whole, unsigned base, char* out) {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  split_binary(whole, mantissa, exponent);
  std::array<std::uint32_t, 33> limbs{}; // room for 2^1024 and the mantissa's spill
  place_bits(limbs, mantissa, static_cast<unsigned>(exponent));
  std::uint32_t divisor = 0;
  int chunk_digits = 0;
  digit_chunk(base, divisor, chunk_digits);
  int top = static_cast<int>(limbs.size()) - 1;
  while (top > 0 && limbs[top] == 0) --top;
  std::size_t count = 0;
  while (top > 0 || limbs[0] != 0) {
    std::uint64_t remainder = 0;
    for (int i = top; i >= 0; --i) {
      const std::uint64_t current = (remainder << 32) | limbs[i];
      limbs[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    while (top > 0 && limbs[top] == 0) --top;
    const bool last = top == 0 && limbs[0] == 0;
    for (int d = 0; d < chunk_digits && !(last && remainder == 0); ++d) {
      out[count++] = digit_chars[remainder % base];
      remainder /= base;
    }
  }
  return count;
}

// Integer digits of a positive integral double, most significant first; returns their count.
std::size_t integer_digits(double whole, unsigned base, char* out) {
  constexpr double two_to_64 = 18446744073709551616.0;
  const std::size_t count =
      whole < two_to_64 ? small_digits_reversed(static_cast<std::uint64_t>(whole), base, out)
                        : big_digits_reversed(whole, base, out);
  std::reverse(out, out + count);
  return count;
}

// The exact fraction of a double as a fixed-point number; each call to next_digit multiplies it
// by the base and takes what moves across the point.
class BinaryFraction {
public:
  // 0 < fraction < 1.
  explicit BinaryFraction(double fraction) {
    std::uint64_t mantissa = 0;
    int exponent = 0;
    split_binary(fraction, mantissa, exponent);
    place_bits(limbs_, mantissa, static_cast<unsigned>(point_bits + exponent));
    lo_ = 0;
    while (limbs_[lo_] == 0) ++lo_;
    hi_ = static_cast<int>(limb_count) - 1;
    while (limbs_[hi_] == 0) --hi_;
  }

  unsigned next_digit(unsigned base) {
    std::uint64_t carry = 0;
    for (int i = lo_; i <= hi_; ++i) {
      const std::uint64_t current = std::uint64_t{limbs_[i]} * base + carry;
      limbs_[i] = static_cast<std::uint32_t>(current);
      carry = current >> 32;
    }
    if (carry != 0 && hi_ + 1 < static_cast<int>(limb_count)) {
      limbs_[++hi_] = static_cast<std::uint32_t>(carry);
      carry = 0;
    }
    while (lo_ <= hi_ && limbs_[lo_] == 0) ++lo_;
    while (hi_ >= lo_ && limbs_[hi_] == 0) --hi_;
    return static_cast<unsigned>(carry);
  }

private:
  // The smallest step of a double is 2^-1074; 34 limbs hold 1088 bits below the point.
  static constexpr std::size_t limb_count = 34;
  static constexpr int point_bits = 32 * static_cast<int>(limb_count);
  std::array<std::uint32_t, limb_count> limbs_{};
  int lo_ = 0;
  int hi_ = 0;
};

// Cuts trailing zeros from the collected fraction digits.
std::size_t without_trailing_zeros(const char* digits, std::size_t count) {
  while (count > 0 && digits[count - 1] == '0') --count;
  return count;
}

// Fraction of a value of at least 1: the digits left in the budget, from position -1.
void write_fraction(SinkWriter& writer, double fraction, unsigned base, int budget) {
  if (fraction == 0 || budget <= 0) return;
  BinaryFraction exact(fraction);
  std::array<char, largest_budget> digits;
  std::size_t count = 0;
  for (int i = 0; i < budget; ++i) digits[count++] = digit_chars[exact.next_digit(base)];
  count = without_trailing_zeros(digits.data(), count);
  if (count == 0) return;
  writer.put('.');
  writer.put(digits.data(), count);
}

// A value below 1: "0.", the zeros before the leading digit (which do not count against the
// budget), then the budget's digits as far as the lowest position.
void write_below_one(SinkWriter& writer, double x, unsigned base, int budget) {
  BinaryFraction exact(x);
  int position = -1;
  unsigned digit = exact.next_digit(base);
  while (digit == 0) {
    --position;
    digit = exact.next_digit(base);
  }
  writer.put("0.", 2);
  writer.put_repeated('0', static_cast<std::size_t>(-position - 1));
  std::array<char, largest_budget> digits;
  std::size_t count = 0;
  while (budget > 0 && position >= -lowest_position) {
    digits[count++] = digit_chars[digit];
    --budget;
    --position;
    digit = exact.next_digit(base);
  }
  writer.put(digits.data(), without_trailing_zeros(digits.data(), count));
}

bool is_valid_base(double base) { return base >= 2 && base <= 36 && base == std::floor(base); }

} // namespace

int digit_budget(std::uint16_t base) {
  static constexpr std::array<int, 37> budgets = {
      0,  0,  50, 32, 25, 22, 20, 18, 17, 16, 15, 15, 14, 14, 14, 13, 13, 13, 12,
      12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
  return base < budgets.size() ? budgets[base] : 0;
}

long double integer_power(long double base, std::int32_t exponent) {
  std::uint32_t remaining = exponent < 0 ? 0u - static_cast<std::uint32_t>(exponent)
                                         : static_cast<std::uint32_t>(exponent);
  long double result = 1;
  long double square = base;
  while (remaining != 0) {
    if (remaining & 1) result *= square;
    remaining >>= 1;
    if (remaining != 0) square *= square;
  }
  return exponent < 0 ? 1 / result : result;
}

void write_number(double x, double base, void* arg, Sink sink) {
  if (!is_valid_base(base)) {
    sink(arg, "Dravo.Write: unknown number system");
    return;
  }
  // Every NaN, the error value among them, has the same text here.
  if (std::isnan(x)) {
    sink(arg, "NAN");
    return;
  }
  if (x == 0) {
    sink(arg, "0");
    return;
  }
  if (std::isinf(x)) {
    sink(arg, x > 0 ? "INF" : "-INF");
    return;
  }
  const auto b = static_cast<unsigned>(base);
  const int budget = digit_budget(static_cast<std::uint16_t>(b));
  SinkWriter writer(arg, sink);
  if (x < 0) {
    writer.put('-');
    x = -x;
  }
  const double whole = std::trunc(x);
  if (whole == 0) {
    write_below_one(writer, x, b, budget);
  } else {
    std::array<char, max_integer_digits> digits; // written before it is read
    const std::size_t count = integer_digits(whole, b, digits.data());
    writer.put(digits.data(), count);
    write_fraction(writer, x - whole, b, budget - static_cast<int>(count));
  }
  writer.flush();
}

void print_in_base(std::FILE* out, double x, double base) {
  write_number(x, base, out, [](void* file, const char* text) {
    std::fputs(text, static_cast<std::FILE*>(file));
  });
}

std::string number_text(double x, double base) {
  std::string text;
  write_number(x, base, &text, [](void* target, const char* piece) {
    static_cast<std::string*>(target)->append(piece);
  });
  return text;
}

} // namespace tovik::numout
