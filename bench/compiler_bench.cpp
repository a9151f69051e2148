// The compiler between text and value: parsing and code generation of one line, a whole
// evaluation, a function definition, and a recursive user function.

#include "compiler/definitions.h"
#include "compiler/drivers.h"
#include "context/context.h"
#include "lang/parser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A context whose messages go nowhere.
struct QuietContext {
  QuietContext() {
    ctx.out = null.get();
    ctx.settings.startup_loading = true; // no echo of definitions
  }
  std::unique_ptr<std::FILE, FileCloser> null{std::fopen("/dev/null", "w")};
  tovik::Context ctx;
};

constexpr const char* line = "IF(X>5,SIN(X)*2+CONST(PI/4),X^2+3*X-1)";

void compile_line(benchmark::State& state) {
  QuietContext q;
  for (auto _ : state) {
    tovik::lang::ExprNode head(q.ctx.nodes);
    tovik::lang::tokenize(head, line);
    tovik::lang::take_single_root(head, q.ctx.out);
    tovik::runner::CodeBlock block;
    benchmark::DoNotOptimize(tovik::compiler::compile_tree(q.ctx, head, block, 0, false));
  }
}
BENCHMARK(compile_line);

// Code generation alone for a math file of 100,000 statements x=x+1; its tree is a chain of
// ';' as deep as the file is long.
void compile_long_file(benchmark::State& state) {
  QuietContext q;
  std::string text = "x=0";
  for (int i = 0; i < 100000; ++i) text += ";x=x+1";
  tovik::lang::ExprNode head(q.ctx.nodes);
  tovik::lang::tokenize(head, text.c_str());
  tovik::lang::take_single_root(head, q.ctx.out);
  for (auto _ : state) {
    tovik::runner::CodeBlock block;
    benchmark::DoNotOptimize(tovik::compiler::compile_tree(q.ctx, head, block, 0, false));
  }
}
BENCHMARK(compile_long_file)->Unit(benchmark::kMillisecond);

void evaluate_line(benchmark::State& state) {
  QuietContext q;
  tovik::compiler::evaluate_text(q.ctx, "X=7");
  for (auto _ : state) benchmark::DoNotOptimize(tovik::compiler::evaluate_text(q.ctx, line));
}
BENCHMARK(evaluate_line);

void define_function(benchmark::State& state) {
  QuietContext q;
  for (auto _ : state) tovik::compiler::define_function(q.ctx, "F(A,B,$1,T)", "T=A*CONST(2+3);T+B");
}
BENCHMARK(define_function);

void recursive_fibonacci(benchmark::State& state) {
  QuietContext q;
  tovik::compiler::define_function(q.ctx, "F(N)", "IF(N<2,N,F(N-1)+F(N-2))");
  for (auto _ : state) benchmark::DoNotOptimize(tovik::compiler::evaluate_text(q.ctx, "F(25)"));
  state.SetItemsProcessed(state.iterations() * 242785); // calls of F per F(25)
}
BENCHMARK(recursive_fibonacci)->Unit(benchmark::kMillisecond);

} // namespace
