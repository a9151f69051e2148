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

// Code generation compiles a tree of any depth in constant native stack, but each CONST
// compiles and runs its argument in a compilation of its own while the enclosing one waits, so
// CONSTs nested in CONSTs are bounded.
inline constexpr std::uint32_t max_const_nesting = 2000;

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

// compile_node for a tree inside `const_depth` CONST evaluations of enclosing compilations.
bool compile_node_at(Context& ctx, const lang::ExprNode& node, CodeBuffer& buffer,
                     std::uint32_t const_depth);

} // namespace tovik::compiler
