#include "compiler/drivers.h"

#include "compiler/code_buffer.h"
#include "compiler/codegen.h"
#include "compiler/run_value.h"
#include "compiler/spares.h"
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
bool buffer_complete(Context& ctx, const CodeBuffer& buffer) {
  if (buffer.errors == 0) return true;
  print_error_f(ctx,
                "Code was not made: %u byte(s) could not be stored (too long or out of "
                "memory).",
                buffer.errors);
  return false;
}

std::uint32_t finish_block(Context& ctx, const CodeBuffer& buffer, runner::CodeBlock& block) {
  if (!buffer_complete(ctx, buffer)) return 0;
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

thread_local Spares<CodeBuffer> spare_buffers;

// A code buffer for one compilation: the memory of an earlier one when it was not large, so
// that a line's compilation does not allocate.
class ScratchBuffer {
public:
  explicit ScratchBuffer(std::uint32_t step) : buffer(step) {
    if (spare_buffers.take(buffer)) buffer.step = step;
  }
  ~ScratchBuffer() {
    constexpr std::uint32_t kept_bytes = 64 * 1024;
    if (buffer.capacity == 0 || buffer.capacity > kept_bytes) return;
    // The capacity starts again from nothing and grows step by step as in a new buffer; only
    // the storage behind it is kept.
    buffer.count = buffer.capacity = buffer.errors = 0;
    spare_buffers.give(std::move(buffer));
  }
  ScratchBuffer(const ScratchBuffer&) = delete;
  ScratchBuffer& operator=(const ScratchBuffer&) = delete;

  CodeBuffer buffer;
};

// The code of the tree in `buffer`; false when it cannot be made, its report printed unless
// the generator printed one.
bool build_code(Context& ctx, const ExprNode& tree, CodeBuffer& buffer, std::uint32_t locals,
                std::uint32_t const_depth) {
  if (locals != 0) append_locals(buffer, locals);
  const bool compiled = compile_node_at(ctx, tree, buffer, const_depth);
  // A failed append can make a form give up silently; its own report comes first.
  if (buffer.errors == 0 && !compiled) return false;
  return buffer_complete(ctx, buffer);
}

std::uint32_t build_block(Context& ctx, const ExprNode& tree, runner::CodeBlock& block,
                          std::uint32_t locals, std::uint32_t const_depth) {
  ScratchBuffer scratch(ctx.settings.stack_step);
  if (!build_code(ctx, tree, scratch.buffer, locals, const_depth)) return 0;
  return finish_block(ctx, scratch.buffer, block);
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
  ScratchBuffer scratch(ctx.settings.stack_step);
  CodeBuffer& buffer = scratch.buffer;
  if (!build_code(ctx, *tree, buffer, 0, const_depth)) {
    print_error(ctx, "Cannot make code for expression.");
    return lang::error_value();
  }
  // The code runs where it was built, ended by RETURN there, unless even that byte cannot be
  // stored: then it runs from a block of its own, as any other.
  if (buffer.count < buffer.capacity || buffer.grow(buffer.step)) {
    buffer.push_unchecked(runner::byte_of(Op::ret));
    return run_for_value(ctx, buffer.bytes());
  }
  runner::CodeBlock block;
  if (finish_block(ctx, buffer, block) == 0) {
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
