#pragma once
// count, graph and null: a function of one variable, written as an expression, is tabulated over
// a range by a loop block on the code runner, and the table is printed, plotted or searched for
// zeros.

namespace tovik {
struct Context;
}

namespace tovik::analysis {

enum class AnalysisMode { count = 0, graph = 1, null = 2 };

// `range` is the variable with its optional bounds and steps (x, x(to), x(from,to) or
// x(from,to,steps)); null means plain x. Everything it does is reported on the console.
void analyse_function(Context& ctx, const char* range, const char* function, AnalysisMode mode);

} // namespace tovik::analysis
