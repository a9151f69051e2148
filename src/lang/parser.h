#pragma once
// Expression text to expression tree. `tokenize` splits the text into a flat token list under a
// List head; `parse` rewrites that list in place by reducing the innermost bracket first, with
// the operators taken by precedence; the two drivers move the resulting root into the head.
//
// Error messages go to `out` as "ERROR | " lines. On an error the head ends Invalid, but the
// token list always stays attached to it, so destroying the head releases everything.

#include "lang/expr_node.h"

#include <cstdio>

namespace tovik::lang {

// Splits NUL-terminated `text` into tokens under `head`, which must be initialised; new tokens
// are counted on the head's counter. Null or empty text leaves the head as it is; running out of
// memory leaves it Invalid.
void tokenize(ExprNode& head, const char* text);

// Reduces the token list under `head`. Leftovers that no rule reduces stay in the list without
// a message; the callers decide whether they are an error.
void parse(ExprNode& head, std::FILE* out);

// parse, then the first remaining node is moved into the head: the head becomes the root and
// its `next` holds the second leftover, if any.
void take_root(ExprNode& head, std::FILE* out);

// take_root, and the head is made Invalid when more than one node was left.
void take_single_root(ExprNode& head, std::FILE* out);

// An expression text as one tree under `head`: tokenize, then take_single_root unless the
// tokens are already unusable. The head ends Invalid when the text is not one expression.
// Plain expressions take the one-pass parser below, which builds the same tree.
void parse_single(ExprNode& head, const char* text, std::FILE* out);

// For a text that is one plain expression: its tree, built straight from the text, moved into
// the initialised `head` exactly as tokenize and take_single_root leave it, and true. False,
// with the head untouched, for every other text (errors, the joined forms F(a)(b) and (x)(a),
// nesting deeper than the bound); those are left to the two-stage parser.
bool parse_in_one_pass(ExprNode& head, const char* text);

} // namespace tovik::lang
