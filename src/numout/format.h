#pragma once
// The output-format language: one value shown through printf directives, the number writer in
// any base, raw bytes and literal text.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace tovik::numout {

// One item of a parsed format: what to write, decided once for the whole format.
struct FormatPiece {
  enum class Kind : std::uint8_t {
    text,         // the bytes texts[at, at + size), NUL characters included
    quick_float,  // %e %f %g and their capitals, written without printf
    floating,     // printf directives: the rebuilt directive is at texts[at], NUL-ended
    signed_int,   //
    unsigned_int, //
    character,    //
    in_base,      // the number writer in base `number`
    base_error,   // "$error[number]"
    raw_double,   // the bytes of the value and of its two integer conversions
    raw_long,     //
    raw_size,     //
  };
  Kind kind = Kind::text;
  char conversion = '\0';
  bool left = false; // pad on the right
  int width = -1;
  int precision = 6;
  int number = 0; // base, error number or integer bits
  std::uint32_t at = 0;
  std::uint32_t size = 0;
};

// Gathers output text so that it reaches the stream in a few large writes rather than one per
// piece. What printf writes goes to stream(), which writes out everything gathered before it.
class OutputCollector {
public:
  explicit OutputCollector(std::FILE* out) : out_(out) {}
  // Gathers into `buffer` instead, `capacity` characters (at least number_text_room): a long
  // table writes larger pieces with fewer system calls.
  OutputCollector(std::FILE* out, char* buffer, std::size_t capacity)
      : out_(out), text_(buffer), capacity_(capacity) {}
  OutputCollector(const OutputCollector&) = delete;
  OutputCollector& operator=(const OutputCollector&) = delete;
  ~OutputCollector() { flush(); }

  void put(const char* text, std::size_t size) {
    if (size > capacity_ - used_) {
      put_long(text, size);
      return;
    }
    std::memcpy(text_ + used_, text, size);
    used_ += size;
  }
  void put_repeated(char c, std::size_t count);
  // The number writer's text for x in `base` (2..36).
  void put_number(double x, unsigned base);
  // Space for `size` characters written in place; commit() takes them up to `end`.
  char* room(std::size_t size) {
    if (capacity_ - used_ < size) flush();
    return text_ + used_;
  }
  void commit(const char* end) { used_ = static_cast<std::size_t>(end - text_); }
  std::FILE* stream() {
    flush();
    return out_;
  }
  void flush();

private:
  void put_long(const char* text, std::size_t size);

  char own_[4096];
  std::FILE* out_;
  char* text_ = own_;
  std::size_t capacity_ = sizeof own_;
  std::size_t used_ = 0;
};

// A format taken apart once, so that a long table does not parse it again for every value.
class ParsedFormat {
public:
  explicit ParsedFormat(const char* format);
  // Writes the expansion for x to `out`; nothing at all for the error value.
  void print(std::FILE* out, double x) const;
  void print(OutputCollector& out, double x) const;

private:
  void add_text(const char* text, std::size_t size);
  void add_char(char c) { add_text(&c, 1); }
  const char* parse_directive(const char* p);
  const char* parse_dollar_item(const char* p);
  const char* parse_hash_item(const char* p);

  std::vector<FormatPiece> pieces_;
  std::string texts_;
  bool empty_ = true; // no format at all
};

// Writes the expansion of `format` for x to `out`; nothing at all for the error value.
void print_formatted(std::FILE* out, double x, const char* format);

} // namespace tovik::numout
