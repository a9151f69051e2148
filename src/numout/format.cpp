#include "numout/format.h"

#include "lang/names.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "lang/number.h"
#include "numout/rounded_digits.h"
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
  while (lang::is_blank(*p)) ++p;
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

// Appends "%<flags><width>.<precision><length><conversion>" and a NUL to `texts`, keeping only
// the flags that printf defines for the conversion; returns where it starts.
std::uint32_t add_safe_format(std::string& texts, const DirectiveParts& parts,
                              std::string_view allowed_flags, bool with_precision,
                              std::string_view length, char conversion) {
  const auto at = static_cast<std::uint32_t>(texts.size());
  texts += '%';
  for (char flag : parts.flags)
    if (allowed_flags.find(flag) != std::string_view::npos) texts += flag;
  if (parts.width >= 0) texts += std::to_string(parts.width);
  if (with_precision && parts.precision >= 0) {
    texts += '.';
    texts += std::to_string(parts.precision);
  }
  texts += length;
  texts += conversion;
  texts += '\0';
  return at;
}

// Whether std::to_chars writes this directive exactly as printf does: %e %f %g and their
// capitals with a width, a precision and the '-' flag only (the others change the digits or
// the padding in ways printf alone decides).
bool is_quick_float(const DirectiveParts& parts) {
  if (std::strchr("eEfFgG", parts.conversion) == nullptr) return false;
  for (char flag : parts.flags)
    if (flag != '-') return false;
  return true;
}

std::chars_format chars_format_of(char conversion) {
  switch (conversion) {
  case 'e':
  case 'E': return std::chars_format::scientific;
  case 'f':
  case 'F': return std::chars_format::fixed;
  default: return std::chars_format::general;
  }
}

// False when the text does not fit the buffer (very wide or precise fields); printf writes it.
bool print_quick_float(OutputCollector& out, double x, const FormatPiece& piece) {
  const bool rounded = piece.conversion != 'f' && piece.conversion != 'F';
  // Without a field width the text is written in place.
  if (rounded && piece.width <= 0) {
    if (const char* end =
            write_rounded(out.room(rounded_text_room), x, piece.conversion, piece.precision)) {
      out.commit(end);
      return true;
    }
  }
  char text[400];
  char* end = rounded ? write_rounded(text, x, piece.conversion, piece.precision) : nullptr;
  if (end == nullptr) {
    const auto [to_end, failed] = std::to_chars(text, text + sizeof text, x,
                                                chars_format_of(piece.conversion), piece.precision);
    if (failed != std::errc()) return false;
    end = to_end;
  }
  if (piece.conversion >= 'A' && piece.conversion <= 'Z')
    for (char* c = text; c != end; ++c)
      if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  const auto size = static_cast<std::size_t>(end - text);
  const std::size_t pad =
      piece.width > static_cast<int>(size) ? static_cast<std::size_t>(piece.width) - size : 0;
  if (!piece.left) out.put_repeated(' ', pad);
  out.put(text, size);
  if (piece.left) out.put_repeated(' ', pad);
  return true;
}

// Each byte as two capital hexadecimal digits and a blank.
void print_bytes(OutputCollector& out, const void* data, std::size_t count) {
  unsigned char bytes[8];
  std::memcpy(bytes, data, count);
  for (std::size_t i = 0; i < count; ++i) {
    const char text[3] = {"0123456789ABCDEF"[bytes[i] >> 4], "0123456789ABCDEF"[bytes[i] & 15],
                          ' '};
    out.put(text, sizeof text);
  }
}

} // namespace

void ParsedFormat::add_text(const char* text, std::size_t size) {
  if (size == 0) return;
  // Text that follows text is one piece, written with one call.
  if (!pieces_.empty() && pieces_.back().kind == FormatPiece::Kind::text &&
      pieces_.back().at + pieces_.back().size == texts_.size()) {
    texts_.append(text, size);
    pieces_.back().size += static_cast<std::uint32_t>(size);
    return;
  }
  FormatPiece piece;
  piece.at = static_cast<std::uint32_t>(texts_.size());
  piece.size = static_cast<std::uint32_t>(size);
  texts_.append(text, size);
  pieces_.push_back(piece);
}

// p points at '%'. A directive that is cut off, malformed or of an unknown conversion is
// printed as it stands.
const char* ParsedFormat::parse_directive(const char* p) {
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
  if (!complete || !split_directive(text, parts)) {
    add_text(text.data(), text.size());
    return p + reach;
  }
  using Kind = FormatPiece::Kind;
  const char c = parts.conversion;
  const int bits = integer_bits(parts.length);
  FormatPiece piece;
  if (c == 'd' || c == 'i') {
    piece.kind = Kind::signed_int;
    piece.at = add_safe_format(texts_, parts, "-+ 0'", true, "ll", c);
  } else if (c == 'o' || c == 'x' || c == 'X' || c == 'u') {
    piece.kind = Kind::unsigned_int;
    piece.at = add_safe_format(texts_, parts, c == 'u' ? "-0'" : "-#0", true, "ll", c);
  } else if (c == 'c' || c == 'C') {
    piece.kind = Kind::character;
    piece.at = add_safe_format(texts_, parts, "-", false, "", 'c');
  } else if (std::strchr("fFgGeEaA", c) != nullptr) {
    piece.kind = is_quick_float(parts) ? Kind::quick_float : Kind::floating;
    const bool exponent_form = std::strchr("eEaA", c) != nullptr;
    piece.at = add_safe_format(texts_, parts, exponent_form ? "-+ #0" : "-+ #0'", true, "", c);
  } else if (c == 's' || c == 'S' || c == 'p') {
    piece.kind = Kind::floating;
    piece.at = add_safe_format(texts_, parts, "-+ #0'", true, "", 'g');
  } else if (c == '%') {
    add_char('%');
    return p + reach;
  } else if (c == 'n') {
    return p + reach;
  } else {
    add_text(text.data(), text.size());
    return p + reach;
  }
  piece.conversion = c;
  piece.number = bits;
  piece.width = parts.width;
  piece.left = parts.flags.find('-') != std::string_view::npos;
  if (parts.precision >= 0) piece.precision = parts.precision;
  pieces_.push_back(piece);
  return p + reach;
}

// ---- $ items: the number writer in a base

const char* ParsedFormat::parse_dollar_item(const char* p) {
  FormatPiece piece;
  piece.kind = FormatPiece::Kind::in_base;
  const char* end = p + 2;
  switch (p[1]) {
  case 'B': piece.number = 2; break;
  case 'O': piece.number = 8; break;
  case 'D': piece.number = 10; break;
  case 'H': piece.number = 16; break;
  case '$': add_char('$'); return p + 2;
  default: {
    const DecimalRead base = read_decimal(p + 1);
    piece.number = base.value;
    if (base.found && base.value >= 2 && base.value <= 36) {
      end = base.end;
    } else {
      piece.kind = FormatPiece::Kind::base_error;
      // Only the character after the $ is passed over, so the rest of a long number stays text.
      end = p[1] == '\0' ? p + 1 : p + 2;
    }
  }
  }
  pieces_.push_back(piece);
  return end;
}

// ---- # items: characters and raw bytes

const char* ParsedFormat::parse_hash_item(const char* p) {
  using Kind = FormatPiece::Kind;
  FormatPiece piece;
  switch (p[1]) {
  case '#': add_char('#'); return p + 2;
  case 'L': add_char('\n'); return p + 2;
  case 'T': add_char('\t'); return p + 2;
  case 'd': piece.kind = Kind::raw_double; break;
  case 'l': piece.kind = Kind::raw_long; break;
  case 's': piece.kind = Kind::raw_size; break;
  default: {
    const DecimalRead code = read_decimal(p + 1);
    if (code.found) {
      add_char(static_cast<char>(code.value & 0xFF));
      return code.end;
    }
    // A lone # gives a NUL character and leaves what follows it to be read as an item.
    add_char('\0');
    return p + 1;
  }
  }
  pieces_.push_back(piece);
  return p + 2;
}

ParsedFormat::ParsedFormat(const char* format) : empty_(format == nullptr) {
  if (format == nullptr) return;
  const char* p = format;
  while (*p != '\0') {
    switch (*p) {
    case '%': p = parse_directive(p); break;
    case '$': p = parse_dollar_item(p); break;
    case '#': p = parse_hash_item(p); break;
    default: {
      const std::size_t run = std::strcspn(p, "%$#");
      add_text(p, run);
      p += run;
    }
    }
  }
}

void ParsedFormat::print(std::FILE* stream, double x) const {
  OutputCollector out(stream);
  print(out, x);
}

void ParsedFormat::print(OutputCollector& out, double x) const {
  if (lang::is_error_value(x) || empty_) return;
  using Kind = FormatPiece::Kind;
  for (const FormatPiece& piece : pieces_) {
    const char* text = texts_.data() + piece.at;
    switch (piece.kind) {
    case Kind::text: out.put(text, piece.size); break;
    case Kind::quick_float:
      if (!print_quick_float(out, x, piece)) std::fprintf(out.stream(), text, x);
      break;
    case Kind::floating: std::fprintf(out.stream(), text, x); break;
    case Kind::signed_int:
      std::fprintf(out.stream(), text, static_cast<long long>(to_signed(x, piece.number)));
      break;
    case Kind::unsigned_int:
      std::fprintf(out.stream(), text,
                   static_cast<unsigned long long>(to_unsigned(x, piece.number)));
      break;
    case Kind::character:
      std::fprintf(out.stream(), text,
                   static_cast<int>(static_cast<unsigned char>(to_signed(x, 32))));
      break;
    case Kind::in_base: out.put_number(x, static_cast<unsigned>(piece.number)); break;
    case Kind::base_error: std::fprintf(out.stream(), "$error[%d]", piece.number); break;
    case Kind::raw_double: print_bytes(out, &x, sizeof x); break;
    case Kind::raw_long: {
      const auto value = static_cast<std::int32_t>(to_signed(x, 32));
      print_bytes(out, &value, sizeof value);
      break;
    }
    case Kind::raw_size: {
      const auto value = static_cast<std::uint32_t>(to_signed(x, 64) & 0xFFFFFFFF);
      print_bytes(out, &value, sizeof value);
      break;
    }
    }
  }
}

// Text that does not fit what is left: what was gathered is written first.
void OutputCollector::put_long(const char* text, std::size_t size) {
  flush();
  if (size > capacity_) {
    std::fwrite(text, 1, size, out_);
    return;
  }
  std::memcpy(text_, text, size);
  used_ = size;
}

void OutputCollector::put_repeated(char c, std::size_t count) {
  while (count != 0) {
    if (used_ == capacity_) flush();
    const std::size_t run = std::min(count, capacity_ - used_);
    std::memset(text_ + used_, c, run);
    used_ += run;
    count -= run;
  }
}

void OutputCollector::put_number(double x, unsigned base) {
  char* const at = room(number_text_room);
  commit(at + write_number_chars(x, base, at));
}

void OutputCollector::flush() {
  if (used_ != 0) std::fwrite(text_, 1, used_, out_);
  used_ = 0;
}

void print_formatted(std::FILE* out, double x, const char* format) {
  if (lang::is_error_value(x) || format == nullptr) return;
  // Value after value is shown through the same format: the last one stays parsed.
  thread_local std::string last_text;
  thread_local std::optional<ParsedFormat> last;
  if (!last || last_text != format) {
    last.reset();
    last_text = format;
    last.emplace(format);
  }
  last->print(out, x);
}

} // namespace tovik::numout
