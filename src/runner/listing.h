#pragma once
// The code listing: a block as numbered instructions, one per line.

#include "runner/decode.h"

#include <cstdint>
#include <cstdio>
#include <span>

namespace tovik::runner {

// Writes the instruction at `at` (inside the block) as one listing line without a line end:
// its offset, its opcode byte and its text with the operands filled in. Returns it decoded.
Instruction list_instruction(std::FILE* out, std::span<const std::uint8_t> block, std::uint32_t at);

// Writes the title, the header line and one line per instruction to `out`; a key press that
// `key_waiting` reports (null: never) stops it. The key is not consumed.
void list_code(std::FILE* out, bool (*key_waiting)(), const char* title,
               std::span<const std::uint8_t> block);

} // namespace tovik::runner
