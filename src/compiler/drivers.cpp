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
  append_op(buffer, Op::init_locals);
  append_i32(buffer, static_cast<std::int32_t>(locals));
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

void append_push(CodeBuffer& buffer, double value) {
  append_op(buffer, Op::push);
  append_f64(buffer, value);
}

void append_with_i32(CodeBuffer& buffer, Op op, std::int32_t operand) {
  append_op(buffer, op);
  append_i32(buffer, operand);
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
  append_locals(buffer, 1);
  append_push(buffer, from);
  append_with_i32(buffer, Op::set_local, 0);
  const std::uint32_t loop = buffer.count;
  append_push(buffer, to);
  append_op(buffer, Op::oper);
  append_byte(buffer, lang::code_of(lang::Token::less_equal));
  const std::uint32_t exit_jump = buffer.count;
  append_with_i32(buffer, Op::jifn, 0);
  if (!compile_node(ctx, tree, buffer) && buffer.errors == 0) return 0;
  append_with_i32(buffer, Op::get_local, 0);
  append_with_i32(buffer, Op::get_local, 0);
  append_push(buffer, step);
  append_op(buffer, Op::oper);
  append_byte(buffer, lang::code_of(lang::Token::plus));
  append_with_i32(buffer, Op::set_local, 0);
  append_with_i32(buffer, Op::jump, static_cast<std::int32_t>(loop - buffer.count));
  // Never reached: the jump before it always goes back, and the exit lands after it.
  append_op(buffer, Op::pop);
  patch_i32(buffer, exit_jump + 1, static_cast<std::int32_t>(buffer.count - exit_jump));
  if (extra_point) {
    if (!compile_node(ctx, tree, buffer) && buffer.errors == 0) return 0;
    append_with_i32(buffer, Op::get_local, 0);
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
