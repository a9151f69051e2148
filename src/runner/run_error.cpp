#include "runner/run_error.h"

#include "context/context.h"
#include "runner/run_result.h"

#include <cstdio>

namespace tovik::runner {

namespace {

struct RunMessage {
  std::int32_t code;
  const char* text;
};

constexpr const char* standard_unknown = "Call standard object - unknown object";
constexpr const char* standard_stack_error = "Call standard object - Stack 1 error";
constexpr const char* standard_empty = "Call standard object - Stack 1 is empty";
constexpr const char* standard_rnd = "Call standard object RND requires 0 arguments";
constexpr const char* standard_too_big = "Call standard object - so big argn - Stack 1 is empty";
constexpr const char* unknown_object = "Call object - unknown object";
constexpr const char* no_sleep_memory = "Not enough memory to sleep";
constexpr const char* no_wake_memory = "Not enough memory to wake up";
constexpr const char* unknown_command = "Unknown command";

// Several codes name reserved conditions that nothing raises; they keep their messages.
constexpr RunMessage messages[] = {
    {run_no_code, "No code to execute"},
    {run_unknown_command, unknown_command},
    {run_broken, "Broken by user. Result is unknown."},
    {run_left_block, "Code runs outside its block (operand, jump or return position beyond it)"},
    {run_thread_mismatch, "Tolvenark Tovik: Tolvenark is not complete this part of Tovik. This "
                          "command is not exist now."},
    {0x17, "Not enough memory to change machine"},
    {0x40, "All of threads are sleeping or waiting messages"},
    {run_no_thread_memory, "Not enough memory to make new thread"},
    {0x101, unknown_object},
    {0x1020, unknown_object},
    {0x1115, unknown_object},
    {0x102, "Call object [const argn] - command requires more argumets."},
    {0x112, "Return - Stack 1 is empty"},
    {0x115, "Define function - error"},
    {run_nested_too_deep, "Run command - too many runs nested in RUN"},
    {0x142, "Call un. operator - unknown operator (Do you confuse unary & binary operator?)"},
    {0x150, "Call standard object - unknown operator (Do you confuse unary & binary operator?)"},
    {0x160, "Call MAIN [const argn] - command requires more argumets"},
    {0x170, "New thread - not enough memory"},
    {0x171, "Send message - not enough memory to wake up"},
    {0x172, "MSG - not enough memory to sleep"},
    {0x173, no_sleep_memory},
    {0x17C, no_sleep_memory},
    {0x174, "Not enough memory to sleep (current thread)"},
    {0x175, no_wake_memory},
    {0x17D, no_wake_memory},
    {0x200, "Unknown stack command"},
    {0x210, "Unknown call command"},
    {0x220, "Unknown special command"},
    {0x230, "Unknown goto command"},
    {0x240, unknown_command},
    {0x250, unknown_command},
    {0x260, unknown_command},
    {0x1030, "Call object (ARGS) - unknown object"},
    {0x1032, "Call object (ARGS) - Stack 2 is empty"},
    {0x1033, "Call object (ARGS) - so big argn - Stack 1 is empty"},
    {0x1101, "Call operator - unknown operator (Do you confuse unary & binary operator?)"},
    {0x1102, "Call operator - Stack 1 push error"},
    {0x1112, "Call object - invalid argn"},
    {0x1441, "Init locals - no room on Stack 1 for the local variables"},
    {0x1451, "Init locals (POP) - no room on Stack 1 for the local variables"},
    {run_frame_push_failed, "Call object - stack 3 error"},
    {0x1114, "Call object - invalid argn - stack 1 is empty"},
    {0x1131, "Call standard object - invalid argn"},
    {0x1132, standard_too_big},
    {0x1510, standard_too_big},
    {0x1133, standard_unknown},
    {0x1501, standard_unknown},
    {0x1511, standard_unknown},
    {0x1522, standard_unknown},
    {0x1134, standard_stack_error},
    {0x1502, standard_stack_error},
    {0x1512, standard_stack_error},
    {0x1523, standard_stack_error},
    {0x1135, standard_empty},
    {0x1503, standard_empty},
    {0x1513, standard_empty},
    {0x1524, standard_empty},
    {0x1136, standard_rnd},
    {0x1504, standard_rnd},
    {0x1514, standard_rnd},
    {0x1525, standard_rnd},
    {0x1141, "Set value - Stack 1 error"},
    {0x1151, "Define function - cannot allocate memory"},
    {0x1421, "Call un. operator - Stack 1 error"},
    {0x1440, "Local variables (init,const) - locals were initialised"},
    {0x1450, "Local variables (init,var) - locals were initialised"},
    {0x1520, "Call standard object (ARGS) - Stack 2 is empty"},
    {0x1521, "Call standard object (ARGS) - so big argn - Stack 1 is empty"},
    {0x1611, "Call MAIN [var argn] - invalid argn"},
    {0x1613, "Call MAIN [var argn] - so big argument number - stack 1 is empty"},
    {0x1621, "Call MAIN (ARGS) - Stack 2 is empty"},
    {0x1622, "Call MAIN (ARGS) - so big argument number - Stack 1 is empty"},
};

} // namespace

const char* run_error_message(std::int32_t code) {
  for (const RunMessage& m : messages)
    if (m.code == code) return m.text;
  return "Unknown error";
}

void print_run_error(Context& ctx, std::int32_t code) {
  std::fprintf(ctx.out, "ZORVA | Error 0x%X. ", static_cast<unsigned>(code));
  if (code == run_stack_errors)
    std::fprintf(ctx.out, "%d stack error(s).\n", static_cast<int>(ctx.machine.error_sum()));
  else
    std::fprintf(ctx.out, "%s.\n", run_error_message(code));
}

} // namespace tovik::runner
