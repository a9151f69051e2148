#include "numout/format.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "lang/number.h"
#include "numout/write_number.h"

// The format comes from the user, so no printf directive in it is trusted: each one is taken
// apart and rebuilt so that printf reads exactly one argument of exactly the type it expects.

namespace tovik::numout {

namespace {

// A directive never reaches beyond this many characters after its '%'.
constexpr std::size_t directive_reach = 32;
// Widths and precisions are cut to this, so no directive can ask for unbounded output.
constexpr int largest_field = 10000;

bool is_ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_length_letter(char c) { return c != '\0' && std::strchr("hlLqjzt", c) != nullptr; }
bool is_blank(char c) { return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr; }

// ---- Conversions to integers: truncation toward zero; out of range or NaN gives the integer
// with only its sign (top) bit set.

std::int64_t to_signed(double x, int bits) {
  const double limit = std::ldexp(1.0, bits - 1);
  const double t = std::trunc(x);
  if (!(t >= -limit && t < limit)) return std::numeric_limits<std::int64_t>::min() >> (64 - bits);
  return static_cast<std::int64_t>(t);
}

// Negative values within the signed range wrap around as in two's complement.
std::uint64_t to_unsigned(double x, int bits) {
  const std::uint64_t mask = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
  const double t = std::trunc(x);
  if (!(t >= -std::ldexp(1.0, bits - 1) && t < std::ldexp(1.0, bits)))
    return std::uint64_t{1} << (bits - 1);
  if (t < 0) return static_cast<std::uint64_t>(static_cast<std::int64_t>(t)) & mask;
  return static_cast<std::uint64_t>(t) & mask;
}

// ---- Numbers after $ and #: optional white space, an optional sign, then digits. Values are
// held to the range of a 32-bit integer.

struct DecimalRead {
  bool found = false; // at least one digit
  int value = 0;
  const char* end = nullptr;
};

DecimalRead read_decimal(const char* p) {
  DecimalRead read;
  while (is_blank(*p)) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long magnitude = 0;
  for (; is_digit(*p); ++p) {
    read.found = true;
    magnitude = std::min(magnitude * 10 + (*p - '0'), 1LL << 31);
  }
  if (!read.found) return read;
  read.value = static_cast<int>(negative ? std::max(-magnitude, static_cast<long long>(INT_MIN))
                                         : std::min(magnitude, static_cast<long long>(INT_MAX)));
  read.end = p;
  return read;
}

// ---- printf directives

// What lies between '%' and the conversion letter.
struct DirectiveParts {
  std::string_view flags;
  int width = -1;     // -1: none
  int precision = -1; // -1: none
  std::string_view length;
  char conversion = '\0';
};

// Reads a field (width or precision) of digits; '*' stands for "none", since no argument is
// ever read for it.
const char* read_field(const char* p, int& field) {
  if (*p == '*') return p + 1;
  if (!is_digit(*p)) return p;
  long long value = 0;
  for (; is_digit(*p); ++p)
    value = std::min(value * 10 + (*p - '0'), static_cast<long long>(largest_field));
  field = static_cast<int>(value);
  return p;
}

bool is_known_length(std::string_view length) {
  static constexpr std::string_view known[] = {"", "hh", "h", "l", "ll", "q", "L", "j", "z", "t"};
  for (std::string_view k : known)
    if (length == k) return true;
  return false;
}

// Splits a complete directive ("%" ... conversion); false when it is not a well-formed one.
bool split_directive(std::string_view text, DirectiveParts& parts) {
  const char* p = text.data() + 1;
  const char* const last = text.data() + text.size() - 1;
  const char* start = p;
  while (p < last && std::strchr("-+ #0'", *p) != nullptr) ++p;
  parts.flags = std::string_view(start, static_cast<std::size_t>(p - start));
  p = read_field(p, parts.width);
  if (p < last && *p == '.') {
    ++p;
    if (*p != '*') parts.precision = 0; // a lone '.' means precision 0
    p = read_field(p, parts.precision);
  }
  start = p;
  while (p < last && is_length_letter(*p)) ++p;
  parts.length = std::string_view(start, static_cast<std::size_t>(p - start));
  parts.conversion = *last;
  return p == last && is_known_length(parts.length);
}

// Bits of the integer a conversion's length modifier names (int when there is none).
int integer_bits(std::string_view length) {
  if (length == "hh") return 8;
  if (length == "h") return 16;
  return length.empty() ? 32 : 64;
}

// Builds "%<flags><width>.<precision><length><conversion>" keeping only the flags that printf
// defines for the conversion.
class SafeFormat {
public:
  SafeFormat(const DirectiveParts& parts, std::string_view allowed_flags, bool with_precision,
             std::string_view length, char conversion) {
    append('%');
    for (char flag : parts.flags)
      if (allowed_flags.find(flag) != std::string_view::npos) append(flag);
    if (parts.width >= 0) append_number(parts.width);
    if (with_precision && parts.precision >= 0) {
      append('.');
      append_number(parts.precision);
    }
    for (char c : length) append(c);
    append(conversion);
  }
  const char* text() const { return text_; }

private:
  void append(char c) {
    if (used_ + 1 < sizeof text_) text_[used_++] = c;
    text_[used_] = '\0';
  }
  void append_number(int value) {
    char digits[12];
    std::snprintf(digits, sizeof digits, "%d", value);
    for (const char* d = digits; *d != '\0'; ++d) append(*d);
  }
  char text_[64] = {};
  std::size_t used_ = 0;
};

void print_literal(std::FILE* out, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), out);
}

// Prints a complete, well-formed directive with x converted to what its conversion takes.
// Returns false for conversions this formatter does not offer.
bool print_conversion(std::FILE* out, double x, const DirectiveParts& parts) {
  const char c = parts.conversion;
  const int bits = integer_bits(parts.length);
  if (c == 'd' || c == 'i') {
    const SafeFormat format(parts, "-+ 0'", true, "ll", c);
    std::fprintf(out, format.text(), static_cast<long long>(to_signed(x, bits)));
  } else if (c == 'o' || c == 'x' || c == 'X' || c == 'u') {
    const SafeFormat format(parts, c == 'u' ? "-0'" : "-#0", true, "ll", c);
    std::fprintf(out, format.text(), static_cast<unsigned long long>(to_unsigned(x, bits)));
  } else if (c == 'c' || c == 'C') {
    const SafeFormat format(parts, "-", false, "", 'c');
    std::fprintf(out, format.text(),
                 static_cast<int>(static_cast<unsigned char>(to_signed(x, 32))));
  } else if (std::strchr("fFgG", c) != nullptr) {
    std::fprintf(out, SafeFormat(parts, "-+ #0'", true, "", c).text(), x);
  } else if (std::strchr("eEaA", c) != nullptr) {
    std::fprintf(out, SafeFormat(parts, "-+ #0", true, "", c).text(), x);
  } else if (c == 's' || c == 'S' || c == 'p') {
    std::fprintf(out, SafeFormat(parts, "-+ #0'", true, "", 'g').text(), x);
  } else if (c == '%') {
    std::fputc('%', out);
  } else if (c != 'n') {
    return false;
  }
  return true;
}

// p points at '%'. A directive that is cut off, malformed or of an unknown conversion is
// printed as it stands.
const char* print_directive(std::FILE* out, double x, const char* p) {
  std::size_t reach = 1;
  bool complete = false;
  while (reach <= directive_reach && p[reach] != '\0') {
    const char c = p[reach++];
    if (c == '%' || (is_ascii_letter(c) && !is_length_letter(c))) {
      complete = true;
      break;
    }
  }
  const std::string_view text(p, reach);
  DirectiveParts parts;
  if (!complete || !split_directive(text, parts) || !print_conversion(out, x, parts))
    print_literal(out, text);
  return p + reach;
}

// ---- $ items: the number writer in a base

const char* print_dollar_item(std::FILE* out, double x, const char* p) {
  switch (p[1]) {
  case 'B': print_in_base(out, x, 2); return p + 2;
  case 'O': print_in_base(out, x, 8); return p + 2;
  case 'D': print_in_base(out, x, 10); return p + 2;
  case 'H': print_in_base(out, x, 16); return p + 2;
  case '$': std::fputc('$', out); return p + 2;
  default: break;
  }
  const DecimalRead base = read_decimal(p + 1);
  if (base.found && base.value >= 2 && base.value <= 36) {
    print_in_base(out, x, base.value);
    return base.end;
  }
  std::fprintf(out, "$error[%d]", base.value);
  // Only the character after the $ is passed over, so the rest of a long number stays text.
  return p[1] == '\0' ? p + 1 : p + 2;
}

// ---- # items: characters and raw bytes

void print_bytes(std::FILE* out, const void* data, std::size_t count) {
  unsigned char bytes[8];
  std::memcpy(bytes, data, count);
  for (std::size_t i = 0; i < count; ++i) std::fprintf(out, "%02X ", bytes[i]);
}

const char* print_hash_item(std::FILE* out, double x, const char* p) {
  switch (p[1]) {
  case '#': std::fputc('#', out); return p + 2;
  case 'L': std::fputc('\n', out); return p + 2;
  case 'T': std::fputc('\t', out); return p + 2;
  case 'd': print_bytes(out, &x, sizeof x); return p + 2;
  case 'l': {
    const auto value = static_cast<std::int32_t>(to_signed(x, 32));
    print_bytes(out, &value, sizeof value);
    return p + 2;
  }
  case 's': {
    const auto value = static_cast<std::uint32_t>(to_signed(x, 64) & 0xFFFFFFFF);
    print_bytes(out, &value, sizeof value);
    return p + 2;
  }
  default: break;
  }
  const DecimalRead code = read_decimal(p + 1);
  if (code.found) {
    std::fputc(static_cast<unsigned char>(code.value & 0xFF), out);
    return code.end;
  }
  // A lone # gives a NUL character and leaves what follows it to be read as an item.
  std::fputc('\0', out);
  return p + 1;
}

} // namespace

void print_formatted(std::FILE* out, double x, const char* format) {
  if (lang::is_error_value(x) || format == nullptr) return;
  const char* p = format;
  while (*p != '\0') {
    switch (*p) {
    case '%': p = print_directive(out, x, p); break;
    case '$': p = print_dollar_item(out, x, p); break;
    case '#': p = print_hash_item(out, x, p); break;
    default: {
      const std::size_t run = std::strcspn(p, "%$#");
      print_literal(out, std::string_view(p, run));
      p += run;
    }
    }
  }
}

} // namespace tovik::numout
