#include "objects/saveable.h"

#include "lang/expr_node.h"
#include "lang/names.h"
#include "lang/node_counter.h"
#include "lang/number.h"
#include "lang/parser.h"

#include <string>

namespace tovik::objects {

namespace {

// The bytes a command line splits words at, or that end a saved line.
bool splits_words(char c) { return c == '\0' || c == '"' || lang::is_blank(c); }

bool is_word(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (splits_words(c)) return false;
  return true;
}

// The name the header text gives a definition, as the definition reads it: one tree whose root
// is a name.
std::string header_name(std::string_view header) {
  lang::NodeCounter counter;
  lang::ExprNode head(counter);
  const std::string text(header);
  lang::parse_single(head, text.c_str(), nullptr);
  if (head.kind != lang::NodeKind::Name) return {};
  const char* name = lang::node_text(head);
  return name ? name : "";
}

} // namespace

bool is_typed_name(std::string_view name) {
  if (!is_word(name)) return false;
  for (char c : name)
    if (lang::is_separator(c)) return false;
  return lang::is_error_value(lang::read_number(name.data(), name.size()));
}

bool is_definition_text(std::string_view name, std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return false;
  const std::string_view header = text.substr(0, blank), body = text.substr(blank + 1);
  return is_word(header) && is_word(body) && body.find("CONST(") == std::string_view::npos &&
         header_name(header) == name;
}

} // namespace tovik::objects
