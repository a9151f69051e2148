// Variable and function definitions: the stored code and text, every message and return path,
// the rewriting of parameters and the textual expansion of CONST( calls.

#include "compiler/definitions.h"

#include "compiler/drivers.h"
#include "compiler_test_support.h"
#include "lang/number.h"
#include "objects/object_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace tovik;
using runner::Op;
using runner::testing::Code;

class DefinitionsTest : public compiler::testing::CompilerTest {
protected:
  void SetUp() override { ctx().settings.startup_loading = false; }

  // Defines and returns what was printed; define_function itself always gives the error value.
  std::string define(const char* header, const char* body) {
    EXPECT_TRUE(lang::is_error_value(compiler::define_function(ctx(), header, body)));
    return output();
  }
  const objects::GlobalObject* object(const char* name) { return ctx().objects.find(name); }
  double value_of(const char* text) { return compiler::evaluate_text(ctx(), text); }

  std::string expanded(const char* body) {
    compiler::CodeBuffer text(ctx().settings.stack_step);
    if (!compiler::expand_const_calls(ctx(), "F", body, text)) return "(failed)";
    EXPECT_EQ(text.data()[text.count - 1], 0) << "the text ends with a zero byte";
    return std::string(reinterpret_cast<const char*>(text.data()));
  }
};

// ---- Functions

TEST_F(DefinitionsTest, WorkedExampleGivesExactlyItsCodeAndText) {
  EXPECT_EQ(define("F(A,B,$1,T)", "T=A*CONST(2+3);T+B"), "DEF   | New function F was defined.\n"
                                                         "WHAT  | Global object F.\n"
                                                         "EXPL  | F(A,B,$1,T) T=A*5;T+B\n");
  const objects::GlobalObject* f = object("F");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->text, "F(A,B,$1,T) T=A*5;T+B");
  EXPECT_EQ(*f->code, Code()
                          .with(Op::init_locals, 1)
                          .with(Op::arg, 0)
                          .push(5)
                          .code(Op::oper, 0x02)
                          .with(Op::set_local, 0)
                          .op(Op::pop)
                          .with(Op::get_local, 0)
                          .with(Op::arg, 1)
                          .code(Op::oper, 0x00)
                          .ret()
                          .bytes);
  EXPECT_EQ(value_of("F(2,3)"), 13);
}

TEST_F(DefinitionsTest, RedefinitionAndStartUpLoading) {
  define("G(X)", "X+1");
  EXPECT_EQ(define("G(X)", "X+2"), "REDEF | Definition of existing function G was changed.\n"
                                   "WHAT  | Global object G.\n"
                                   "EXPL  | G(X) X+2\n");
  ctx().settings.startup_loading = true;
  EXPECT_EQ(define("H", "1"), "DEF   | New function H was defined.\n");
  EXPECT_EQ(define("H", "2"), "REDEF | Definition of existing function H was changed.\n");
  EXPECT_EQ(value_of("G(1)+H"), 5);
}

TEST_F(DefinitionsTest, CountedAndNamedLocalsTakeTheLargerCount) {
  define("F($3)", "$(2)=7");
  ASSERT_NE(object("F"), nullptr);
  EXPECT_EQ(*object("F")->code,
            Code().with(Op::init_locals, 3).push(7).with(Op::set_local, 2).ret().bytes);
  define("G($1,A,B)", "A=2;B=3;A*B");
  ASSERT_NE(object("G"), nullptr);
  EXPECT_EQ(object("G")->code->at(1), 2) << "two named locals";
  EXPECT_EQ(value_of("G"), 6);
  define("K(X,$,T)", "X");
  ASSERT_NE(object("K"), nullptr);
  EXPECT_EQ(*object("K")->code, Code().with(Op::init_locals, 1).with(Op::arg, 0).ret().bytes);
}

TEST_F(DefinitionsTest, BodiesAreFoldedAndRecursionWorks) {
  define("F(N)", "IF(N<2,N,F(N-1)+F(N-2))+0*SIN(PI)");
  EXPECT_EQ(value_of("F(15)"), 610);
  define("C", "2*3+1");
  EXPECT_EQ(*object("C")->code, Code().push(7).ret().bytes);
}

TEST_F(DefinitionsTest, ParametersInTheBodyMayNotBeCalled) {
  EXPECT_EQ(define("F(X)", "X(1)"), "ERROR | Function F: object which are declared as arguments "
                                    "must not have own arguments.\n");
  EXPECT_EQ(define("F(X,$,Y)", "Y(1)+X"), "ERROR | Function F: object which are declared as local "
                                          "variable must not have own arguments.\n");
  EXPECT_EQ(object("F"), nullptr);
}

TEST_F(DefinitionsTest, HeaderMessages) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"1", "2"}, "ERROR | 1: invalid tree with function header.\n"},
      {{"F(X)+1", "2"}, "ERROR | Function +: argument F after name have own arguments.\n"},
      {{"F(", "2"},
       "ERROR | Some of brackets are not closed.\nERROR | F(: invalid tree with function "
       "header.\n"},
      {{"F(1)", "2"}, "ERROR | Function F: one of arguments after name have bad format.\n"},
      {{"F(X(1))", "2"}, "ERROR | Function F: argument X after name have own arguments.\n"},
      {{"F(SIN)", "2"},
       "ERROR | Function F: argument SIN after name have name as system object.\n"},
      {{"F(X,X)", "X"}, "ERROR | Function F: parameter X is declared more than once.\n"},
      {{"F(X,$,X)", "X"}, "ERROR | Function F: parameter X is declared more than once.\n"},
      {{"F($,A,$,B)", "A"}, "ERROR | Function F: parameter $ is declared more than once.\n"},
      {{"F($4294967296)", "1"}, "ERROR | Function F: unexpected number of local variables.\n"},
      {{"SIN", "1"}, "SYS   | SIN: this name is used by system object.\n"},
  };
  for (const auto& [args, message] : cases) {
    EXPECT_EQ(define(args[0], args[1]), message) << args[0];
  }
  EXPECT_EQ(ctx().objects.count(), 0u);
}

TEST_F(DefinitionsTest, BodyMessages) {
  EXPECT_EQ(define("F(X)", ""), "ERROR | Function F: invalid expression tree.\n");
  EXPECT_EQ(define("F(X)", "X+"),
            "ERROR | Function F: expression tree is corrupted (memory or user error).\n")
      << "a body that is not one expression defines nothing";
  EXPECT_EQ(define("F", "1)"),
            "ERROR | Unexpected bracket.\n"
            "ERROR | Function F: expression tree is corrupted (memory or user error).\n");
  EXPECT_EQ(define("F", "IF(1)"), "ERROR | Function 'IF' requires 2 or 3 arguments.\n"
                                  "ERROR | Function F: cannot make code.\n");
  EXPECT_EQ(define("F", "$(-1)"), "ERROR | Operator $(const) must be >0, <-1ul.\n"
                                  "ERROR | Function F: cannot make code.\n")
      << "a negative index reaches the index rule as a folded constant";
  EXPECT_EQ(define("F", "CONST(1"), "ERROR | Function F: one of right brackets not found.\n");
  EXPECT_EQ(ctx().objects.count(), 0u);
}

TEST_F(DefinitionsTest, ConstTakesGlobalsAtDefinitionTime) {
  EXPECT_EQ(define("F(A)", "A+CONST(A)"), "ZORVA | Unknown object: A.\n"
                                          "ZORVA | Error 0x101. Call object - unknown object.\n"
                                          "DEF   | New function F was defined.\n"
                                          "WHAT  | Global object F.\n"
                                          "EXPL  | F(A) A+NAN\n");
  value_of("A=4");
  define("G(A)", "A+CONST(A)");
  EXPECT_EQ(object("G")->text, "G(A) A+4");
  EXPECT_EQ(value_of("G(1)"), 5);
}

// ---- CONST( expansion

TEST_F(DefinitionsTest, FindConstCallIsATextualSearch) {
  EXPECT_EQ(compiler::find_const_call("CONST(1)"), 0u);
  EXPECT_EQ(compiler::find_const_call("1+CONST(2)"), 2u);
  EXPECT_EQ(compiler::find_const_call("CONCONST(2)"), 3u)
      << "restarts one byte after a partial match";
  EXPECT_EQ(compiler::find_const_call("CONST (1)"), 9u);
  EXPECT_EQ(compiler::find_const_call("CONST"), 5u);
  EXPECT_EQ(compiler::find_const_call(""), 0u);
}

TEST_F(DefinitionsTest, ExpansionReplacesWholeCallsByTheirValues) {
  EXPECT_EQ(expanded("A+CONST(1+(2*3))*CONST(1/4)"), "A+7*0.25");
  EXPECT_EQ(expanded("XCONST(1)"), "X1") << "the value joins the word before it";
  EXPECT_EQ(expanded("CONST(CONST(2)*3)"), "6");
  EXPECT_EQ(expanded("CONST(1/3)"), "0.3333333333333333");
  // The value is written so that it reads back exactly, not cut to 15 digits.
  EXPECT_EQ(expanded("CONST(1.2)"), "1.2");
  EXPECT_EQ(expanded("CONST(0.1+0.2)"), "0.30000000000000004");
  EXPECT_EQ(expanded("no calls"), "no calls");
  EXPECT_EQ(expanded(""), "");
  EXPECT_EQ(output(), "");
  EXPECT_EQ(expanded("CONST(1)+CONST((2)"), "(failed)");
  EXPECT_EQ(output(), "ERROR | Function F: one of right brackets not found.\n");
}

TEST_F(DefinitionsTest, ExpansionThatCannotStoreItsTextFails) {
  compiler::CodeBuffer text(3);
  text.limit = 3;
  EXPECT_FALSE(compiler::expand_const_calls(ctx(), "F", "1+CONST(2)", text));
  EXPECT_EQ(output(), "ERROR | Function F: 1 stack error(s).\n");
}

// ---- Variables

TEST_F(DefinitionsTest, SetVariableResultsAndEcho) {
  EXPECT_EQ(compiler::set_variable(ctx(), "x", "2+3"), 5);
  EXPECT_EQ(output(), "DEF   | New variable x was made.\n");
  EXPECT_EQ(compiler::set_variable(ctx(), "x", "x*2"), 10);
  EXPECT_EQ(output(), "REDEF | Value of existing variable x was changed.\n");
  EXPECT_TRUE(lang::is_error_value(compiler::set_variable(ctx(), "x", "NAN")));
  EXPECT_EQ(output(), "DEL   | Value is undefined and object x was removed.\n");
  EXPECT_TRUE(lang::is_error_value(compiler::set_variable(ctx(), "x", "NAN")));
  EXPECT_EQ(output(), "ERROR | Value is undefined but object x can not be removed.\n");
  EXPECT_TRUE(lang::is_error_value(compiler::set_variable(ctx(), "PI", "1")));
  EXPECT_EQ(output(), "SYS   | PI: this name is used by system object.\n");
  EXPECT_EQ(ctx().objects.count(), 0u);
}

TEST_F(DefinitionsTest, SetVariableDuringStartUpDoesNotEcho) {
  ctx().settings.startup_loading = true;
  EXPECT_TRUE(lang::is_error_value(compiler::set_variable(ctx(), "y", "y2=7")));
  EXPECT_EQ(output(), "DEF   | New variable y was made.\n");
  EXPECT_EQ(value_of("y+y2"), 14) << "assignments inside the expression took effect";
}

TEST_F(DefinitionsTest, SetVariableRefusals) {
  const std::vector<std::pair<std::pair<const char*, const char*>, std::string>> cases = {
      {{"", "1"}, "ERROR | Object : invalid tree with variable name.\n"},
      {{"x(1)", "1"}, "ERROR | x(1): invalid name of variable\n"},
      {{"5", "1"}, "ERROR | 5: invalid name of variable\n"},
      {{"+", "1"}, "ERROR | +: invalid name of variable\n"},
      {{"x", "1+"}, "ERROR | Variable x: invalid tree with expression.\n"},
      {{"x", ""}, "ERROR | Variable x: invalid tree with expression.\n"},
  };
  for (const auto& [args, message] : cases) {
    EXPECT_TRUE(lang::is_error_value(compiler::set_variable(ctx(), args.first, args.second)));
    EXPECT_EQ(output(), message) << args.first;
  }
  EXPECT_EQ(ctx().objects.count(), 0u);
}

} // namespace
