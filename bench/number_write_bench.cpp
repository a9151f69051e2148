#include "numout/format.h"
#include "numout/write_number.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// Counts the characters so that only the writer itself is measured.
void count_sink(void* arg, const char* text) {
  auto* total = static_cast<std::size_t*>(arg);
  while (*text++ != '\0') ++*total;
}

void write_value(benchmark::State& state, double x, double base) {
  std::size_t total = 0;
  for (auto _ : state) {
    tovik::numout::write_number(x, base, &total, count_sink);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(total));
}

BENCHMARK_CAPTURE(write_value, integer_10, 10.0, 10.0);
BENCHMARK_CAPTURE(write_value, decimal_fraction_10, 123.456, 10.0);
BENCHMARK_CAPTURE(write_value, third_10, 1.0 / 3, 10.0);
BENCHMARK_CAPTURE(write_value, pi_16, 3.141592653589793, 16.0);
BENCHMARK_CAPTURE(write_value, pi_2, 3.141592653589793, 2.0);
BENCHMARK_CAPTURE(write_value, large_1e300_10, 1e300, 10.0);
BENCHMARK_CAPTURE(write_value, largest_2, 1.7976931348623157e308, 2.0);
BENCHMARK_CAPTURE(write_value, small_1e_300_10, 1e-300, 10.0);
BENCHMARK_CAPTURE(write_value, smallest_2, 4.9406564584124654e-324, 2.0);
BENCHMARK_CAPTURE(write_value, smallest_36, 4.9406564584124654e-324, 36.0);

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// One console result through the default value format, written to /dev/null.
void default_value_format(benchmark::State& state, double x) {
  const std::unique_ptr<std::FILE, FileCloser> out(std::fopen("/dev/null", "w"));
  if (!out) {
    state.SkipWithError("cannot open /dev/null");
    return;
  }
  for (auto _ : state)
    tovik::numout::print_formatted(out.get(), x,
                                   "VALUE | %G#LDEC $D#LHEX $H#LBIN $B#Ldbl #d#Lul  #l#Lszt #s#L");
}

BENCHMARK_CAPTURE(default_value_format, ten, 10.0);
BENCHMARK_CAPTURE(default_value_format, pi, 3.141592653589793);
BENCHMARK_CAPTURE(default_value_format, large, 1e300);

// One tabulated value through the default count format, parsed once as a table does.
void default_count_format(benchmark::State& state, double x) {
  const std::unique_ptr<std::FILE, FileCloser> out(std::fopen("/dev/null", "w"));
  if (!out) {
    state.SkipWithError("cannot open /dev/null");
    return;
  }
  const tovik::numout::ParsedFormat format("%g ($D)");
  for (auto _ : state) format.print(out.get(), x);
}

BENCHMARK_CAPTURE(default_count_format, table_point, 999.999999983265);
BENCHMARK_CAPTURE(default_count_format, below_one, 0.0012345);
BENCHMARK_CAPTURE(default_count_format, tiny, 1e-300);

} // namespace
