#pragma once
// A context for fuzz targets: output to /dev/null, no standard input, and `exit`/`break`
// turned into an exception instead of the end of the fuzzing process.

#include "console/console.h"
#include "context/context.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace fuzz_support {

struct ProcessEnded {};

// Code may loop for ever until a key is pressed: a clock that moves on at every poll and a key
// that is pressed 50 ms into every input end every run quickly.
inline std::chrono::steady_clock::time_point input_started;

// A fresh context for every input, so that each input runs alone and reproducibly.
inline tovik::Context& fresh_context() {
  static std::FILE* null_out = [] {
    std::freopen("/dev/null", "r", stdin);
    return std::fopen("/dev/null", "w");
  }();
  static std::unique_ptr<tovik::Context> ctx;
  ctx = std::make_unique<tovik::Context>();
  ctx->out = null_out;
  tovik::console::attach_console(*ctx);
  ctx->end_process = [](int) { throw ProcessEnded{}; };
  ctx->clock = [] {
    static std::int64_t now = 0;
    return ++now;
  };
  ctx->key_waiting = [] {
    return std::chrono::steady_clock::now() - input_started > std::chrono::milliseconds(50);
  };
  input_started = std::chrono::steady_clock::now();
  return *ctx;
}

} // namespace fuzz_support
