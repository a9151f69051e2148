#pragma once
// Helpers shared by the expression front end's tests: capturing what goes to an output channel,
// and building and printing trees.

#include "lang/expr_node.h"
#include "lang/node_counter.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace tovik::lang::testing {

// An output channel whose text the test can read back.
class Capture {
public:
  Capture() : file_(open_memstream(&buffer_, &size_)) {}
  ~Capture() {
    if (file_ != nullptr) std::fclose(file_);
    std::free(buffer_); // open_memstream's buffer belongs to the caller
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  std::FILE* file() const { return file_; }
  std::string text() {
    std::fflush(file_);
    return std::string(buffer_, size_);
  }

private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

inline std::string printed(const ExprNode& node) {
  Capture out;
  print_node(out.file(), node);
  return out.text();
}

inline std::string printed_list(const ExprNode& node) {
  Capture out;
  print_list(out.file(), "", node, ' ');
  return out.text();
}

// A node made from token text, as the tokenizer makes it.
inline std::unique_ptr<ExprNode> leaf(NodeCounter& nodes, const std::string& text) {
  std::unique_ptr<ExprNode> node = new_node(nodes);
  set_text(*node, text.data(), text.size());
  return node;
}

// Appends `child` to the end of `parent`'s children and returns the parent.
inline ExprNode& add_child(ExprNode& parent, std::unique_ptr<ExprNode> child) {
  std::unique_ptr<ExprNode>* link = &parent.children;
  while (*link) link = &(*link)->next;
  *link = std::move(child);
  return parent;
}

} // namespace tovik::lang::testing
