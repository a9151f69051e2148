// The one-pass parser: precedence climbing straight from the text to the tree. It takes only
// texts that are one plain expression, for which it builds node for node what the two-stage
// parser builds, and hands every other text (errors, the forms only the reducer knows, nesting
// deeper than its bound) back untouched.

#include "lang/grammar.h"
#include "lang/names.h"
#include "lang/parser.h"

#include <array>
#include <memory>
#include <string_view>
#include <utility>

namespace tovik::lang {

namespace {

using Node = std::unique_ptr<ExprNode>;

// Operands nested deeper than this go to the two-stage parser, whose walks never recurse.
constexpr int max_nesting = 200;

// One token of the text: a word, or a separator (one character, or a comparison of two).
struct Lexeme {
  const char* text = nullptr;
  std::size_t length = 0; // 0 at the end of the text
  std::uint8_t token = no_token;
  bool separator = false;
};

// The token of every separator character.
constexpr std::array<std::uint8_t, 256> separator_tokens = [] {
  std::array<std::uint8_t, 256> table{};
  table.fill(no_token);
  for (std::size_t i = 0; i < token_count; ++i)
    if (std::string_view(token_columns::texts[i]).size() == 1)
      table[static_cast<unsigned char>(token_columns::texts[i][0])] = static_cast<std::uint8_t>(i);
  return table;
}();

bool is(const Lexeme& l, Token token) {
  return l.separator && l.token == static_cast<std::uint8_t>(token);
}

class OnePass {
public:
  OnePass(NodeCounter& nodes, const char* text) : nodes_(nodes), text_(text) {
    next_ = scan();
    advance();
  }

  // The tree, or null when the text is not taken.
  Node parse() {
    Node root = expression(loosest_level);
    return root && current_.length == 0 ? std::move(root) : nullptr;
  }

private:
  Lexeme scan() {
    Lexeme l;
    l.text = text_ + position_;
    const char c = l.text[0];
    if (c == '\0') return l;
    if (is_separator(c)) {
      l.separator = true;
      if (starts_comparison(c) && l.text[1] == '=') {
        l.length = 2;
        const std::optional<Token> token = find_token({l.text, l.length});
        l.token = token ? static_cast<std::uint8_t>(*token) : no_token;
      } else {
        l.length = 1;
        l.token = separator_tokens[static_cast<unsigned char>(c)];
      }
    } else {
      l.length = 1;
      while (l.text[l.length] != '\0' && !is_separator(l.text[l.length])) ++l.length;
    }
    position_ += l.length;
    return l;
  }

  void advance() {
    current_ = next_;
    next_ = scan();
  }

  // The node of a word, a Number or a Name.
  Node make(const char* text, std::size_t length) {
    Node node = new_node(nodes_);
    if (!node) return nullptr;
    set_text(*node, text, length);
    if (node->kind == NodeKind::Invalid) return nullptr;
    return node;
  }

  Node make(std::uint8_t token) {
    Node node = new_node(nodes_);
    if (!node) return nullptr;
    set_symbol(*node, static_cast<Token>(token));
    if (node->kind == NodeKind::Invalid) return nullptr;
    return node;
  }

  // An operator node over its operands, as the reducer leaves it: the token's node made a Name.
  static Node apply(Node op, Node first, Node second = nullptr) {
    op->kind = NodeKind::Name;
    first->next = std::move(second);
    op->children = std::move(first);
    return op;
  }

  Node expression(std::uint8_t loosest) {
    Node left = operand();
    while (left && current_.separator && current_.token != no_token) {
      const std::uint8_t level = roles[current_.token].binary_level;
      if (level == no_level || level > loosest) break;
      // A ';' that ends an argument or the text is dropped.
      if (is(current_, Token::semicolon) &&
          (next_.length == 0 || is(next_, Token::close) || is(next_, Token::comma))) {
        advance();
        break;
      }
      Node op = make(current_.token);
      advance();
      Node right = op ? expression(static_cast<std::uint8_t>(level - 1)) : nullptr;
      if (!right) return nullptr;
      left = apply(std::move(op), std::move(left), std::move(right));
    }
    return left;
  }

  Node operand() {
    if (current_.length == 0 || nesting_ >= max_nesting) return nullptr;
    ++nesting_;
    Node node = current_.separator ? symbol_operand() : word_operand();
    --nesting_;
    return node;
  }

  Node word_operand() {
    // "N" and "$" form the prefix operator "N$".
    if (current_.length == 1 && current_.text[0] == 'N' && is(next_, Token::dollar)) {
      advance();
      advance();
      return prefix(static_cast<std::uint8_t>(Token::n_dollar));
    }
    Node node = make(current_.text, current_.length);
    advance();
    if (!node || !is(current_, Token::open)) return node;
    if (node->kind != NodeKind::Name || !arguments(*node)) return nullptr;
    return node;
  }

  Node symbol_operand() {
    if (is(current_, Token::open)) {
      if (is(next_, Token::close)) return nullptr;
      advance();
      Node inner = expression(loosest_level);
      if (!inner || !is(current_, Token::close)) return nullptr;
      advance();
      // (x)(a,b) is a call of MAIN: the reducer's form.
      return is(current_, Token::open) ? nullptr : std::move(inner);
    }
    // A "$" standing alone as an argument is a name.
    if (is(current_, Token::dollar) && is(next_, Token::comma)) {
      Node node = make(current_.token);
      if (node) node->kind = NodeKind::Name;
      advance();
      return node;
    }
    if (current_.token == no_token || !roles[current_.token].prefix) return nullptr;
    const std::uint8_t op = current_.token;
    advance();
    return prefix(op);
  }

  // The prefix operator `token` over the operand that follows.
  Node prefix(std::uint8_t token) {
    Node op = make(token);
    Node arg = op ? operand() : nullptr;
    return arg ? apply(std::move(op), std::move(arg)) : nullptr;
  }

  // The argument list of a call, the "(" current; the arguments become the name's children.
  bool arguments(ExprNode& name) {
    advance();
    std::unique_ptr<ExprNode>* link = &name.children;
    if (is(current_, Token::close)) {
      advance();
    } else {
      for (;;) {
        *link = expression(loosest_level);
        if (!*link) return false;
        link = &(*link)->next;
        const bool more = is(current_, Token::comma);
        if (!more && !is(current_, Token::close)) return false;
        advance();
        if (!more) break;
      }
    }
    // F(a)(b): argument lists joined, the reducer's form.
    return !is(current_, Token::open);
  }

  NodeCounter& nodes_;
  const char* text_;
  std::size_t position_ = 0;
  Lexeme current_;
  Lexeme next_;
  int nesting_ = 0;
};

} // namespace

bool parse_in_one_pass(ExprNode& head, const char* text) {
  if (text == nullptr || head.counter == nullptr) return false;
  Node root = OnePass(*head.counter, text).parse();
  if (!root) return false;
  head.constant = root->constant;
  head.kind = root->kind;
  head.data = std::move(root->data);
  head.token = root->token;
  head.children = std::move(root->children);
  head.next.reset();
  return true;
}

} // namespace tovik::lang
