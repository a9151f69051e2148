#pragma once
// Code generation: an expression tree becomes instructions appended to a CodeBuffer. Every node
// appends its code after the code of the nodes it contains, so the code of a subtree is one run
// of bytes that leaves its value on Stack 1. A rule violation prints one message line and fails
// the whole compilation; there is no partial result.

#include "compiler/code_buffer.h"
#include "lang/expr_node.h"

#include <cstdint>

namespace tovik {
struct Context;
}

namespace tovik::compiler {

// Levels of tree nesting, CONST evaluations inside a compilation included, that are compiled.
// Code generation recurses once per level; the bound keeps that far from the end of the
// process stack whatever a console line holds.
inline constexpr std::uint32_t max_nesting = 2000;

// Results of compile_special.
inline constexpr int special_done = 0;
inline constexpr int special_not_special = 1;
inline constexpr int special_failed = 2;

// True on success. On failure a message has been printed, except for nodes that are neither
// Number nor Name; the buffer's content is then meaningless.
bool compile_node(Context& ctx, const lang::ExprNode& node, CodeBuffer& buffer);

// The instruction of ARGN, RND, ARGS, SUM or AVR (whose arguments are already compiled).
int compile_special(Context& ctx, const lang::ExprNode& node, std::uint32_t argc, bool has_args,
                    CodeBuffer& buffer);

// The thread named by `node` (a plain name, or THR(x) for a thread number computed at run
// time), for the instruction pair whose named form is `named_opcode`.
bool compile_thread_ref(Context& ctx, const lang::ExprNode& node, CodeBuffer& buffer,
                        std::uint8_t named_opcode);

// compile_node for a tree that sits `depth` levels deep in an enclosing compilation.
bool compile_node_at(Context& ctx, const lang::ExprNode& node, CodeBuffer& buffer,
                     std::uint32_t depth);

} // namespace tovik::compiler
