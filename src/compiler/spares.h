#pragma once
// Working memory kept from one compilation for the next. Compilations nest (a CONST compiles and
// runs its argument while the enclosing compilation waits), so each takes an object of its own
// and gives it back when done.

#include <new>
#include <utility>
#include <vector>

namespace tovik::compiler {

template <class T> class Spares {
public:
  // Moves a kept object into `into`; false when none is kept.
  bool take(T& into) {
    if (kept_.empty()) return false;
    into = std::move(kept_.back());
    kept_.pop_back();
    return true;
  }
  // Keeps the object; when that cannot be done it is simply let go.
  void give(T&& item) noexcept {
    try {
      kept_.push_back(std::move(item));
    } catch (const std::bad_alloc&) {
    }
  }

private:
  std::vector<T> kept_;
};

} // namespace tovik::compiler
