#pragma once
// The node of token lists and expression trees. One record serves as a token while the text is
// split, as a partly reduced element while the parser works, and as a node of the finished tree
// that the compiler reads: an operation is a Name whose text says what it is and whose children
// are its operands, in order.
//
// Every node owns its payload, its children and the siblings after it. Each live node is counted
// on a NodeCounter, so a count that does not return to its old value shows a leaked tree. Trees
// can be as deep as the input is long, so every walk here is iterative: no operation recurses
// once per level.

#include "lang/node_counter.h"
#include "lang/tokens.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <variant>

namespace tovik::lang {

inline constexpr std::uint8_t no_token = 0xFF;

enum class NodeKind : std::uint8_t {
  Invalid = 0, // empty, or marked as failed: a tree that holds one is unusable
  Number = 1,  // a literal or a folded constant
  Symbol = 2,  // a separator token the parser has not consumed
  Name = 3,    // a name, an operator application or a call
  List = 10,   // the head of a token list
};

struct ExprNode {
  // 1 for a Number, and for a subtree that mark_constants found to be built only from numbers
  // and foldable names.
  std::uint8_t constant = 0;
  NodeKind kind = NodeKind::Invalid;
  // The reserved word a Symbol's or Name's text is, or `no_token`: set with the text, so that
  // tests for keywords compare one byte instead of the text.
  std::uint8_t token = no_token;
  // A Number's value, or a Symbol's or Name's text; nothing for the other kinds. A text is set
  // only through set_text or set_name, which keep `token` in step with it.
  std::variant<std::monostate, double, std::string> data;
  std::unique_ptr<ExprNode> next;     // following token, operand or argument
  std::unique_ptr<ExprNode> children; // first operand or argument
  // The counter this node is counted on; null before init_node and after destroy.
  NodeCounter* counter = nullptr;

  ExprNode() = default;
  explicit ExprNode(NodeCounter& nodes);
  ~ExprNode();
  ExprNode(const ExprNode&) = delete;
  ExprNode& operator=(const ExprNode&) = delete;

  // Every line makes and drops a dozen nodes or so: their memory is kept for the next ones.
  static void* operator new(std::size_t size);
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  static void operator delete(void* memory) noexcept;
};

// Makes the node an empty Invalid node counted on `nodes` (a live node is destroyed first).
void init_node(ExprNode& node, NodeCounter& nodes);
// A new initialised node, or null when memory runs out.
std::unique_ptr<ExprNode> new_node(NodeCounter& nodes);

// Sets the node from the first `length` characters of `text`: a Number when they read as one,
// else a Symbol (first character a separator) or a Name. Null or empty text, or running out of
// memory, leaves the node Invalid. The links are not touched.
void set_text(ExprNode& node, const char* text, std::size_t length);
// Gives a Symbol or Name node a new text, keeping its kind and links.
void set_name(ExprNode& node, std::string text);
// Makes the node a Symbol holding a reserved word: its text and its token.
void set_symbol(ExprNode& node, Token token);
// Makes the node the Number `value` (constant 1) and returns where the value is kept.
double* set_number(ExprNode& node, double value);
// Drops the payload and marks the node failed; the links are kept.
void make_invalid(ExprNode& node);

// The value of a Number node; the error value for every other kind.
double number_value(const ExprNode& node);
// The text of a Symbol or Name node; null for every other kind.
const char* node_text(const ExprNode& node);
// For a Symbol or Name: `name` is not null and equals the text. For other kinds: `name` is null.
bool name_is(const ExprNode& node, const char* name);
// The reserved word a Symbol's or Name's text is, as remembered when the text was set; nothing
// for other texts and other kinds.
inline std::optional<Token> token_of(const ExprNode& node) {
  if ((node.kind != NodeKind::Symbol && node.kind != NodeKind::Name) || node.token == no_token)
    return std::nullopt;
  return static_cast<Token>(node.token);
}
inline bool name_is(const ExprNode& node, Token token) { return token_of(node) == token; }

// False when the node, a sibling after it or any of their descendants is Invalid.
bool is_valid(const ExprNode& node);

// Uncounts the node and releases its payload, its siblings and its children. The kind is kept;
// destroying a node twice does nothing the second time.
void destroy(ExprNode& node) noexcept;

// Tree notation: 1+2*X prints as +{1,*{2,X}}.
void print_node(std::FILE* out, const ExprNode& node);
// The prefix, then the node and every sibling after it with `separator` between them.
void print_list(std::FILE* out, const char* prefix, const ExprNode& node, char separator);

// Marks every subtree built only from numbers and foldable names as constant. The root's own
// siblings are not visited; a node already marked is not entered again.
void mark_constants(ExprNode& root);

// Compiles and runs a subtree, giving its value (the error value when that fails).
using EvaluateHook = std::function<double(const ExprNode&)>;
// Replaces every maximal constant Name subtree of a marked tree by a Number holding its value.
void fold_constants(ExprNode& root, const EvaluateHook& evaluate);

} // namespace tovik::lang
