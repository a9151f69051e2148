#include "lang/parser.h"

#include "lang/error_line.h"
#include "lang/grammar.h"
#include "lang/names.h"

#include <algorithm>
#include <array>
#include <climits>
#include <new>
#include <string_view>
#include <vector>

namespace tovik::lang {

namespace {

constexpr const char* corrupted_message =
    "Some parts of tree are corrupted.(Not enough memory or user error.)";

void set_token(ExprNode& node, Token token) {
  const std::string_view text = text_of(token);
  set_text(node, text.data(), text.size());
}

bool is_symbol(const ExprNode& node, Token token) {
  return node.kind == NodeKind::Symbol && name_is(node, token);
}

Role role_of(const ExprNode& node) {
  if (node.kind != NodeKind::Symbol || node.token == no_token) return Role{};
  return roles[node.token];
}

void fail(ExprNode& head, std::FILE* out, const char* message) {
  make_invalid(head);
  write_error_line(out, "%s", message);
}

// Links a new token after `tail`; false (and the head made Invalid) when memory runs out.
bool append_token(ExprNode& head, std::unique_ptr<ExprNode>*& tail, const char* text,
                  std::size_t length) {
  std::unique_ptr<ExprNode> node = new_node(*head.counter);
  if (!node) {
    make_invalid(head);
    return false;
  }
  set_text(*node, text, length);
  *tail = std::move(node);
  tail = &(*tail)->next;
  return true;
}

// The message for a list that cannot be reduced at all, or null.
const char* check_tokens(const ExprNode& head) {
  int depth = 0;
  for (const ExprNode* t = head.next.get(); t != nullptr; t = t->next.get()) {
    if (t->kind == NodeKind::Invalid) return corrupted_message;
    if (is_symbol(*t, Token::open)) {
      ++depth;
    } else if (is_symbol(*t, Token::close)) {
      if (depth == 0) return "Unexpected bracket.";
      --depth;
    }
  }
  return depth > 0 ? "Some of brackets are not closed." : nullptr;
}

// A "$" standing alone as an argument is a name; "N" and "$" form the prefix operator "N$",
// which the tokenizer cannot make because "$" is a separator.
void join_tokens(ExprNode& head) {
  for (ExprNode* t = head.next.get(); t != nullptr; t = t->next.get()) {
    ExprNode* after = t->next.get();
    if (after == nullptr) return;
    if (is_symbol(*t, Token::dollar) && is_symbol(*after, Token::comma)) {
      t->kind = NodeKind::Name;
    } else if (name_is(*t, "N") && is_symbol(*after, Token::dollar)) {
      set_token(*t, Token::n_dollar);
      if (t->kind == NodeKind::Name) t->kind = NodeKind::Symbol;
      std::unique_ptr<ExprNode> rest = std::move(after->next);
      t->next = std::move(rest);
    }
  }
}

std::unique_ptr<ExprNode>* end_of_children(ExprNode& node) {
  std::unique_ptr<ExprNode>* link = &node.children;
  while (*link) link = &(*link)->next;
  return link;
}

constexpr int none = -1;

// The token list while it is reduced: the tokens sit in slots in text order, linked both ways
// over the slots still in the list, so that the token before a bracket is found at once and
// every reduction is a constant-time relink. The brackets are taken in the order the reduction
// needs them (deepest first, leftmost first at equal depth), which never changes while
// brackets are removed because the deepest pair never encloses another.
class Reducer {
public:
  // Moves the tokens out of the head's list; false, with nothing moved, when memory runs out.
  bool take_tokens(ExprNode& head);
  // Runs reduction cycles until a cycle changes nothing.
  void reduce() {
    while (cycle()) {
    }
  }
  // Links what is left back under the head, in order.
  void give_back(ExprNode& head);
  // Forgets the last list, keeping the memory of the working arrays unless they grew large.
  void reset();

private:
  bool cycle();
  bool reduce_bracket(int open);
  bool reduce_call(int name, int open, int close);
  bool reduce_prefix(int start, int end);
  bool reduce_binary(int start, int end, std::uint8_t level);
  bool drop_trailing_semicolons(int start, int end);

  bool is_operand(int i) const { return i != none && tokens_[i]->kind != NodeKind::Symbol; }
  bool is_symbol_at(int i, Token token) const { return i != none && is_symbol(*tokens_[i], token); }
  bool is_prefix_candidate(int i) const;
  bool is_binary_at(int i, std::uint8_t level) const {
    return i != none && tokens_[i]->kind == NodeKind::Symbol && roles_[i].binary_level == level;
  }
  void unlink(int i);
  std::unique_ptr<ExprNode> take(int i) {
    unlink(i);
    last_child_[i] = nullptr;
    return std::move(tokens_[i]);
  }
  void release(int i) { take(i).reset(); }
  void append_child(int slot, std::unique_ptr<ExprNode> child);

  std::vector<std::unique_ptr<ExprNode>> tokens_;
  std::vector<Role> roles_;
  // The last child of the node in each slot, once known.
  std::vector<ExprNode*> last_child_;
  std::vector<int> prev_;
  std::vector<int> next_;
  std::vector<int> close_of_;
  std::vector<int> opens_;
  std::vector<int> pending_;
  std::vector<int> depth_;
  std::size_t next_open_ = 0;
  int first_ = none;
};

bool Reducer::take_tokens(ExprNode& head) {
  std::size_t count = 0;
  for (const ExprNode* t = head.next.get(); t != nullptr; t = t->next.get()) ++count;
  if (count > static_cast<std::size_t>(INT_MAX)) return false;
  const int n = static_cast<int>(count);
  std::vector<int>& depth = depth_;
  try {
    tokens_.resize(count);
    roles_.resize(count);
    last_child_.assign(count, nullptr);
    prev_.resize(count);
    next_.resize(count);
    close_of_.assign(count, none);
    depth.assign(count, 0);
    opens_.reserve(count);
    pending_.reserve(count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::unique_ptr<ExprNode> chain = std::move(head.next);
  for (int i = 0; i < n; ++i) {
    tokens_[i] = std::move(chain);
    chain = std::move(tokens_[i]->next);
    roles_[i] = role_of(*tokens_[i]);
    prev_[i] = i - 1;
    next_[i] = i + 1 < n ? i + 1 : none;
  }
  first_ = n > 0 ? 0 : none;
  for (int i = 0; i < n; ++i) {
    if (is_symbol_at(i, Token::open)) {
      pending_.push_back(i);
      depth[i] = static_cast<int>(pending_.size());
      opens_.push_back(i);
    } else if (is_symbol_at(i, Token::close) && !pending_.empty()) {
      close_of_[pending_.back()] = i;
      pending_.pop_back();
    }
  }
  pending_.clear();
  std::erase_if(opens_, [&](int open) { return close_of_[open] == none; });
  std::sort(opens_.begin(), opens_.end(),
            [&](int a, int b) { return depth[a] != depth[b] ? depth[a] > depth[b] : a < b; });
  return true;
}

void Reducer::reset() {
  // Beyond this many tokens the arrays are given back rather than kept for the next line.
  constexpr std::size_t kept_capacity = 4096;
  if (tokens_.capacity() > kept_capacity) {
    *this = Reducer();
    return;
  }
  for (auto* v : {&prev_, &next_, &close_of_, &opens_, &pending_, &depth_}) v->clear();
  tokens_.clear();
  roles_.clear();
  last_child_.clear();
  next_open_ = 0;
  first_ = none;
}

void Reducer::give_back(ExprNode& head) {
  std::unique_ptr<ExprNode>* link = &head.next;
  for (int i = first_; i != none; i = next_[i]) {
    *link = std::move(tokens_[i]);
    link = &(*link)->next;
  }
}

void Reducer::unlink(int i) {
  const int before = prev_[i];
  const int after = next_[i];
  if (before != none)
    next_[before] = after;
  else
    first_ = after;
  if (after != none) prev_[after] = before;
}

// Remembering the last child keeps a call with many argument lists, F(1)(2)(3)..., from walking
// its arguments again for each list.
void Reducer::append_child(int slot, std::unique_ptr<ExprNode> child) {
  ExprNode* last = last_child_[slot];
  std::unique_ptr<ExprNode>* link = last != nullptr ? &last->next : end_of_children(*tokens_[slot]);
  last_child_[slot] = child.get();
  *link = std::move(child);
}

// One cycle: the innermost bracket is resolved when it can be; otherwise the first rule that
// matches inside it (or in the whole list once no bracket is left) is applied.
bool Reducer::cycle() {
  int start = first_;
  int end = none;
  if (next_open_ < opens_.size()) {
    const int open = opens_[next_open_];
    if (reduce_bracket(open)) {
      ++next_open_;
      return true;
    }
    // The token before "(" cannot take part in any rule, since none matches a token followed
    // by "(", so the rules start at the bracket.
    start = open;
    end = close_of_[open];
  } else if (first_ == none || next_[first_] == none) {
    return false;
  }
  if (reduce_prefix(start, end)) return true;
  for (std::uint8_t level = 0; level < std::size(precedence); ++level)
    if (precedence[level].form == Form::Binary && reduce_binary(start, end, level)) return true;
  return drop_trailing_semicolons(start, end);
}

bool Reducer::reduce_bracket(int open) {
  const int close = close_of_[open];
  const int inner = next_[open];
  if (inner == close) {
    release(open);
    release(close);
    return true;
  }
  const int before = prev_[open];
  if (before != none && tokens_[before]->kind == NodeKind::Name)
    return reduce_call(before, open, close);
  if (!is_operand(inner) || next_[inner] != close) return false;
  if (is_symbol_at(next_[close], Token::open)) {
    // (x)(a,b): the argument list that follows is joined to MAIN as a call.
    set_token(*tokens_[open], Token::main);
    append_child(open, take(inner));
  } else {
    release(open);
  }
  release(close);
  return true;
}

// name ( a , b , ... ) appends a, b, ... to the name's arguments; F(a)(b) is F(a,b).
bool Reducer::reduce_call(int name, int open, int close) {
  for (int t = next_[open];; t = next_[t]) {
    if (!is_operand(t)) return false;
    t = next_[t];
    if (t == close) break;
    if (!is_symbol_at(t, Token::comma)) return false;
  }
  for (int t = next_[open]; t != close;) {
    const int after = next_[t];
    if (is_operand(t))
      append_child(name, take(t));
    else
      release(t);
    t = after;
  }
  release(open);
  release(close);
  return true;
}

bool Reducer::is_prefix_candidate(int i) const {
  const int before = prev_[i];
  return tokens_[i]->kind == NodeKind::Symbol && roles_[i].prefix &&
         (before == none || tokens_[before]->kind == NodeKind::Symbol);
}

// Reduces every prefix operator in the scope that has its operand. Operators waiting directly
// before an operand nest from the right, each taking what the one after it made.
bool Reducer::reduce_prefix(int start, int end) {
  bool changed = false;
  pending_.clear();
  for (int t = start; t != none && t != end; t = next_[t]) {
    if (is_prefix_candidate(t)) {
      pending_.push_back(t);
    } else if (is_operand(t) && !pending_.empty()) {
      while (!pending_.empty()) {
        const int op = pending_.back();
        pending_.pop_back();
        tokens_[op]->kind = NodeKind::Name;
        append_child(op, take(t));
        t = op;
      }
      changed = true;
    } else {
      pending_.clear();
    }
  }
  return changed;
}

bool Reducer::reduce_binary(int start, int end, std::uint8_t level) {
  bool changed = false;
  for (int left = start; left != none && left != end;) {
    const int op = next_[left];
    const int right = op != none ? next_[op] : none;
    if (!is_operand(left) || !is_binary_at(op, level) || !is_operand(right)) {
      left = op;
      continue;
    }
    // The operator takes the left operand's place and the scan looks there again, so a-b-c
    // becomes (a-b)-c.
    std::unique_ptr<ExprNode> left_operand = std::move(tokens_[left]);
    tokens_[left] = take(op);
    tokens_[left]->kind = NodeKind::Name;
    last_child_[left] = nullptr;
    append_child(left, std::move(left_operand));
    append_child(left, take(right));
    changed = true;
  }
  return changed;
}

// A ";" that ends a statement with nothing after it is dropped: "a;" is a, "F(a;)" is F(a).
bool Reducer::drop_trailing_semicolons(int start, int end) {
  bool changed = false;
  for (int t = start; t != none && t != end;) {
    const int semicolon = next_[t];
    if (is_operand(t) && is_symbol_at(semicolon, Token::semicolon)) {
      const int after = next_[semicolon];
      if (after == none ||
          (tokens_[after]->kind == NodeKind::Symbol && !is_symbol_at(after, Token::plus) &&
           !is_symbol_at(after, Token::minus))) {
        release(semicolon);
        changed = true;
        continue;
      }
    }
    t = semicolon;
  }
  return changed;
}

} // namespace

void tokenize(ExprNode& head, const char* text) {
  if (text == nullptr || *text == '\0' || head.counter == nullptr) return;
  head.data = std::monostate{};
  head.token = no_token;
  head.kind = NodeKind::List;
  head.next.reset();
  std::unique_ptr<ExprNode>* tail = &head.next;
  std::size_t word = 0;
  for (std::size_t r = 0;;) {
    const char c = text[r];
    if (c != '\0' && !is_separator(c)) {
      ++r;
      continue;
    }
    if (r > word && !append_token(head, tail, text + word, r - word)) return;
    if (c == '\0') return;
    const std::size_t length = starts_comparison(c) && text[r + 1] == '=' ? 2 : 1;
    if (!append_token(head, tail, text + r, length)) return;
    r += length;
    word = r;
  }
}

void parse(ExprNode& head, std::FILE* out) {
  if (head.kind == NodeKind::Invalid || !head.next) {
    fail(head, out, "Nothing for calculation.");
    return;
  }
  if (const char* message = check_tokens(head)) {
    fail(head, out, message);
    return;
  }
  join_tokens(head);
  // Parsing never nests, so one reducer serves every line.
  thread_local Reducer reducer;
  reducer.reset();
  if (!reducer.take_tokens(head)) {
    fail(head, out, corrupted_message);
    return;
  }
  reducer.reduce();
  reducer.give_back(head);
}

void take_root(ExprNode& head, std::FILE* out) {
  parse(head, out);
  if (head.kind == NodeKind::Invalid) return;
  std::unique_ptr<ExprNode> root = std::move(head.next);
  if (!root) {
    make_invalid(head);
    return;
  }
  head.constant = root->constant;
  head.kind = root->kind;
  head.data = std::move(root->data);
  head.token = root->token;
  head.children = std::move(root->children);
  head.next = std::move(root->next);
}

void take_single_root(ExprNode& head, std::FILE* out) {
  take_root(head, out);
  if (head.kind != NodeKind::Invalid && head.next) make_invalid(head);
}

void parse_single(ExprNode& head, const char* text, std::FILE* out) {
  if (parse_in_one_pass(head, text)) return;
  tokenize(head, text);
  if (head.kind != NodeKind::Invalid) take_single_root(head, out);
}

} // namespace tovik::lang
