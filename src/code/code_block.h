#pragma once
// Code blocks: flat byte sequences of instructions with their operands inline, always held
// together with their length. Blocks of global objects are shared, so that a block stays alive
// while a call frame still runs in it even after its object was redefined or deleted.

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace tovik::runner {

using CodeBlock = std::vector<std::uint8_t>;
using CodeRef = std::shared_ptr<const CodeBlock>;

// Positions inside a block are 32-bit; larger blocks are never run.
inline constexpr std::uint32_t max_block_size = 0x7FFFFFFFu;

// Operands are little-endian and unaligned.
inline std::int32_t read_i32(const std::uint8_t* at) {
  std::uint32_t v = std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
                    std::uint32_t(at[3]) << 24;
  return static_cast<std::int32_t>(v);
}

inline double read_f64(const std::uint8_t* at) {
  std::uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, at, sizeof v); // one load: every constant the runner pushes comes through here
  } else {
    for (int i = 7; i >= 0; --i) v = v << 8 | at[i];
  }
  return std::bit_cast<double>(v);
}

inline void write_i32(std::uint8_t* at, std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void write_f64(std::uint8_t* at, double value) {
  auto v = std::bit_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The name or text operand that starts at `from`: the bytes up to its zero byte. False when
// the block ends first, so that no operand is ever read past the end of its block.
inline bool zero_ended_at(const std::uint8_t* code, std::size_t size, std::size_t from,
                          std::string_view& text) {
  if (from >= size) return false;
  const void* end = std::memchr(code + from, 0, size - from);
  if (!end) return false;
  text = std::string_view(
      reinterpret_cast<const char*>(code + from),
      static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - (code + from)));
  return true;
}

} // namespace tovik::runner
