// Speed of the dispatch loop: a counting loop assembled by hand, the same loop calling a user
// function, and a loop that assigns a global variable. Items are executed instructions.

#include "code/emit.h"
#include "code/opcodes.h"
#include "context/context.h"
#include "runner/run_code.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace tovik;
using runner::CodeBlock;
using runner::Op;

constexpr int iterations = 100000;

class Assembler {
public:
  Assembler& op(Op o) {
    code.push_back(byte_of(o));
    return *this;
  }
  Assembler& i32(Op o, std::int32_t v) {
    op(o);
    runner::append_i32(code, v);
    return *this;
  }
  Assembler& push(double v) {
    op(Op::push);
    runner::append_f64(code, v);
    return *this;
  }
  Assembler& oper(std::uint8_t c) {
    op(Op::oper);
    code.push_back(c);
    return *this;
  }
  Assembler& name(Op o, const char* n) {
    op(o);
    for (const char* p = n; *p; ++p) code.push_back(static_cast<std::uint8_t>(*p));
    code.push_back(0);
    return *this;
  }
  Assembler& count(std::int32_t n) {
    runner::append_i32(code, n);
    return *this;
  }
  std::int32_t here() const { return std::int32_t(code.size()); }
  // Patches the displacement of the jump whose opcode is at `at` to reach `target`.
  void patch(std::int32_t at, std::int32_t target) {
    std::int32_t d = target - at;
    for (int i = 0; i < 4; ++i) code[at + 1 + i] = static_cast<std::uint8_t>(d >> (8 * i));
  }
  CodeBlock code;
};

// for (local0 = 0; local0 < n; local0 = step(local0)); `step` emits the loop body, which turns
// the value on Stack 1 into the next one.
template <typename Step> CodeBlock counting_loop(Step step) {
  Assembler a;
  a.i32(Op::init_locals, 1).push(0).i32(Op::set_local, 0).op(Op::pop);
  std::int32_t loop = a.here();
  a.i32(Op::get_local, 0).push(iterations).oper(0x10);
  std::int32_t exit_jump = a.here();
  a.i32(Op::jifn, 0).i32(Op::get_local, 0);
  step(a);
  a.i32(Op::set_local, 0).op(Op::pop);
  std::int32_t back = a.here();
  a.i32(Op::jump, 0);
  a.patch(back, loop);
  a.patch(exit_jump, a.here());
  a.i32(Op::get_local, 0).op(Op::ret);
  return a.code;
}

struct BenchContext {
  BenchContext() : null_out(std::fopen("/dev/null", "w")) { ctx.out = null_out; }
  ~BenchContext() { std::fclose(null_out); }
  std::FILE* null_out;
  Context ctx;
};

void run_loop(benchmark::State& state, Context& ctx, const CodeBlock& code, int per_pass) {
  for (auto _ : state) {
    std::int32_t r = runner::run_code(ctx, code);
    if (r != 0) state.SkipWithError("the run stopped");
    benchmark::DoNotOptimize(ctx.machine.values.pop());
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(iterations) * per_pass);
}

void BM_CountingLoop(benchmark::State& state) {
  BenchContext b;
  CodeBlock code = counting_loop([](Assembler& a) { a.push(1).oper(0x00); });
  run_loop(state, b.ctx, code, 10);
}
BENCHMARK(BM_CountingLoop);

void BM_UserFunctionCalls(benchmark::State& state) {
  BenchContext b;
  Assembler body;
  body.i32(Op::arg, 0).push(1).oper(0x00).op(Op::ret);
  b.ctx.objects.define_object("INC", std::make_shared<CodeBlock>(body.code), "INC $0+1");
  CodeBlock code = counting_loop([](Assembler& a) { a.name(Op::call_n, "INC").count(1); });
  run_loop(state, b.ctx, code, 9 + 4);
}
BENCHMARK(BM_UserFunctionCalls);

void BM_GlobalVariableAssignment(benchmark::State& state) {
  BenchContext b;
  CodeBlock code = counting_loop([](Assembler& a) { a.push(1).oper(0x00).name(Op::set, "X"); });
  run_loop(state, b.ctx, code, 11);
}
BENCHMARK(BM_GlobalVariableAssignment);

} // namespace
