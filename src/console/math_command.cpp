#include "console/math_command.h"

#include "analysis/analyse.h"
#include "compiler/definitions.h"
#include "compiler/drivers.h"
#include "compiler/run_value.h"
#include "console/console.h"
#include "console/what_object.h"
#include "context/context.h"
#include "context/output.h"
#include "lang/number.h"
#include "lang/parser.h"
#include "runner/listing.h"

#include <cstring>
#include <string>

namespace tovik::console {

namespace {

using Analysis = analysis::AnalysisMode;

// count, graph and null tabulate, plot and search a function of one variable.
double analyse(Context& ctx, const std::string& function, const std::string* range, Analysis mode) {
  analysis::analyse_function(ctx, range ? range->c_str() : nullptr, function.c_str(), mode);
  return lang::error_value();
}

bool analysis_word(const CommandLine& line, Analysis& mode) {
  if (word_equals(line, 0, "count"))
    mode = Analysis::count;
  else if (word_equals(line, 0, "graph"))
    mode = Analysis::graph;
  else if (word_equals(line, 0, "null"))
    mode = Analysis::null;
  else
    return false;
  return true;
}

// Shows an object, or an expression's tree and (with program showing) its code; `try` also runs
// it. ANS is not changed.
double what_or_try(Context& ctx, CommandLine& line, bool run) {
  const double none = lang::error_value();
  if (what_object(ctx, word_at(line, 1))) return none;
  const std::string expression = compact_word(line, 1);
  std::fprintf(ctx.out, "WHAT  | Expression %s.\n", expression.c_str());
  lang::ExprNode head(ctx.nodes);
  lang::parse_single(head, expression.c_str(), ctx.out);
  if (!lang::is_valid(head)) {
    print_error(ctx, "Error in expression.");
    return none;
  }
  lang::print_list(ctx.out, "TREE  | ", head, ' ');
  std::fputs("\n", ctx.out);
  const bool show = ctx.settings.show_program;
  if (!run && !show) return none;
  runner::CodeBlock block;
  if (compiler::compile_tree(ctx, head, block, 0, false) == 0) {
    if (show) print_error(ctx, "Cannot make code.");
    return none;
  }
  if (show) runner::list_code(ctx.out, ctx.key_waiting, "ZORVA CODE:", block);
  if (!run) return none;
  const double x = compiler::run_for_value(ctx, block);
  if (lang::is_error_value(x)) print_line(ctx, "VALUE | NAN");
  return x;
}

double delete_objects(Context& ctx, const CommandLine& line) {
  for_each_argument(line, [&](const char* name) {
    if (ctx.objects.remove_object(name))
      std::fprintf(ctx.out, "DEL   | Object %s was deleted.\n", name);
    else
      print_error_f(ctx, "Object %s can not be deleted.", name);
  });
  return lang::error_value();
}

double define_from_equation(Context& ctx, CommandLine& line) {
  std::string word = compact_word(line, 1);
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) {
    print_error(ctx, "Symbol '=' not found.");
    return lang::error_value();
  }
  word[equals] = '\0';
  return compiler::define_function(ctx, word.c_str(), word.c_str() + equals + 1);
}

double list_objects(Context& ctx) {
  print_line(ctx, "----------- global objects -----------");
  ctx.objects.for_each_object(ctx.out,
                              [](const auto&, const std::string& text, const auto&,
                                 std::FILE* out) { std::fprintf(out, "%s\n", text.c_str()); });
  print_line(ctx, "--------------------------------------");
  return lang::error_value();
}

double clear_memory(Context& ctx) {
  ctx.objects.clear_objects();
  print_line(ctx, "DEL   | All objects was deleted.");
  return lang::error_value();
}

// The whole line as one expression; its value becomes ANS.
double evaluate_line(Context& ctx, CommandLine& line) {
  const double x = compiler::evaluate_text(ctx, join_compact_words(line));
  if (lang::is_error_value(x)) {
    print_line(ctx, "VALUE | NAN");
    return x;
  }
  ctx.objects.set_value("ANS", x);
  return x;
}

double three_or_more_words(Context& ctx, CommandLine& line) {
  Analysis mode;
  if (word_equals(line, 0, "def") || word_equals(line, 0, "set")) {
    const bool def = word_equals(line, 0, "def");
    // Each compaction ends the line after its word, so the later word is taken first.
    const std::string second = compact_word(line, 2);
    const std::string first = compact_word(line, 1);
    return def ? compiler::define_function(ctx, first.c_str(), second.c_str())
               : compiler::set_variable(ctx, first.c_str(), second.c_str());
  }
  if (analysis_word(line, mode)) {
    const std::string range = compact_word(line, 2);
    const std::string function = compact_word(line, 1);
    return analyse(ctx, function, &range, mode);
  }
  return evaluate_line(ctx, line);
}

double two_words(Context& ctx, CommandLine& line) {
  Analysis mode;
  if (analysis_word(line, mode)) return analyse(ctx, compact_word(line, 1), nullptr, mode);
  if (word_equals(line, 0, "func")) return define_from_equation(ctx, line);
  return evaluate_line(ctx, line);
}

double one_word(Context& ctx, CommandLine& line) {
  if (word_equals(line, 0, "list")) return list_objects(ctx);
  if (word_equals(line, 0, "clnmem")) return clear_memory(ctx);
  return evaluate_line(ctx, line);
}

} // namespace

double math_command(Context& ctx, CommandLine& line) {
  const std::uint32_t n = line.word_count;
  if (n == 0) {
    print_error(ctx, "Nothing for math.");
    return lang::error_value();
  }
  if (n >= 2 && (word_equals(line, 0, "what") || word_equals(line, 0, "try")))
    return what_or_try(ctx, line, word_equals(line, 0, "try"));
  if (n >= 2 && word_equals(line, 0, "del")) return delete_objects(ctx, line);
  if (n >= 3) return three_or_more_words(ctx, line);
  if (n == 2) return two_words(ctx, line);
  return one_word(ctx, line);
}

} // namespace tovik::console
