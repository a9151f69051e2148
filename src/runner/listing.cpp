#include "runner/listing.h"

#include "code/code_block.h"
#include "runner/decode.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace tovik::runner {

namespace {

// Jump and return targets print as offsets from the start of the block.
int target_of(std::uint32_t at, std::int32_t displacement) {
  return static_cast<int>(std::int64_t(at) + displacement);
}

void print_thread(std::FILE* out, const Instruction& ins, std::uint32_t at) {
  if (ins.name.empty())
    std::fputs("NTHR (NONAME)", out);
  else
    std::fprintf(out, opcode_table[ins.op].text, std::string(ins.name).c_str());
  std::fprintf(out, " JUMP %d (LENGTH %d)",
               static_cast<int>(std::int64_t(at) + ins.length + ins.number), ins.number);
}

void print_goto(std::FILE* out, const Instruction& ins) {
  char hex[9] = {};
  for (std::size_t i = 0; i < ins.bytes.size() && i < 4; ++i)
    std::snprintf(hex + 2 * i, 3, "%02X", ins.bytes[i]);
  std::fprintf(out, opcode_table[ins.op].text, hex);
}

void print_explanation(std::FILE* out, const Instruction& ins, std::uint32_t at) {
  const char* text = opcode_table[ins.op].text;
  const std::string name(ins.name), words(ins.text);
  const unsigned code = ins.code;
  const int target = target_of(at, ins.displacement);
  if (!ins.known) return void(std::fputs("unknown command", out));
  if (!ins.complete) return void(std::fputs("incomplete command", out));
  switch (ins.layout) {
  case Layout::None: std::fputs(text, out); break;
  case Layout::F64: std::fprintf(out, text, ins.value); break;
  case Layout::I32: std::fprintf(out, text, ins.number); break;
  case Layout::Disp: std::fprintf(out, text, target, ins.displacement); break;
  case Layout::I32Disp: std::fprintf(out, text, ins.number, target, ins.displacement); break;
  case Layout::Code: std::fprintf(out, text, code); break;
  case Layout::CodeI32: std::fprintf(out, text, code, ins.number); break;
  case Layout::Name: std::fprintf(out, text, name.c_str()); break;
  case Layout::NameI32: std::fprintf(out, text, name.c_str(), ins.number); break;
  case Layout::Text: std::fprintf(out, text, words.c_str()); break;
  case Layout::Func: std::fprintf(out, text, name.c_str(), words.c_str()); break;
  case Layout::Thread: print_thread(out, ins, at); break;
  case Layout::Goto: print_goto(out, ins); break;
  }
}

bool stop_for_key(std::FILE* out, bool (*key_waiting)()) {
  if (!key_waiting || !key_waiting()) return false;
  std::fputs("\nBREAK | Broken by user.\n", out);
  return true;
}

} // namespace

Instruction list_instruction(std::FILE* out, std::span<const std::uint8_t> block,
                             std::uint32_t at) {
  Instruction ins = decode_instruction(block, at);
  std::fprintf(out, "%7d |  %02X | ", static_cast<int>(at), ins.op);
  print_explanation(out, ins, at);
  return ins;
}

void list_code(std::FILE* out, bool (*key_waiting)(), const char* title,
               std::span<const std::uint8_t> block) {
  std::fprintf(out, "%s", title);
  std::fputs("\naddress | cmd | explanation", out);
  if (stop_for_key(out, key_waiting)) return;
  // Offsets are 32-bit; nothing past the largest runnable block is listed.
  const std::uint32_t size = std::uint32_t(std::min<std::size_t>(block.size(), max_block_size));
  std::uint32_t at = 0;
  while (at < size) {
    std::fputc('\n', out);
    const Instruction ins = list_instruction(out, block, at);
    if (ins.op == byte_of(Op::ret) && at + 1 >= size) {
      std::fputs("\n", out);
      return;
    }
    at += ins.length;
    if (at < size && stop_for_key(out, key_waiting)) return;
  }
}

} // namespace tovik::runner
