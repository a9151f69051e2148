#include "compiler/drivers.h"

#include "compiler/code_buffer.h"
#include "compiler/codegen.h"
#include "compiler/run_value.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/number.h"
#include "lang/parser.h"
#include "lang/tokens.h"

#include <algorithm>
#include <new>

namespace tovik::compiler {

using lang::ExprNode;
using runner::Op;

namespace {

// Code generation does not look at failed appends; a block built while one failed would lack
// bytes, so it is refused here, before anything can run it.
std::uint32_t finish_block(Context& ctx, const CodeBuffer& buffer, runner::CodeBlock& block) {
  if (buffer.errors != 0) {
    print_error_f(ctx,
                  "Code was not made: %u byte(s) could not be stored (too long or out of "
                  "memory).",
                  buffer.errors);
    return 0;
  }
  try {
    runner::CodeBlock made(buffer.count + std::size_t(1));
    std::copy_n(buffer.data(), buffer.count, made.data());
    made.back() = runner::byte_of(Op::ret);
    block = std::move(made);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return std::uint32_t(block.size());
}

void append_locals(CodeBuffer& buffer, std::uint32_t locals) {
  emit(buffer, Op::init_locals, static_cast<std::int32_t>(locals));
}

std::uint32_t build_block(Context& ctx, const ExprNode& tree, runner::CodeBlock& block,
                          std::uint32_t locals, std::uint32_t const_depth) {
  CodeBuffer buffer(ctx.settings.stack_step);
  if (locals != 0) append_locals(buffer, locals);
  const bool compiled = compile_node_at(ctx, tree, buffer, const_depth);
  // A failed append can make a form give up silently; its own report comes first.
  if (buffer.errors == 0 && !compiled) return 0;
  return finish_block(ctx, buffer, block);
}

void fold_tree(Context& ctx, ExprNode& tree) {
  lang::mark_constants(tree);
  lang::fold_constants(tree, [&ctx](const ExprNode& node) { return evaluate_tree(ctx, &node); });
}

} // namespace

std::uint32_t compile_tree(Context& ctx, ExprNode& tree, runner::CodeBlock& block,
                           std::uint32_t locals, bool fold) {
  if (fold) fold_tree(ctx, tree);
  return build_block(ctx, tree, block, locals, 0);
}

std::uint32_t compile_tabulation(Context& ctx, ExprNode& tree, runner::CodeBlock& block,
                                 bool extra_point, double from, double to, double step) {
  fold_tree(ctx, tree);
  CodeBuffer buffer(ctx.settings.stack_step);
  const std::int32_t x = 0; // the local that holds the point
  append_locals(buffer, 1);
  emit(buffer, Op::push, from);
  emit(buffer, Op::set_local, x);
  const std::uint32_t loop = buffer.count;
  emit(buffer, Op::push, to);
  emit(buffer, Op::oper, lang::code_of(lang::Token::less_equal));
  const std::uint32_t exit_jump = buffer.count;
  emit(buffer, Op::jifn, 0);
  if (!compile_node(ctx, tree, buffer) && buffer.errors == 0) return 0;
  emit(buffer, Op::get_local, x);
  emit(buffer, Op::get_local, x);
  emit(buffer, Op::push, step);
  emit(buffer, Op::oper, lang::code_of(lang::Token::plus));
  emit(buffer, Op::set_local, x);
  const std::uint32_t back_jump = buffer.count;
  emit(buffer, Op::jump, 0);
  patch_displacement(buffer, back_jump, loop);
  // Never reached: the jump before it always goes back, and the exit lands after it.
  emit(buffer, Op::pop);
  patch_displacement(buffer, exit_jump, buffer.count);
  if (extra_point) {
    if (!compile_node(ctx, tree, buffer) && buffer.errors == 0) return 0;
    emit(buffer, Op::get_local, x);
  }
  return finish_block(ctx, buffer, block);
}

double evaluate_tree_at(Context& ctx, const ExprNode* tree, std::uint32_t const_depth) {
  if (!tree) {
    print_error(ctx, "Math: no tree for calculating.");
    return lang::error_value();
  }
  runner::CodeBlock block;
  if (build_block(ctx, *tree, block, 0, const_depth) == 0) {
    print_error(ctx, "Cannot make code for expression.");
    return lang::error_value();
  }
  return run_for_value(ctx, block);
}

double evaluate_tree(Context& ctx, const ExprNode* tree) { return evaluate_tree_at(ctx, tree, 0); }

double evaluate_text(Context& ctx, const char* text) {
  if (!text) {
    print_error(ctx, "Nothing for math.");
    return lang::error_value();
  }
  ExprNode head(ctx.nodes);
  lang::parse_single(head, text, ctx.out);
  if (head.kind == lang::NodeKind::Invalid || (head.children && !lang::is_valid(*head.children))) {
    print_error(ctx, "Error in expression or tree is corrupted.");
    return lang::error_value();
  }
  return evaluate_tree(ctx, &head);
}

} // namespace tovik::compiler
