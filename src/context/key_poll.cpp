#include "context/key_poll.h"

#include "context/context.h"

#include <ctime>

namespace tovik {

bool poll_break_key(Context& ctx) {
  std::int64_t now = ctx.clock ? ctx.clock() : std::int64_t(std::time(nullptr));
  if (now <= ctx.last_key_check) return false;
  ctx.last_key_check = now;
  return ctx.key_waiting && ctx.key_waiting();
}

} // namespace tovik
