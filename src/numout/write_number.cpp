#include "numout/write_number.h"

#include "numout/exact_binary.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The digits are those of the double's exact binary value, cut off (never rounded) at the digit
// budget. Working on the exact value keeps values such as 0.75 or 0.5 in base 36 from turning
// into 0.7499... or 0.hzzz..., which rounded powers of the base would give. Most values need
// only 128-bit arithmetic; the rest (huge integers, tiny fractions) go through big numbers.

namespace tovik::numout {

namespace {

constexpr char digit_chars[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// Fraction positions below base^-lowest_position are never written.
constexpr int lowest_position = 307;
constexpr int largest_budget = 50;

// Collects the text in a caller's buffer of number_text_room characters.
class TextOut {
public:
  explicit TextOut(char* at) : start_(at), at_(at) {}

  void put(char c) { *at_++ = c; }
  void put(const char* text, std::size_t length) {
    std::memcpy(at_, text, length);
    at_ += length;
  }
  void put_repeated(char c, std::size_t count) {
    std::memset(at_, c, count);
    at_ += count;
  }
  char* at() { return at_; }
  void move_to(char* at) { at_ = at; }
  std::size_t size() const { return static_cast<std::size_t>(at_ - start_); }

private:
  char* start_;
  char* at_;
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
  binary_parts(x, mantissa, exponent);
  const int zeros = std::countr_zero(mantissa);
  mantissa >>= zeros;
  exponent += zeros;
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

// A value below 1: "0.", the zeros before the leading digit (which do not count against the
// budget), then the budget's digits as far as the lowest position.
void write_below_one(TextOut& writer, double x, unsigned base, int budget) {
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

// ---- The common case without big numbers: a fraction m / 2^k with few enough bits that it,
// times a budget's worth of digits, fits in 128 bits. Every base's budget stays below 2^64.

std::uint64_t power_of(unsigned base, int exponent) {
  if (base == 10) // budget 15
    return static_cast<std::uint64_t>(powers_of_ten.at[static_cast<std::size_t>(exponent)]);
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) power *= base;
  return power;
}

// Whether numerator * base^digits fits in 128 bits when numerator < 2^fraction_bits.
bool fits_wide(int fraction_bits, std::uint64_t power) {
  return fraction_bits + bit_count(power) <= 128;
}

// The digits of floor(numerator * power / 2^fraction_bits), exactly `count` of them with leading
// zeros, trailing zeros cut off; returns how many remain.
std::size_t scaled_digits(TextOut& out, Wide numerator, int fraction_bits, std::uint64_t power,
                          unsigned base, int count) {
  char* const start = out.at();
  fixed_digits(start, static_cast<std::uint64_t>((numerator * power) >> fraction_bits), count,
               base);
  const std::size_t kept = without_trailing_zeros(start, static_cast<std::size_t>(count));
  out.move_to(start + kept);
  return kept;
}

void put_integer(TextOut& out, std::uint64_t value, unsigned base) {
  out.move_to(std::to_chars(out.at(), out.at() + 64, value, static_cast<int>(base)).ptr);
}

// How many digits `value` (at least 1) has in `base`.
int digit_count(std::uint64_t value, unsigned base) {
  if (base == 10) {
    // bits * log10(2) is the count or one below it.
    const int estimate = bit_count(value) * 1233 >> 12;
    return estimate + (estimate < 16 && value >= power_of(10, estimate) ? 1 : 0);
  }
  int count = 1;
  for (; value >= base; value /= base) ++count;
  return count;
}

// A positive finite value; the big-number routines take what the wide one cannot hold.
void write_positive(TextOut& out, double x, unsigned base, int budget) {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  binary_parts(x, mantissa, exponent);
  if (exponent >= 0) {
    if (exponent < std::countl_zero(mantissa)) {
      put_integer(out, mantissa << exponent, base);
    } else {
      const std::size_t count = big_digits_reversed(x, base, out.at());
      std::reverse(out.at(), out.at() + count);
      out.move_to(out.at() + count);
    }
    return;
  }
  const int fraction_bits = -exponent;
  if (fraction_bits < 53) { // an integer part, then fraction digits while the budget lasts
    const std::uint64_t whole = mantissa >> fraction_bits;
    const std::uint64_t rest = mantissa & ((std::uint64_t{1} << fraction_bits) - 1);
    const int whole_digits = digit_count(whole, base);
    fixed_digits(out.at(), whole, whole_digits, base);
    out.move_to(out.at() + whole_digits);
    const int left = budget - whole_digits;
    if (rest == 0 || left <= 0) return;
    out.put('.');
    // Below 2^53 the 53 fraction bits and the at most 63 bits of a budget's power always fit.
    if (scaled_digits(out, rest, fraction_bits, power_of(base, left), base, left) == 0)
      out.move_to(out.at() - 1);
    return;
  }
  std::uint64_t power = power_of(base, budget);
  if (!fits_wide(fraction_bits, power)) {
    write_below_one(out, x, base, budget);
    return;
  }
  // Zeros before the leading digit are free; the first digit that is not zero starts the budget.
  const Wide one = Wide{1} << fraction_bits;
  Wide numerator = mantissa;
  int zeros = 0;
  for (; numerator * base < one; ++zeros) numerator *= base;
  out.put("0.", 2);
  out.put_repeated('0', static_cast<std::size_t>(zeros));
  const int count = std::min(budget, lowest_position - zeros);
  if (count <= 0) return;
  if (count < budget) power = power_of(base, count);
  scaled_digits(out, numerator, fraction_bits, power, base, count);
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

std::size_t write_number_chars(double x, unsigned base, char* text) {
  TextOut out(text);
  // Every NaN, the error value among them, has the same text here.
  if (std::isnan(x)) {
    out.put("NAN", 3);
  } else if (x == 0) {
    out.put('0');
  } else if (std::isinf(x)) {
    if (x < 0) out.put('-');
    out.put("INF", 3);
  } else {
    if (x < 0) out.put('-');
    write_positive(out, std::fabs(x), base, digit_budget(static_cast<std::uint16_t>(base)));
  }
  return out.size();
}

void write_number(double x, double base, void* arg, Sink sink) {
  if (!is_valid_base(base)) {
    sink(arg, "Dravo.Write: unknown number system");
    return;
  }
  char text[number_text_room];
  const std::size_t size = write_number_chars(x, static_cast<unsigned>(base), text);
  // Handed over in pieces of bounded size, each ended by a NUL.
  std::array<char, 256> piece; // filled before it is read
  for (std::size_t at = 0; at < size; at += piece.size() - 1) {
    const std::size_t length = std::min(size - at, piece.size() - 1);
    std::memcpy(piece.data(), text + at, length);
    piece[length] = '\0';
    sink(arg, piece.data());
  }
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
