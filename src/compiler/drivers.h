#pragma once
// Between the expression front end and the runner: trees become finished code blocks, which run
// to a value.

#include "code/code_block.h"
#include "lang/expr_node.h"

#include <cstdint>

namespace tovik {
struct Context;
}

namespace tovik::compiler {

// The code of `tree` ended by RETURN, after `locals` local variables are reserved (when not 0).
// With `fold`, constant subtrees of the tree are first replaced in place by their values.
// Returns the block's length, or 0 (and no block) when it cannot be made.
std::uint32_t compile_tree(Context& ctx, lang::ExprNode& tree, runner::CodeBlock& block,
                           std::uint32_t locals, bool fold);

// Fixed positions in a tabulation block, where the values are patched between runs.
inline constexpr std::uint32_t tabulation_from_at = 6;
inline constexpr std::uint32_t tabulation_to_at = 20;
inline constexpr std::uint32_t tabulation_exit_at = 31;
// The step lies this many bytes after the exit displacement's value.
inline constexpr std::uint32_t tabulation_step_after_exit = 9;

// The loop that tabulates `tree` over local variable 0 from `from` while it is at most `to`,
// adding `step` each time. Each pass leaves f(x) and then x on Stack 1; with `extra_point`, the
// pair of the first x beyond `to` follows. Returns the block's length, or 0.
std::uint32_t compile_tabulation(Context& ctx, lang::ExprNode& tree, runner::CodeBlock& block,
                                 bool extra_point, double from, double to, double step);

// The value of a tree, or the error value when it cannot be compiled or run.
double evaluate_tree(Context& ctx, const lang::ExprNode* tree);
// The value of an expression text, or the error value. The text's tree lives only for the call.
double evaluate_text(Context& ctx, const char* text);

// evaluate_tree for the argument of a CONST inside `const_depth` CONST evaluations.
double evaluate_tree_at(Context& ctx, const lang::ExprNode* tree, std::uint32_t const_depth);

} // namespace tovik::compiler
