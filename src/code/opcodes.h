#pragma once
// The instruction set, declared once. Each entry is
//   X(name, opcode byte, operand layout, listing text)
// and the list is expanded into the opcode enum and the opcode table. From the table and the
// fields of each layout (below the list) come the lengths the runner checks and steps by, the
// decoder and the listing, the compiler's typed emitter (code/emit.h), which refuses to compile
// an instruction whose operands do not fit its layout, and the offsets at which displacements
// are patched. Adding an opcode is one line here and its case in the runner's dispatch loop.
// The high nibble of an opcode is its group.
//
// Operand layouts (after the opcode byte; integers and doubles little-endian, unaligned):
//   None     nothing
//   F64      8-byte double
//   I32      4-byte signed count or index
//   Disp     4-byte displacement, added to the opcode's own position
//   I32Disp  count, then displacement
//   Code     1-byte operator or standard object code
//   CodeI32  code, then count
//   Name     bytes ended by a zero byte (possibly empty)
//   NameI32  name, then count
//   Text     bytes ended by a zero byte, printed or run unchanged
//   Func     name, 4-byte length L, L code bytes, text
//   Thread   name, 4-byte body length; the body follows as ordinary instructions
//   Goto     reserved: the runner steps over one byte, the listing over five
//
// Semantics (Stack 1 before -> after, top at the right):
//   PUSH v        ... -> ... v
//   CALL*         call a global object; its RETURN continues after the instruction
//   ARGS          push the frame's arguments and their count as a group on Stack 2
//   ARGS (h,e)    ... h e -> ... arg[h..e]; group e-h+1 on Stack 2
//   INIT ARGS(n)  Stack 2: marker -1, then n
//   OPER c        ... l r -> ... l c r
//   RETURN        drop the frame's arguments and locals, keep what it computed above them
//   STDO*         standard object with 0, n, the argument total or a popped count of arguments
//   SET [x]       ... v -> ... v, global x = v;  SET* pops v
//   FUNC          define a global function with the carried code and text
//   DEL/RUN/PRNT  object removal, a console line, text output
//   JIFN d        ... c -> ..., jump when c == 0;  JUMP d always
//   SET/GET LOCAL, SET ARG, ARG, PUSH ARGN, INIT LOCALS   frame slots
//   UOPR c        ... x -> ... c x  (code 0: nothing at all)
//   READ          ... -> ... number read from a console line
//   MAIN*         inline call of the body that follows; its RETURN goes to opcode + d
//   group 7       thread instructions: every byte 0x70..0x7F ends the run by the thread hand-off

#include <array>
#include <cstdint>

#define TOVIK_OPCODES(X)                                                                           \
  X(push, 0x00, F64, "PUSH %g")                                                                    \
  X(call, 0x01, Name, "CALL [%s]")                                                                 \
  X(call_n, 0x02, NameI32, "CALL [%s](%d)")                                                        \
  X(call_args, 0x03, Name, "CALL [%s](ARGS)")                                                      \
  X(args, 0x04, None, "ARGS")                                                                      \
  X(args_range, 0x05, None, "ARGS (home,end)")                                                     \
  X(init_args, 0x06, I32, "INIT ARGS(%d)")                                                         \
  X(oper, 0x10, Code, "OPER %X")                                                                   \
  X(call_pop, 0x11, Name, "CALL [%s](POP)")                                                        \
  X(ret, 0x12, None, "RETURN")                                                                     \
  X(stdo_pop, 0x13, Code, "STDO %X(POP)")                                                          \
  X(set, 0x14, Name, "SET  [%s]")                                                                  \
  X(func, 0x15, Func, "FUNC [%s] = [%s]")                                                          \
  X(set_pop, 0x16, Name, "SET* [%s]")                                                              \
  X(del, 0x20, Name, "DEL  [%s]")                                                                  \
  X(run, 0x21, Text, "RUN  [%s]")                                                                  \
  X(print_text, 0x22, Text, "PRNT [%s]")                                                           \
  X(print_top, 0x23, None, "PRNT ST1")                                                             \
  X(pop, 0x24, None, "POP")                                                                        \
  X(set_local_pop, 0x25, None, "SET  LOCAL(POP)")                                                  \
  X(get_local_pop, 0x26, None, "GET  LOCAL(POP)")                                                  \
  X(jifn, 0x30, Disp, "JIFN %d (SHIFT %d)")                                                        \
  X(jump, 0x31, Disp, "JUMP %d (SHIFT %d)")                                                        \
  X(goto_reserved, 0x32, Goto, "GOTO %s")                                                          \
  X(set_local, 0x33, I32, "SET  LOCAL(%d)")                                                        \
  X(get_local, 0x34, I32, "GET  LOCAL(%d)")                                                        \
  X(set_arg, 0x35, I32, "SET  ARG(%d)")                                                            \
  X(set_arg_pop, 0x36, None, "SET  ARG(POP)")                                                      \
  X(arg_pop, 0x40, None, "ARG  POP")                                                               \
  X(arg, 0x41, I32, "ARG  %d")                                                                     \
  X(uopr, 0x42, Code, "UOPR %X")                                                                   \
  X(push_argn, 0x43, None, "PUSH ARGN")                                                            \
  X(init_locals, 0x44, I32, "INIT LOCALS(%d)")                                                     \
  X(init_locals_pop, 0x45, None, "INIT LOCALS(POP)")                                               \
  X(print_char, 0x46, None, "PRNT CHAR (POP)")                                                     \
  X(stdo, 0x50, Code, "STDO %X")                                                                   \
  X(stdo_n, 0x51, CodeI32, "STDO %X(%d)")                                                          \
  X(stdo_args, 0x52, Code, "STDO %X(ARGS)")                                                        \
  X(read, 0x53, None, "READ")                                                                      \
  X(main_n, 0x60, I32Disp, "MAIN (%d) RETURN TO %d (SHIFT %d)")                                    \
  X(main_pop, 0x61, Disp, "MAIN (POP) RETURN TO %d (SHIFT %d)")                                    \
  X(main_args, 0x62, Disp, "MAIN (ARGS) RETURN TO %d (SHIFT %d)")                                  \
  X(new_thread, 0x70, Thread, "NTHR [%s]")                                                         \
  X(send, 0x71, Name, "SEND [%s]")                                                                 \
  X(read_message, 0x72, None, "RMSG (POP)")                                                        \
  X(sleep, 0x73, Name, "SLP  [%s]")                                                                \
  X(sleep_me, 0x74, None, "SLP  (ME)")                                                             \
  X(wake_up, 0x75, Name, "WKUP [%s]")                                                              \
  X(kill, 0x76, Name, "KILL [%s]")                                                                 \
  X(kill_me, 0x77, None, "KILL (ME)")                                                              \
  X(return_pop, 0x78, None, "RET  (POP)")                                                          \
  X(send_id, 0x79, Name, "SNID [%s]")                                                              \
  X(send_id_pop, 0x7A, None, "SNID (POP)")                                                         \
  X(send_pop, 0x7B, None, "SEND (POP)")                                                            \
  X(sleep_pop, 0x7C, None, "SLP  (POP)")                                                           \
  X(wake_up_pop, 0x7D, None, "WKUP (POP)")                                                         \
  X(kill_pop, 0x7E, None, "KILL (POP)")

namespace tovik::runner {

enum class Op : std::uint8_t {
#define TOVIK_OPCODE_ENUM(name, byte, layout, text) name = byte,
  TOVIK_OPCODES(TOVIK_OPCODE_ENUM)
#undef TOVIK_OPCODE_ENUM
};

enum class Layout : std::uint8_t {
  None,
  F64,
  I32,
  Disp,
  I32Disp,
  Code,
  CodeI32,
  Name,
  NameI32,
  Text,
  Func,
  Thread,
  Goto
};

struct OpcodeInfo {
  bool valid = false;
  Layout layout = Layout::None;
  const char* text = nullptr;
};

inline constexpr std::array<OpcodeInfo, 256> opcode_table = [] {
  std::array<OpcodeInfo, 256> table{};
#define TOVIK_OPCODE_INFO(name, byte, layout, text) table[byte] = {true, Layout::layout, text};
  TOVIK_OPCODES(TOVIK_OPCODE_INFO)
#undef TOVIK_OPCODE_INFO
  return table;
}();

// The operands of each layout, in order. A Name or Text field is its bytes and a zero byte; a
// counted code field is a 4-byte length L and then L bytes; a reserved field is four bytes
// nothing reads.
enum class Field : std::uint8_t { f64, i32, disp, code, name, text, counted_code, reserved };

struct Fields {
  std::uint8_t count = 0;
  std::array<Field, 3> at{};
};

constexpr Fields fields_of(Layout layout) {
  using enum Field;
  switch (layout) {
  case Layout::None: return {};
  case Layout::F64: return {1, {f64}};
  case Layout::I32: return {1, {i32}};
  case Layout::Disp: return {1, {disp}};
  case Layout::I32Disp: return {2, {i32, disp}};
  case Layout::Code: return {1, {code}};
  case Layout::CodeI32: return {2, {code, i32}};
  case Layout::Name: return {1, {name}};
  case Layout::NameI32: return {2, {name, i32}};
  case Layout::Text: return {1, {text}};
  case Layout::Func: return {3, {name, counted_code, text}};
  case Layout::Thread: return {2, {name, i32}};
  case Layout::Goto: return {1, {reserved}};
  }
  return {};
}

// The bytes of a field when its variable part is empty.
constexpr std::uint32_t least_size(Field field) {
  switch (field) {
  case Field::f64: return 8;
  case Field::code:
  case Field::name:
  case Field::text: return 1;
  default: return 4;
  }
}

constexpr bool fixed_size(Field field) {
  return field != Field::name && field != Field::text && field != Field::counted_code;
}

// Bytes an instruction needs at the least: the opcode and its operands at their least size.
constexpr std::uint32_t minimum_length(Layout layout) {
  const Fields fields = fields_of(layout);
  std::uint32_t length = 1;
  for (std::uint8_t i = 0; i < fields.count; ++i) length += least_size(fields.at[i]);
  return length;
}

// Where the first operand of kind `field` starts, counted from the opcode byte; 0 when the
// layout has none or a field of variable size comes before it.
constexpr std::uint32_t field_offset(Layout layout, Field field) {
  const Fields fields = fields_of(layout);
  std::uint32_t offset = 1;
  for (std::uint8_t i = 0; i < fields.count; ++i) {
    if (fields.at[i] == field) return offset;
    if (!fixed_size(fields.at[i])) return 0;
    offset += least_size(fields.at[i]);
  }
  return 0;
}

// What the runner checks before it decodes: the thread group is handed off without reading its
// operands and the reserved GOTO is a one-byte no-op, so both need only their opcode.
inline constexpr std::array<std::uint8_t, 256> run_minimum_length = [] {
  std::array<std::uint8_t, 256> lengths{};
  for (unsigned op = 0; op < 256; ++op) {
    const OpcodeInfo& info = opcode_table[op];
    bool opcode_only = !info.valid || (op >> 4) == 7 || info.layout == Layout::Goto;
    lengths[op] = static_cast<std::uint8_t>(opcode_only ? 1 : minimum_length(info.layout));
  }
  return lengths;
}();

constexpr std::uint8_t byte_of(Op op) { return static_cast<std::uint8_t>(op); }

constexpr Layout layout_of(Op op) { return opcode_table[byte_of(op)].layout; }

// The length of an instruction whose operands all have a fixed size; 0 for any other.
constexpr std::uint32_t fixed_length(Op op) {
  const Fields fields = fields_of(layout_of(op));
  for (std::uint8_t i = 0; i < fields.count; ++i)
    if (!fixed_size(fields.at[i])) return 0;
  return minimum_length(layout_of(op));
}

// The length of an instruction with fixed-size operands, known when the program is compiled.
template <Op op>
requires(fixed_length(op) != 0) inline constexpr std::uint32_t length_of = fixed_length(op);

} // namespace tovik::runner
