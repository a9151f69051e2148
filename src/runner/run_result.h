#pragma once
// Run result codes: 0 for success, otherwise the reason a run stopped. A three-digit code 0x1XY
// names instruction 0xXY, a four-digit code 0x1XYZ names instruction 0xXY with detail Z, and
// 0x2X0 a whole opcode group.
//
// Every code is declared once below as X(name, code, message) and expanded into the constant
// run_<name> and into the message table of the error line. Codes marked reserved have a message
// but nothing raises them. A null message means the code has no text of its own: success, and
// the stack-error stop, whose line counts the errors instead.

#include <cstdint>

namespace tovik::runner {

// Texts that several codes share.
namespace run_text {
inline constexpr const char* unknown_error = "Unknown error";
inline constexpr const char* unknown_command = "Unknown command";
inline constexpr const char* unknown_object = "Call object - unknown object";
inline constexpr const char* no_sleep_memory = "Not enough memory to sleep";
inline constexpr const char* no_wake_memory = "Not enough memory to wake up";
inline constexpr const char* standard_unknown = "Call standard object - unknown object";
inline constexpr const char* standard_stack_error = "Call standard object - Stack 1 error";
inline constexpr const char* standard_empty = "Call standard object - Stack 1 is empty";
inline constexpr const char* standard_rnd = "Call standard object RND requires 0 arguments";
inline constexpr const char* standard_too_big =
    "Call standard object - so big argn - Stack 1 is empty";
} // namespace run_text

// clang-format off
#define TOVIK_RUN_RESULTS(X)                                                                       \
  X(ok,                      0x0,    nullptr)                                                      \
  X(no_code,                 0x3,    "No code to execute")                                         \
  X(unknown_command,         0x4,    run_text::unknown_command)                                    \
  X(broken,                  0x5,    "Broken by user. Result is unknown.")                         \
  /* The code would read outside its block: an operand that runs past the end, a jump or      */ \
  /* return position outside it, or the end reached without a RETURN. Blocks typed in         */ \
  /* hexadecimal or read from files can hold anything, so this is checked, never assumed.     */ \
  X(left_block,              0x6,    "Code runs outside its block (operand, jump or return "       \
                                     "position beyond it)")                                        \
  X(thread_mismatch,         0xF,    "Tolvenark Tovik: Tolvenark is not complete this part of "    \
                                     "Tovik. This command is not exist now.")  /* reserved */      \
  X(no_machine_memory,       0x17,   "Not enough memory to change machine")    /* reserved */      \
  X(stack_errors,            0x30,   nullptr)                                                      \
  X(all_threads_asleep,      0x40,   "All of threads are sleeping or waiting messages") /* res. */ \
  X(no_thread_memory,        0x41,   "Not enough memory to make new thread")                       \
  X(call_unknown,            0x101,  run_text::unknown_object)                                     \
  X(call_n_too_few,          0x102,  "Call object [const argn] - command requires more argumets.") \
  X(return_stack_empty,      0x112,  "Return - Stack 1 is empty")                                  \
  X(func_refused,            0x115,  "Define function - error")                                    \
  /* RUN met while too many runs are already suspended in RUN instructions. */                    \
  X(nested_too_deep,         0x121,  "Run command - too many runs nested in RUN")                  \
  X(uopr_unknown_reserved,   0x142,  "Call un. operator - unknown operator (Do you confuse "       \
                                     "unary & binary operator?)")              /* reserved */      \
  X(stdo_unknown_operator,   0x150,  "Call standard object - unknown operator (Do you confuse "    \
                                     "unary & binary operator?)")              /* reserved */      \
  X(main_n_too_few,          0x160,  "Call MAIN [const argn] - command requires more argumets")    \
  X(new_thread_memory,       0x170,  "New thread - not enough memory")         /* reserved */      \
  X(send_memory,             0x171,  "Send message - not enough memory to wake up") /* res. */     \
  X(message_memory,          0x172,  "MSG - not enough memory to sleep")       /* reserved */      \
  X(sleep_memory,            0x173,  run_text::no_sleep_memory)                /* reserved */      \
  X(sleep_me_memory,         0x174,  "Not enough memory to sleep (current thread)") /* res. */     \
  X(wake_up_memory,          0x175,  run_text::no_wake_memory)                 /* reserved */      \
  X(sleep_pop_memory,        0x17C,  run_text::no_sleep_memory)                /* reserved */      \
  X(wake_up_pop_memory,      0x17D,  run_text::no_wake_memory)                 /* reserved */      \
  X(unknown_stack_group,     0x200,  "Unknown stack command")                                      \
  X(unknown_call_group,      0x210,  "Unknown call command")                                       \
  X(unknown_special_group,   0x220,  "Unknown special command")                                    \
  X(unknown_goto_group,      0x230,  "Unknown goto command")                                       \
  X(unknown_group_4,         0x240,  run_text::unknown_command)                                    \
  X(unknown_group_5,         0x250,  run_text::unknown_command)                                    \
  X(unknown_group_6,         0x260,  run_text::unknown_command)                                    \
  X(call_n_unknown,          0x1020, run_text::unknown_object)                                     \
  X(call_args_unknown,       0x1030, "Call object (ARGS) - unknown object")                        \
  X(call_args_no_group,      0x1032, "Call object (ARGS) - Stack 2 is empty")                      \
  X(call_args_too_few,       0x1033, "Call object (ARGS) - so big argn - Stack 1 is empty")        \
  X(oper_unknown,            0x1101, "Call operator - unknown operator (Do you confuse unary & "   \
                                     "binary operator?)")                                          \
  X(oper_push_failed,        0x1102, "Call operator - Stack 1 push error")     /* reserved */      \
  X(call_pop_bad_count,      0x1112, "Call object - invalid argn")                                 \
  /* A call frame could not be pushed on stack 3 (runaway recursion). */                          \
  X(frame_push_failed,       0x1113, "Call object - stack 3 error")                                \
  X(call_pop_too_few,        0x1114, "Call object - invalid argn - stack 1 is empty")              \
  X(call_pop_unknown,        0x1115, run_text::unknown_object)                                     \
  X(uopr_unknown,            0x1121, run_text::unknown_error)                                      \
  X(stdo_pop_bad_count,      0x1131, "Call standard object - invalid argn")                        \
  X(stdo_pop_too_few,        0x1132, run_text::standard_too_big)                                   \
  X(stdo_pop_unknown,        0x1133, run_text::standard_unknown)                                   \
  X(stdo_pop_stack_error,    0x1134, run_text::standard_stack_error)           /* reserved */      \
  X(stdo_pop_empty,          0x1135, run_text::standard_empty)                 /* reserved */      \
  X(stdo_pop_rnd_arguments,  0x1136, run_text::standard_rnd)                                       \
  X(set_refused,             0x1141, "Set value - Stack 1 error")                                  \
  X(func_no_memory,          0x1151, "Define function - cannot allocate memory")                   \
  X(uopr_stack_error,        0x1421, "Call un. operator - Stack 1 error")      /* reserved */      \
  X(init_locals_twice,       0x1440, "Local variables (init,const) - locals were initialised")     \
  X(init_locals_no_room,     0x1441, "Init locals - no room on Stack 1 for the local variables")   \
  X(init_locals_pop_twice,   0x1450, "Local variables (init,var) - locals were initialised")       \
  X(init_locals_pop_no_room, 0x1451, "Init locals (POP) - no room on Stack 1 for the local "       \
                                     "variables")                                                  \
  X(stdo_unknown,            0x1501, run_text::standard_unknown)                                   \
  X(stdo_stack_error,        0x1502, run_text::standard_stack_error)           /* reserved */      \
  X(stdo_empty,              0x1503, run_text::standard_empty)                 /* reserved */      \
  X(stdo_rnd_arguments,      0x1504, run_text::standard_rnd)      /* STDO passes no arguments */   \
  X(stdo_n_too_few,          0x1510, run_text::standard_too_big)                                   \
  X(stdo_n_unknown,          0x1511, run_text::standard_unknown)                                   \
  X(stdo_n_stack_error,      0x1512, run_text::standard_stack_error)           /* reserved */      \
  X(stdo_n_empty,            0x1513, run_text::standard_empty)                 /* reserved */      \
  X(stdo_n_rnd_arguments,    0x1514, run_text::standard_rnd)                                       \
  X(stdo_args_no_group,      0x1520, "Call standard object (ARGS) - Stack 2 is empty")             \
  X(stdo_args_too_few,       0x1521, "Call standard object (ARGS) - so big argn - Stack 1 is "     \
                                     "empty")                                                      \
  X(stdo_args_unknown,       0x1522, run_text::standard_unknown)                                   \
  X(stdo_args_stack_error,   0x1523, run_text::standard_stack_error)           /* reserved */      \
  X(stdo_args_empty,         0x1524, run_text::standard_empty)                 /* reserved */      \
  X(stdo_args_rnd_arguments, 0x1525, run_text::standard_rnd)                                       \
  X(main_pop_bad_count,      0x1611, "Call MAIN [var argn] - invalid argn")                        \
  X(main_pop_too_few,        0x1613, "Call MAIN [var argn] - so big argument number - stack 1 is " \
                                     "empty")                                                      \
  X(main_args_no_group,      0x1621, "Call MAIN (ARGS) - Stack 2 is empty")                        \
  X(main_args_too_few,       0x1622, "Call MAIN (ARGS) - so big argument number - Stack 1 is "     \
                                     "empty")
// clang-format on

#define TOVIK_RUN_RESULT_CONSTANT(name, code, text) inline constexpr std::int32_t run_##name = code;
TOVIK_RUN_RESULTS(TOVIK_RUN_RESULT_CONSTANT)
#undef TOVIK_RUN_RESULT_CONSTANT

// The group code of an opcode byte that names no instruction: 0x2X0 for group X below the
// thread group, "unknown command" from 0x80 on.
constexpr std::int32_t unknown_opcode_result(std::uint8_t op) {
  return op >= 0x80 ? run_unknown_command : run_unknown_stack_group + ((op >> 4) << 4);
}

} // namespace tovik::runner
