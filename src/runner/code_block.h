#pragma once
// Code blocks: flat byte sequences of instructions with their operands inline, always held
// together with their length. Blocks of global objects are shared, so that a block stays alive
// while a call frame still runs in it even after its object was redefined or deleted.

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
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
  for (int i = 7; i >= 0; --i) v = v << 8 | at[i];
  return std::bit_cast<double>(v);
}

inline void append_i32(CodeBlock& block, std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) block.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void append_f64(CodeBlock& block, double value) {
  auto v = std::bit_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) block.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace tovik::runner
