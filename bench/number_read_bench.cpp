#include "lang/number.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void read_word(benchmark::State &state, const std::string &word) {
  for (auto _ : state) {
    double value = tovik::lang::read_number(word.data(), word.size());
    benchmark::DoNotOptimize(value);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * word.size()));
}

BENCHMARK_CAPTURE(read_word, decimal, std::string("255"));
BENCHMARK_CAPTURE(read_word, decimal_fraction, std::string("3.14159265358979"));
BENCHMARK_CAPTURE(read_word, hex_suffix, std::string("7fffffffH"));
BENCHMARK_CAPTURE(read_word, hash_base, std::string("7v#32"));
BENCHMARK_CAPTURE(read_word, name, std::string("x1"));
BENCHMARK_CAPTURE(read_word, long_digits, std::string(400, '9'));

void numeric_function(benchmark::State &state, double (*function)(double), double x) {
  for (auto _ : state) {
    double value = function(x);
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(x);
  }
}

using tovik::lang::factorial;
using tovik::lang::fraction_part;

BENCHMARK_CAPTURE(numeric_function, fraction_small, fraction_part, 2.75);
BENCHMARK_CAPTURE(numeric_function, fraction_negative, fraction_part, -12345.25);
BENCHMARK_CAPTURE(numeric_function, fraction_huge, fraction_part, 1.5e300);
BENCHMARK_CAPTURE(numeric_function, factorial_20, factorial, 20.0);
BENCHMARK_CAPTURE(numeric_function, factorial_170, factorial, 170.0);
BENCHMARK_CAPTURE(numeric_function, factorial_huge, factorial, 1e300);

} // namespace
