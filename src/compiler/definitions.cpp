#include "compiler/definitions.h"

#include "compiler/drivers.h"
#include "compiler/generator.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/number.h"
#include "lang/parser.h"
#include "numout/exact_text.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace tovik::compiler {

using lang::ExprNode;
using lang::NodeKind;

namespace {

// --- Variables ---

const ExprNode* single_name_token(const ExprNode& head) {
  const ExprNode* token = head.next.get();
  if (!token || token->next || token->kind != NodeKind::Name || token->children) return nullptr;
  return token;
}

double report_set_value(Context& ctx, const char* name, const char* token, std::uint8_t result) {
  std::FILE* out = ctx.out;
  switch (result) {
  case objects::table_created:
    std::fprintf(out, "DEF   | New variable %s was made.\n", name);
    break;
  case objects::table_replaced:
    std::fprintf(out, "REDEF | Value of existing variable %s was changed.\n", name);
    break;
  case objects::table_system_name:
    std::fprintf(out, "SYS   | %s: this name is used by system object.\n", name);
    return lang::error_value();
  case objects::table_nothing_removed:
    print_error_f(ctx, "Value is undefined but object %s can not be removed.", name);
    return lang::error_value();
  case objects::table_removed:
    std::fprintf(out, "DEL   | Value is undefined and object %s was removed.\n", name);
    return lang::error_value();
  case objects::table_failed:
    print_error_f(ctx, "Can not set variable %s.", name);
    return lang::error_value();
  default: print_error(ctx, "Unexpected error."); return lang::error_value();
  }
  // The echo reads the variable back through a compiled call, as any expression would.
  return ctx.settings.startup_loading ? lang::error_value() : evaluate_text(ctx, token);
}

// --- Function headers ---

struct Parameters {
  std::vector<std::string> arguments;
  const ExprNode* marker = nullptr; // the "$" that separates arguments from named locals
  std::vector<std::string> locals;
};

class Definition {
public:
  Definition(Context& ctx, const char* header) : ctx_(ctx), header_(header) {}

  double define(const char* body);

private:
  bool read_header();
  bool read_parameter(const ExprNode& p);
  bool declared(const std::string& text) const;
  std::optional<std::uint32_t> declared_locals();
  // Turns every Name token `text` of the body into `slot` (@ or $) with the child `index`.
  bool rewrite(const std::string& text, const char* slot, std::uint32_t index, bool local);
  bool make_tree(const char* body, std::string& explanation, std::uint32_t& locals);
  void store(runner::CodeBlock&& block, std::string&& explanation);
  void report(std::uint8_t result);
  bool fail(const char* format);
  bool fail(const char* format, const std::string& detail);

  Context& ctx_;
  const char* header_;
  ExprNode header_head_{ctx_.nodes};
  ExprNode body_head_{ctx_.nodes};
  std::string function_;
  Parameters params_;
};

bool Definition::fail(const char* format) {
  print_error_f(ctx_, format, function_.c_str());
  return false;
}

bool Definition::fail(const char* format, const std::string& detail) {
  print_error_f(ctx_, format, function_.c_str(), detail.c_str());
  return false;
}

bool Definition::read_header() {
  lang::parse_single(header_head_, header_, ctx_.out);
  const ExprNode& h = header_head_;
  if (h.kind != NodeKind::Name || (h.children && !lang::is_valid(*h.children))) {
    print_error_f(ctx_, "%s: invalid tree with function header.", header_);
    return false;
  }
  function_ = lang::node_text(h);
  for (const ExprNode* p = h.children.get(); p != nullptr; p = p->next.get())
    if (!read_parameter(*p)) return false;
  return true;
}

bool Definition::declared(const std::string& text) const {
  const auto& a = params_.arguments;
  const auto& l = params_.locals;
  return std::find(a.begin(), a.end(), text) != a.end() ||
         std::find(l.begin(), l.end(), text) != l.end();
}

bool Definition::read_parameter(const ExprNode& p) {
  if (p.kind != NodeKind::Name)
    return fail("Function %s: one of arguments after name have bad format.");
  const std::string text = lang::node_text(p);
  if (lang::name_is(p, lang::Token::dollar)) {
    if (params_.marker) return fail("Function %s: parameter %s is declared more than once.", text);
    params_.marker = &p;
    return true;
  }
  if (p.children) return fail("Function %s: argument %s after name have own arguments.", text);
  if (lang::token_of(p))
    return fail("Function %s: argument %s after name have name as system object.", text);
  // A name declared twice could only ever reach the first of its slots.
  if (declared(text)) return fail("Function %s: parameter %s is declared more than once.", text);
  (params_.marker ? params_.locals : params_.arguments).push_back(text);
  return true;
}

std::optional<std::uint32_t> Definition::declared_locals() {
  const ExprNode* count = params_.marker ? params_.marker->children.get() : nullptr;
  if (!count || count->kind != NodeKind::Number) return 0;
  std::optional<std::uint32_t> d = index_value(*count);
  if (!d) fail("Function %s: unexpected number of local variables.");
  return d;
}

bool Definition::rewrite(const std::string& text, const char* slot, std::uint32_t index,
                         bool local) {
  for (ExprNode* t = body_head_.next.get(); t != nullptr; t = t->next.get()) {
    if (t->kind != NodeKind::Name || !lang::name_is(*t, text.c_str())) continue;
    lang::set_name(*t, slot);
    if (t->next && t->next->kind == NodeKind::Symbol && lang::name_is(*t->next, lang::Token::open))
      return fail(local ? "Function %s: object which are declared as local variable must "
                          "not have own arguments."
                        : "Function %s: object which are declared as arguments must not "
                          "have own arguments.");
    if (t->children) return fail("Function %s: unexpected error.");
    std::unique_ptr<ExprNode> number = lang::new_node(ctx_.nodes);
    if (!number || !lang::set_number(*number, index))
      return fail(local ? "Function %s: not enough memory for making argument for '$'."
                        : "Function %s: not enough memory for making argument.");
    t->children = std::move(number);
  }
  return true;
}

bool Definition::make_tree(const char* body, std::string& explanation, std::uint32_t& locals) {
  CodeBuffer text(ctx_.settings.stack_step);
  if (!expand_const_calls(ctx_, function_.c_str(), body, text)) return false;
  const char* expanded = reinterpret_cast<const char*>(text.data());
  try {
    explanation = std::string(header_) + " " + expanded;
  } catch (const std::bad_alloc&) {
    return fail("Function %s: Not enough memory for Explanation string.");
  }
  lang::tokenize(body_head_, expanded);
  if (!lang::is_valid(body_head_)) return fail("Function %s: invalid expression tree.");
  const auto& args = params_.arguments;
  for (std::uint32_t k = 0; k < args.size(); ++k)
    if (!rewrite(args[k], "@", k, false)) return false;
  std::optional<std::uint32_t> d = declared_locals();
  if (!d) return false;
  const auto& named = params_.locals;
  for (std::uint32_t j = 0; j < named.size(); ++j)
    if (!rewrite(named[j], "$", j, true)) return false;
  locals = std::max<std::uint32_t>(*d, std::uint32_t(named.size()));
  lang::take_root(body_head_, ctx_.out);
  // A second top-level element means the body did not parse as one expression (such as X+):
  // compiling only the first would define something else than what was typed.
  const ExprNode& b = body_head_;
  if (b.kind == NodeKind::Invalid || b.next || (b.children && !lang::is_valid(*b.children)))
    return fail("Function %s: expression tree is corrupted (memory or user error).");
  return true;
}

void Definition::store(runner::CodeBlock&& block, std::string&& explanation) {
  std::shared_ptr<runner::CodeBlock> code;
  try {
    code = std::make_shared<runner::CodeBlock>(std::move(block));
  } catch (const std::bad_alloc&) {
  }
  report(code ? ctx_.objects.define_object(function_, code, explanation) : objects::table_failed);
}

// The line for the table's answer, then the new function unless the start-up files are read.
void Definition::report(std::uint8_t result) {
  const char* name = function_.c_str();
  switch (result) {
  case objects::table_created:
    std::fprintf(ctx_.out, "DEF   | New function %s was defined.\n", name);
    break;
  case objects::table_replaced:
    std::fprintf(ctx_.out, "REDEF | Definition of existing function %s was changed.\n", name);
    break;
  case objects::table_system_name:
    std::fprintf(ctx_.out, "SYS   | %s: this name is used by system object.\n", name);
    return;
  case objects::table_failed: print_error_f(ctx_, "Can not define function %s.", name); return;
  default: print_error(ctx_, "Unexpected error."); return;
  }
  if (!ctx_.settings.startup_loading && ctx_.show_object) ctx_.show_object(ctx_, function_);
}

// A body that is one number, perhaps negated, as saved files write a variable's value.
std::optional<double> plain_number(std::string_view body) {
  bool negative = !body.empty() && body[0] == '-';
  if (negative) body.remove_prefix(1);
  if (body.empty()) return std::nullopt;
  double value = lang::read_number(body.data(), body.size());
  if (lang::is_error_value(value)) return std::nullopt;
  return negative ? -value : value;
}

double Definition::define(const char* body) {
  std::string explanation;
  std::uint32_t locals = 0;
  if (!read_header()) return lang::error_value();
  // A bare name defined as a number is a plain-valued variable: it keeps the exact value and
  // shows it as such, so that saving and reading it back changes nothing. Any other header, even
  // one that names no parameters, keeps its text as typed.
  std::optional<double> number = function_ == header_ ? plain_number(body) : std::nullopt;
  if (number) {
    report(ctx_.objects.set_value(function_, *number));
    return lang::error_value();
  }
  if (!make_tree(body, explanation, locals)) return lang::error_value();
  runner::CodeBlock block;
  if (compile_tree(ctx_, body_head_, block, locals, true) == 0) {
    fail("Function %s: cannot make code.");
    return lang::error_value();
  }
  store(std::move(block), std::move(explanation));
  return lang::error_value();
}

} // namespace

double set_variable(Context& ctx, const char* name, const char* expression) {
  ExprNode name_head(ctx.nodes);
  ExprNode value_head(ctx.nodes);
  lang::tokenize(name_head, name);
  if (name_head.kind == NodeKind::Invalid || !lang::is_valid(name_head)) {
    print_error_f(ctx, "Object %s: invalid tree with variable name.", name);
    return lang::error_value();
  }
  const ExprNode* token = single_name_token(name_head);
  if (!token) {
    print_error_f(ctx, "%s: invalid name of variable", name);
    return lang::error_value();
  }
  lang::parse_single(value_head, expression, ctx.out);
  if (!lang::is_valid(value_head)) {
    print_error_f(ctx, "Variable %s: invalid tree with expression.", name);
    return lang::error_value();
  }
  const double value = evaluate_tree(ctx, &value_head);
  const char* text = lang::node_text(*token);
  return report_set_value(ctx, name, text, ctx.objects.set_value(text, value));
}

double define_function(Context& ctx, const char* header, const char* body) {
  return Definition(ctx, header).define(body);
}

std::size_t find_const_call(std::string_view text) {
  static constexpr std::string_view call = "CONST(";
  for (std::size_t start = 0; start + call.size() <= text.size(); ++start) {
    std::size_t matched = 0;
    while (matched < call.size() && text[start + matched] == call[matched]) ++matched;
    if (matched == call.size()) return start;
  }
  return text.size();
}

bool expand_const_calls(Context& ctx, const char* function, std::string_view body,
                        CodeBuffer& text) {
  std::size_t pos = 0;
  while (pos < body.size()) {
    const std::size_t n = find_const_call(body.substr(pos));
    append_text(text, body.substr(pos, n));
    if (pos + n == body.size()) break;
    const std::size_t start = pos + n + 6;
    std::size_t end = start;
    for (int depth = 1; end < body.size(); ++end) {
      depth += body[end] == '(' ? 1 : body[end] == ')' ? -1 : 0;
      if (depth == 0) break;
    }
    if (end >= body.size()) {
      print_error_f(ctx, "Function %s: one of right brackets not found.", function);
      return false;
    }
    const std::string argument(body.substr(start, end - start));
    // The value goes into the text with digits that read back to exactly the same double.
    append_text(text, numout::exact_number_text(evaluate_text(ctx, argument.c_str())));
    pos = end + 1;
  }
  append_byte(text, 0);
  if (text.errors != 0) {
    print_error_f(ctx, "Function %s: %d stack error(s).", function, static_cast<int>(text.errors));
    return false;
  }
  return true;
}

} // namespace tovik::compiler
