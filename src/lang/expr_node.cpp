#include "lang/expr_node.h"

#include "lang/names.h"
#include "lang/number.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace tovik::lang {

namespace {

// Puts `chain` (a node and its siblings) in front of `pending`, so that destroy can walk a whole
// tree as one chain. Each sibling chain is walked once here, which keeps destroy linear.
void push_chain(std::unique_ptr<ExprNode>& pending, std::unique_ptr<ExprNode> chain) noexcept {
  if (!chain) return;
  ExprNode* tail = chain.get();
  while (tail->next) tail = tail->next.get();
  tail->next = std::move(pending);
  pending = std::move(chain);
}

void print_head(std::FILE* out, const ExprNode& node) {
  switch (node.kind) {
  case NodeKind::Number: std::fprintf(out, "%g", number_value(node)); break;
  case NodeKind::Symbol: std::fprintf(out, " %s ", node_text(node)); break;
  case NodeKind::Name: std::fputs(node_text(node), out); break;
  case NodeKind::List: std::fputs("{{NULL}}", out); break;
  default: std::fputs("{{ERR}}", out); break;
  }
}

bool children_constant(const ExprNode& node) {
  for (const ExprNode* c = node.children.get(); c != nullptr; c = c->next.get())
    if (c->constant == 0) return false;
  return true;
}

// Folds the node itself when it is a constant Name; false when its children are to be visited.
bool fold_node(ExprNode& node, const EvaluateHook& evaluate) {
  if (node.kind != NodeKind::Name || node.constant != 1) return false;
  const double value = evaluate(node);
  node.children.reset();
  set_number(node, value);
  return true;
}

} // namespace

namespace {

// The memory of released nodes, linked through their first bytes. Address checking builds go
// to the allocator for every node, so that it sees each one's use after release.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool reuse_nodes = false;
#elif defined(__has_feature)
constexpr bool reuse_nodes = !__has_feature(address_sanitizer);
#else
constexpr bool reuse_nodes = true;
#endif

struct FreeNode {
  FreeNode* next;
};
static_assert(sizeof(FreeNode) <= sizeof(ExprNode));

// At most this many are kept: a huge tree, once released, gives the rest back.
constexpr std::size_t kept_nodes_limit = 4096;
thread_local FreeNode* kept_nodes = nullptr;
thread_local std::size_t kept_node_count = 0;

} // namespace

void* ExprNode::operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (reuse_nodes && size == sizeof(ExprNode) && kept_nodes != nullptr) {
    FreeNode* node = kept_nodes;
    kept_nodes = node->next;
    --kept_node_count;
    return node;
  }
  return ::operator new(size, std::nothrow);
}

void* ExprNode::operator new(std::size_t size) {
  if (void* memory = operator new(size, std::nothrow)) return memory;
  throw std::bad_alloc();
}

void ExprNode::operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  if (!reuse_nodes || kept_node_count >= kept_nodes_limit) return ::operator delete(memory);
  kept_nodes = ::new (memory) FreeNode{kept_nodes};
  ++kept_node_count;
}

ExprNode::ExprNode(NodeCounter& nodes) { init_node(*this, nodes); }

ExprNode::~ExprNode() { destroy(*this); }

void init_node(ExprNode& node, NodeCounter& nodes) {
  destroy(node);
  node.constant = 0;
  node.kind = NodeKind::Invalid;
  node.token = no_token;
  node.counter = &nodes;
  ++nodes.live;
}

std::unique_ptr<ExprNode> new_node(NodeCounter& nodes) {
  std::unique_ptr<ExprNode> node(new (std::nothrow) ExprNode);
  if (node) init_node(*node, nodes);
  return node;
}

void make_invalid(ExprNode& node) {
  node.data = std::monostate{};
  node.kind = NodeKind::Invalid;
  node.token = no_token;
}

namespace {

// The token of a text as it reads: a text with an embedded NUL ends there, as it prints.
std::uint8_t token_of_text(const std::string& text) {
  const std::optional<Token> token = find_token(text.c_str());
  return token ? static_cast<std::uint8_t>(*token) : no_token;
}

} // namespace

void set_name(ExprNode& node, std::string text) {
  node.token = token_of_text(text);
  node.data = std::move(text);
}

void set_text(ExprNode& node, const char* text, std::size_t length) {
  make_invalid(node);
  if (text == nullptr || length == 0) return;
  const double value = read_number(text, length);
  if (!is_error_value(value)) {
    set_number(node, value);
    return;
  }
  try {
    set_name(node, std::string(text, length));
  } catch (const std::bad_alloc&) {
    make_invalid(node);
    return;
  }
  node.kind = is_separator(text[0]) ? NodeKind::Symbol : NodeKind::Name;
}

void set_symbol(ExprNode& node, Token token) {
  make_invalid(node);
  try {
    node.data.emplace<std::string>(text_of(token));
  } catch (const std::bad_alloc&) {
    return;
  }
  node.token = static_cast<std::uint8_t>(token);
  node.kind = NodeKind::Symbol;
}

double* set_number(ExprNode& node, double value) {
  node.data = value;
  node.kind = NodeKind::Number;
  node.token = no_token;
  node.constant = 1;
  return std::get_if<double>(&node.data);
}

double number_value(const ExprNode& node) {
  const double* value = std::get_if<double>(&node.data);
  return node.kind == NodeKind::Number && value != nullptr ? *value : error_value();
}

const char* node_text(const ExprNode& node) {
  const std::string* text = std::get_if<std::string>(&node.data);
  if (text == nullptr || (node.kind != NodeKind::Symbol && node.kind != NodeKind::Name))
    return nullptr;
  return text->c_str();
}

bool name_is(const ExprNode& node, const char* name) {
  if (node.kind != NodeKind::Symbol && node.kind != NodeKind::Name) return name == nullptr;
  const char* text = node_text(node);
  // Compared as C strings: a text read with an embedded NUL ends there, as it prints.
  return name != nullptr && text != nullptr && std::strcmp(text, name) == 0;
}

bool is_valid(const ExprNode& node) {
  // Asked of every line's tree: the walk's stack is kept for the next one.
  thread_local std::vector<const ExprNode*> todo;
  todo.assign(1, &node);
  bool valid = true;
  while (valid && !todo.empty()) {
    const ExprNode* n = todo.back();
    todo.pop_back();
    valid = n->kind != NodeKind::Invalid;
    if (n->next) todo.push_back(n->next.get());
    if (n->children) todo.push_back(n->children.get());
  }
  // A very deep tree's stack is let go.
  if (todo.capacity() > 4096) todo = {};
  return valid;
}

void destroy(ExprNode& node) noexcept {
  if (node.counter != nullptr) {
    --node.counter->live;
    node.counter = nullptr;
  }
  node.data = std::monostate{};
  node.token = no_token;
  // Each node released below comes back here stripped of its links.
  if (!node.next && !node.children) return;
  // Unlink everything below into one chain and release it node by node, each already stripped
  // of its links, so that no destructor runs for more than one level.
  std::unique_ptr<ExprNode> pending = std::move(node.next);
  push_chain(pending, std::move(node.children));
  while (pending) {
    std::unique_ptr<ExprNode> n = std::move(pending);
    pending = std::move(n->next);
    push_chain(pending, std::move(n->children));
  }
}

void print_node(std::FILE* out, const ExprNode& node) {
  // Visit prints a node and opens its children; Rest prints the siblings after a child; Close
  // ends a child list.
  enum class Step : std::uint8_t { Visit, Rest, Close };
  std::vector<std::pair<const ExprNode*, Step>> steps{{&node, Step::Visit}};
  while (!steps.empty()) {
    const auto [n, step] = steps.back();
    steps.pop_back();
    if (step == Step::Close) {
      std::fputc('}', out);
    } else if (step == Step::Rest) {
      if (n->next) {
        std::fputc(',', out);
        steps.emplace_back(n->next.get(), Step::Rest);
        steps.emplace_back(n->next.get(), Step::Visit);
      }
    } else {
      print_head(out, *n);
      if (n->kind == NodeKind::Name && n->children) {
        std::fputc('{', out);
        steps.emplace_back(nullptr, Step::Close);
        steps.emplace_back(n->children.get(), Step::Rest);
        steps.emplace_back(n->children.get(), Step::Visit);
      }
    }
  }
}

void print_list(std::FILE* out, const char* prefix, const ExprNode& node, char separator) {
  if (prefix != nullptr) std::fputs(prefix, out);
  for (const ExprNode* n = &node; n != nullptr; n = n->next.get()) {
    if (n != &node) std::fputc(separator, out);
    print_node(out, *n);
  }
}

void mark_constants(ExprNode& root) {
  // A Name is decided after all its children: the second entry for it comes back to the top of
  // the stack once every child pushed above it is done.
  std::vector<std::pair<ExprNode*, bool>> steps{{&root, false}};
  while (!steps.empty()) {
    const auto [n, children_done] = steps.back();
    steps.pop_back();
    if (children_done) {
      const std::optional<Token> word = token_of(*n);
      n->constant = children_constant(*n) && word && is_foldable(*word) ? 1 : 0;
      continue;
    }
    if (n->constant == 1) continue;
    if (n->kind == NodeKind::Number) {
      n->constant = 1;
    } else if (n->kind == NodeKind::Name) {
      steps.emplace_back(n, true);
      for (ExprNode* c = n->children.get(); c != nullptr; c = c->next.get())
        steps.emplace_back(c, false);
    }
  }
}

void fold_constants(ExprNode& root, const EvaluateHook& evaluate) {
  if (fold_node(root, evaluate)) return;
  // Each entry is the next node of a child list still to visit; children go on top of their
  // node's later siblings, so nodes are folded in text order.
  std::vector<ExprNode*> todo;
  if (root.children) todo.push_back(root.children.get());
  while (!todo.empty()) {
    ExprNode* n = todo.back();
    todo.pop_back();
    if (n->next) todo.push_back(n->next.get());
    if (!fold_node(*n, evaluate) && n->children) todo.push_back(n->children.get());
  }
}

} // namespace tovik::lang
