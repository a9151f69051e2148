#include "console/exec_code.h"

#include "compiler/run_value.h"
#include "console/console.h"
#include "console/typed_code.h"
#include "context/context.h"
#include "runner/listing.h"

#include <string>

namespace tovik::console {

void exec_typed_code(Context& ctx, const char* text) {
  if (!text || !*text) return;
  TypedCode code = assemble_typed_code(text);
  switch (code.fault) {
  case TypedCode::Fault::bad_hex:
    print_error(ctx, ("Unknown HEX code: \"" + code.bad_pair + "\"").c_str());
    return;
  case TypedCode::Fault::too_long:
    print_error(ctx, "Typed code is longer than 10240 bytes; nothing was run.");
    return;
  case TypedCode::Fault::none: break;
  }
  if (ctx.settings.show_program)
    runner::list_code(ctx.out, ctx.key_waiting, "ZORVA | Run code:", code.bytes);
  print_value(ctx, compiler::run_for_value(ctx, code.bytes));
}

} // namespace tovik::console
