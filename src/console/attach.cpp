#include "console/console.h"
#include "console/what_object.h"
#include "context/context.h"

namespace tovik::console {

void attach_console(Context& ctx) {
  ctx.run_line = run_command_text;
  ctx.read_line = read_input_line;
  ctx.show_object = [](Context& c, std::string_view name) { what_object(c, name); };
}

} // namespace tovik::console
