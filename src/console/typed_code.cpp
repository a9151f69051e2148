#include "console/typed_code.h"

#include "code/emit.h"
#include "lang/number.h"
#include "runner/integer.h"

#include <algorithm>
#include <cctype>

namespace tovik::console {

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool is_white(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The value text after a marker runs to `stop` or the end; the stop character is consumed.
double read_value(std::string_view text, std::size_t& i, char stop) {
  std::size_t end = text.find(stop, i + 1);
  if (end == std::string_view::npos) end = text.size();
  double value = lang::read_number(text.data() + i + 1, end - i - 1);
  i = std::min(end + 1, text.size());
  return value;
}

// Handles a value marker at i; false when the character is none.
bool assemble_value(std::string_view text, std::size_t& i, runner::CodeBlock& out) {
  switch (text[i]) {
  case '[': runner::append_f64(out, read_value(text, i, ']')); return true;
  case 'l':
    runner::append_i32(out, runner::truncate_to_int32(read_value(text, i, ' ')));
    return true;
  case 's': {
    // The low four bytes of the 64-bit integer.
    auto wide = runner::truncate_to_int64(read_value(text, i, ' '));
    runner::append_i32(out, static_cast<std::int32_t>(static_cast<std::uint32_t>(wide)));
    return true;
  }
  }
  return false;
}

bool assemble_pair(std::string_view text, std::size_t& i, TypedCode& code) {
  int high = hex_digit(text[i]);
  int low = i + 1 < text.size() ? hex_digit(text[i + 1]) : -1;
  if (high < 0 || low < 0) {
    code.fault = TypedCode::Fault::bad_hex;
    code.bad_pair = std::string(text.substr(i, 2));
    return false;
  }
  code.bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  i += 2;
  return true;
}

} // namespace

TypedCode assemble_typed_code(std::string_view text) {
  TypedCode code;
  bool quoted = false;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\'') {
      quoted = !quoted;
      ++i;
    } else if (assemble_value(text, i, code.bytes)) {
    } else if (quoted) {
      code.bytes.push_back(static_cast<std::uint8_t>(c));
      ++i;
    } else if (is_white(c)) {
      ++i;
    } else if (!assemble_pair(text, i, code)) {
      return code;
    }
    if (code.bytes.size() > typed_code_limit) {
      code.fault = TypedCode::Fault::too_long;
      return code;
    }
  }
  if (code.bytes.empty() || code.bytes.back() != byte_of(runner::Op::ret))
    code.bytes.push_back(byte_of(runner::Op::ret));
  if (code.bytes.size() > typed_code_limit) code.fault = TypedCode::Fault::too_long;
  return code;
}

} // namespace tovik::console
