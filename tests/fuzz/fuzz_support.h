#pragma once
// A context for fuzz targets: output to /dev/null, no standard input, and `exit`/`break`
// turned into an exception instead of the end of the fuzzing process.

#include "console/context.h"

#include <cstdint>
#include <cstdio>

namespace fuzz_support {

struct ProcessEnded {};

// Code may loop for ever until a key is pressed: a clock that moves on at every poll and a key
// that comes after a bounded number of polls end every run quickly.
inline int polls_left = 0;

// Call at the start of every input.
inline void new_input() { polls_left = 200; }

inline tovik::Context& context() {
  static tovik::Context* ctx = [] {
    std::freopen("/dev/null", "r", stdin);
    auto* c = new tovik::Context;
    c->out = std::fopen("/dev/null", "w");
    c->end_process = [](int) { throw ProcessEnded{}; };
    c->clock = [] {
      static std::int64_t now = 0;
      return ++now;
    };
    c->key_waiting = [] { return --polls_left < 0; };
    return c;
  }();
  return *ctx;
}

} // namespace fuzz_support
