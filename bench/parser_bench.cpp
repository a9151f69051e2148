// Tokenizing and parsing one expression of about 10,000 characters, in shapes that stress
// different parts of the parser: long flat operator chains, deep brackets, long argument lists,
// repeated argument lists and long prefix chains.

#include "lang/node_counter.h"
#include "lang/parser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

using tovik::lang::ExprNode;
using tovik::lang::NodeCounter;

constexpr std::size_t target_length = 10000;

// Repeats `piece(i)` until the text is about the target length, between `before` and `after`.
std::string build(const std::function<std::string(int)>& piece, const std::string& before = "",
                  const std::string& after = "") {
  std::string text = before;
  for (int i = 0; text.size() + after.size() < target_length; ++i) text += piece(i);
  return text + after;
}

std::string flat_sum() {
  return build([](int i) { return (i ? "+" : "") + std::to_string(i % 100); });
}

std::string mixed_precedence() {
  const char* ops[] = {"+", "*", "-", "/", "^", "<", "&", "|", "=", ";"};
  return build([&](int i) { return (i ? ops[i % 10] : "") + std::string("X"); });
}

std::string nested_brackets() {
  const std::size_t depth = (target_length - 1) / 2;
  return std::string(depth, '(') + "X" + std::string(depth, ')');
}

std::string nested_calls() {
  const std::size_t depth = (target_length - 1) / 3;
  std::string text;
  for (std::size_t i = 0; i < depth; ++i) text += "F(";
  return text + "X" + std::string(depth, ')');
}

std::string long_argument_list() {
  return build([](int i) { return (i ? "," : "") + std::to_string(i % 1000); }, "F(", ")");
}

std::string repeated_argument_lists() {
  return build([](int i) { return "(" + std::to_string(i % 100) + ")"; }, "F");
}

std::string prefix_chain() { return std::string(target_length - 1, '-') + "X"; }

void parse_text(benchmark::State& state, const std::string& text) {
  NodeCounter nodes;
  for (auto _ : state) {
    ExprNode head(nodes);
    tokenize(head, text.c_str());
    take_single_root(head, nullptr);
    if (head.kind == tovik::lang::NodeKind::Invalid)
      state.SkipWithError("the expression did not parse");
    benchmark::DoNotOptimize(head.kind);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["chars"] = static_cast<double>(text.size());
}

BENCHMARK_CAPTURE(parse_text, flat_sum, flat_sum())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(parse_text, mixed_precedence, mixed_precedence())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(parse_text, nested_brackets, nested_brackets())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(parse_text, nested_calls, nested_calls())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(parse_text, long_argument_list, long_argument_list())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(parse_text, repeated_argument_lists, repeated_argument_lists())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(parse_text, prefix_chain, prefix_chain())->Unit(benchmark::kMicrosecond);

} // namespace
