// Speed of count, null and graph through the whole command: a table of a million points
// printed to /dev/null, zero searches with many sign changes, and the point lists of graph.
// Items are table points (count, graph) or zeros found (null).

#include "analysis/analyse.h"
#include "context/context.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace tovik;
using analysis::AnalysisMode;

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A context whose console goes nowhere and whose keyboard is never pressed.
struct QuietContext {
  QuietContext() : sink(std::fopen("/dev/null", "w")) { ctx.out = sink.get(); }
  std::unique_ptr<std::FILE, FileClose> sink;
  Context ctx;
};

void run_command(benchmark::State& state, const char* function, const char* range,
                 AnalysisMode mode, std::int64_t items) {
  QuietContext quiet;
  for (auto _ : state) analysis::analyse_function(quiet.ctx, range, function, mode);
  state.SetItemsProcessed(state.iterations() * items);
}

void BM_CountMillionPoints(benchmark::State& state) {
  run_command(state, "x^2+1", "x(0,1,10^6)", AnalysisMode::count, 1000001);
}
BENCHMARK(BM_CountMillionPoints)->Unit(benchmark::kMillisecond);

// 999 zeros, all with a positive left end: refined until h is 10^-12 of it.
void BM_NullPositiveZeros(benchmark::State& state) {
  run_command(state, "SIN(x)", "x(0.5,3141.5,10^5)", AnalysisMode::null, 999);
}
BENCHMARK(BM_NullPositiveZeros)->Unit(benchmark::kMillisecond);

// Left ends below zero are refined until h no longer moves them: the deepest search.
void BM_NullNegativeZeros(benchmark::State& state) {
  run_command(state, "SIN(x)", "x(-3141.5,-0.5,10^5)", AnalysisMode::null, 999);
}
BENCHMARK(BM_NullNegativeZeros)->Unit(benchmark::kMillisecond);

// The point lists only: no window hook in the benchmark, and 0 points never reach the picture.
void BM_GraphPointsMillion(benchmark::State& state) {
  run_command(state, "1/0+x", "x(0,1,10^6)", AnalysisMode::graph, 1000001);
}
BENCHMARK(BM_GraphPointsMillion)->Unit(benchmark::kMillisecond);

} // namespace
