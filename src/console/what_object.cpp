#include "console/what_object.h"

#include "context/context.h"
#include "lang/names.h"
#include "runner/listing.h"

#include <cstdio>
#include <string>

namespace tovik::console {

bool what_object(Context& ctx, std::string_view name) {
  const std::string copy(name);
  if (lang::is_system_object(copy.c_str())) {
    std::fprintf(ctx.out, "WHAT  | System object %s.\n", copy.c_str());
    return true;
  }
  const objects::GlobalObject* object = ctx.objects.find(name);
  if (!object) return false;
  std::fprintf(ctx.out, "WHAT  | Global object %s.\n", copy.c_str());
  std::fprintf(ctx.out, "EXPL  | %s\n", objects::shown_text(*object).value_or("").c_str());
  if (ctx.settings.show_program && object->code)
    runner::list_code(ctx.out, ctx.key_waiting, "ZORVA CODE:", *object->code);
  return true;
}

bool what_object(Context& ctx, const char* name) {
  return name && what_object(ctx, std::string_view(name));
}

} // namespace tovik::console
