// Code generation: the bytes of every form, the order of its checks and its exact messages, the
// growth of the code buffer and the nesting bound.

#include "compiler/codegen.h"

#include "compiler_test_support.h"
#include "lang/number.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace tovik;
using compiler::testing::push_error;
using lang::ExprNode;
using lang::NodeKind;
using runner::Op;
using runner::testing::Code;

class CodegenTest : public compiler::testing::CompilerTest {
protected:
  // Trees the parser cannot make, built by hand.
  std::unique_ptr<ExprNode> number(double v) {
    std::unique_ptr<ExprNode> n = lang::new_node(ctx().nodes);
    lang::set_number(*n, v);
    return n;
  }
  template <typename... Children>
  std::unique_ptr<ExprNode> name(const std::string& text, Children... children) {
    std::unique_ptr<ExprNode> n = lang::new_node(ctx().nodes);
    n->kind = NodeKind::Name;
    lang::set_name(*n, text);
    std::unique_ptr<ExprNode> list[] = {nullptr, std::move(children)...};
    for (std::size_t i = std::size(list) - 1; i > 1; --i) list[i - 1]->next = std::move(list[i]);
    if (std::size(list) > 1) n->children = std::move(list[1]);
    return n;
  }
  std::string failure_of_tree(std::unique_ptr<ExprNode> tree) {
    compiler::CodeBuffer buffer(ctx().settings.stack_step);
    EXPECT_FALSE(compiler::compile_node(ctx(), *tree, buffer));
    return output();
  }
};

// ---- Numbers and the worked examples

TEST_F(CodegenTest, NumberIsPushWithTheEightBytesOfItsDouble) {
  EXPECT_EQ(code_of("2.5"), Code().push(2.5).bytes);
  EXPECT_EQ(code_of("2.5"), (runner::CodeBlock{0x00, 0, 0, 0, 0, 0, 0, 0x04, 0x40}));
}

TEST_F(CodegenTest, CallWithArgsGroupInitialisesTheGroupFirst) {
  EXPECT_EQ(code_of("F(1,ARGS,X)"), Code()
                                        .with(Op::init_args, 2)
                                        .push(1)
                                        .op(Op::args)
                                        .with(Op::call, "X")
                                        .with(Op::call_args, "F")
                                        .bytes);
}

TEST_F(CodegenTest, IfWithoutElsePushesTheErrorValueAtTheElseBranch) {
  Code expected;
  expected.with(Op::call, "X").with(Op::jifn, 19).push(1).with(Op::jump, 14);
  EXPECT_EQ(code_of("IF(X,1)"), push_error(expected).bytes);
}

TEST_F(CodegenTest, IfWithElseJumpsOverTheElseBranch) {
  EXPECT_EQ(code_of("IF(X,1,2)"),
            Code().with(Op::call, "X").with(Op::jifn, 19).push(1).with(Op::jump, 14).push(2).bytes);
}

TEST_F(CodegenTest, WhileJumpsBackToItsCondition) {
  Code expected;
  expected.with(Op::call, "X")
      .with(Op::jifn, 14)
      .with(Op::call, "Y")
      .op(Op::pop)
      .with(Op::jump, -12);
  EXPECT_EQ(code_of("WHILE(X,Y)"), push_error(expected).bytes);
}

TEST_F(CodegenTest, UntilRunsTheBodyBeforeTheCondition) {
  Code expected;
  expected.with(Op::call, "Y").op(Op::pop).with(Op::call, "X").with(Op::jifn, -7);
  EXPECT_EQ(code_of("UNTIL(X,Y)"), push_error(expected).bytes);
}

TEST_F(CodegenTest, MainCallsTheBodyInlineAndReturnsPastIt) {
  EXPECT_EQ(code_of("MAIN(B,5)"),
            Code().push(5).op(Op::main_n).i32(1).i32(13).with(Op::call, "B").ret().bytes);
  EXPECT_EQ(code_of("(B)(5)"), code_of("MAIN(B,5)"));
}

TEST_F(CodegenTest, ThreadCarriesItsNameAndBodyLength) {
  Code expected;
  expected.with(Op::new_thread, "T").i32(4).with(Op::call, "X").ret();
  EXPECT_EQ(code_of("THREAD(T,X)"), push_error(expected).bytes);
  Code unnamed;
  unnamed.with(Op::new_thread, "").i32(10).push(7).ret();
  EXPECT_EQ(code_of("THREAD(7)"), push_error(unnamed).bytes);
}

// ---- Assignment and access

TEST_F(CodegenTest, AssignmentToAGlobalSetsItByName) {
  EXPECT_EQ(code_of("X=1"), Code().push(1).with(Op::set, "X").bytes);
  EXPECT_EQ(failure_of("A=B=1"), "ERROR | First argument of operator '=' must be lvalue.\n")
      << "= is left-associative, so the target of the outer one is A=B";
}

TEST_F(CodegenTest, AssignmentToSlotsPutsTheValueBeforeAComputedIndex) {
  EXPECT_EQ(code_of("$(2)=1"), Code().push(1).with(Op::set_local, 2).bytes);
  EXPECT_EQ(code_of("@(0)=1"), Code().push(1).with(Op::set_arg, 0).bytes);
  EXPECT_EQ(code_of("$(Y)=1"), Code().push(1).with(Op::call, "Y").op(Op::set_local_pop).bytes);
  EXPECT_EQ(code_of("@(Y)=1"), Code().push(1).with(Op::call, "Y").op(Op::set_arg_pop).bytes);
}

TEST_F(CodegenTest, AccessByConstantIndexTruncatesAndAcceptsTheWholeUnsignedRange) {
  EXPECT_EQ(code_of("$(0)"), Code().with(Op::get_local, 0).bytes);
  EXPECT_EQ(code_of("@(0)"), Code().with(Op::arg, 0).bytes);
  EXPECT_EQ(code_of("@(2.7)"), Code().with(Op::arg, 2).bytes);
  EXPECT_EQ(code_of("$(4294967295)"), Code().with(Op::get_local, -1).bytes);
  EXPECT_EQ(code_of("$Y"), Code().with(Op::call, "Y").op(Op::get_local_pop).bytes);
  EXPECT_EQ(code_of("@(Y+1)"),
            Code().with(Op::call, "Y").push(1).code(Op::oper, 0x00).op(Op::arg_pop).bytes);
}

TEST_F(CodegenTest, IndexesOutsideTheRuleAreRefused) {
  EXPECT_EQ(failure_of("$(4294967296)"), "ERROR | Operator $(const) must be >0, <-1ul.\n");
  EXPECT_EQ(failure_of("@(4294967296)"), "ERROR | Operator @(const) must be >0, <-1ul.\n");
  EXPECT_EQ(failure_of("$(4294967296)=1"), "ERROR | Operator $(const) must be >0, <-1ul.\n");
  EXPECT_EQ(failure_of("@(4294967296)=1"), "ERROR | Operator @(const) must be >0, <-1ul.\n");
  EXPECT_EQ(failure_of_tree(name("$", number(-1))),
            "ERROR | Operator $(const) must be >0, <-1ul.\n");
  EXPECT_EQ(failure_of_tree(name("@", number(lang::error_value()))),
            "ERROR | Operator @(const) must be >0, <-1ul.\n");
}

TEST_F(CodegenTest, AssignmentChecksInOrder) {
  EXPECT_EQ(failure_of_tree(name("=", number(1))), "ERROR | Operator '=' must have 2 arguments\n");
  EXPECT_EQ(failure_of_tree(name("=", name("X"), number(1), name("ARGS"))),
            "ERROR | Operator '=' must not have 'ARGS' as its argument. (But you can use '@')\n");
  EXPECT_EQ(failure_of("1=2"), "ERROR | First argument of operator '=' must be lvalue.\n");
  EXPECT_EQ(failure_of("F(1)=2"), "ERROR | First argument of operator '=' must be lvalue.\n");
  EXPECT_EQ(failure_of_tree(name("=", name("$", number(1), number(2)), number(3))),
            "ERROR | Operator '$' must have 1 argument.\n");
  EXPECT_EQ(failure_of_tree(name("=", name("@", number(1), name("ARGS")), number(3))),
            "ERROR | Operator '@' must have 1 argument.\n")
      << "the slot's raw child list counts ARGS too";
}

TEST_F(CodegenTest, AccessChecksArityBeforeArgs) {
  EXPECT_EQ(failure_of_tree(name("@", number(1), number(2))),
            "ERROR | Operator '@' must have 1 argument.\n");
  EXPECT_EQ(failure_of("$ARGS"), "ERROR | Operator '$' must have 1 argument.\n");
  EXPECT_EQ(failure_of_tree(name("$", number(1), name("ARGS"))),
            "ERROR | Operator '$' must not have 'ARGS' as its argument. (But you can use '@')\n");
  EXPECT_EQ(failure_of_tree(name("@", number(1), name("ARGS"))),
            "ERROR | Operator '@' must not have 'ARGS' as its argument. (But you can use '@')\n");
}

// ---- Language forms

TEST_F(CodegenTest, SequencesDropEveryValueButTheLast) {
  EXPECT_EQ(code_of("DO(1,2,3)"), Code().push(1).op(Op::pop).push(2).op(Op::pop).push(3).bytes);
  EXPECT_EQ(code_of("1;2"), Code().push(1).op(Op::pop).push(2).bytes);
  EXPECT_EQ(code_of("DO(ARGS)"), Code().op(Op::args).bytes);
  EXPECT_TRUE(code_of("DO()").empty());
}

TEST_F(CodegenTest, ConstKeepsOnlyTheValueOfItsArgument) {
  EXPECT_EQ(code_of("CONST(2+3)*X"), Code().push(5).with(Op::call, "X").code(Op::oper, 0x02).bytes);
  bool compiled = false;
  EXPECT_EQ(generate("CONST(NOSUCH)", compiled), push_error(Code()).bytes);
  EXPECT_TRUE(compiled) << "a failed evaluation is pushed as the error value";
  EXPECT_NE(output(), "");
}

TEST_F(CodegenTest, ReadReturnAndMessageForms) {
  EXPECT_EQ(code_of("READ"), Code().op(Op::read).bytes);
  EXPECT_EQ(code_of("RETURN(X)"), Code().with(Op::call, "X").op(Op::return_pop).bytes);
  EXPECT_EQ(code_of("MSG"), Code().op(Op::read_message).bytes);
}

TEST_F(CodegenTest, PrintKeepsOnlyTheLastValue) {
  EXPECT_EQ(code_of("PRINT(1)"), Code().push(1).op(Op::print_top).bytes);
  EXPECT_EQ(code_of("PRINT(1,2)"),
            Code().push(1).op(Op::print_top).op(Op::pop).push(2).op(Op::print_top).bytes);
  EXPECT_TRUE(code_of("PRINT()").empty());
}

TEST_F(CodegenTest, PrintcAndPrintsGiveTheErrorValue) {
  Code chars;
  chars.push(65).op(Op::print_char).push(66).op(Op::print_char);
  EXPECT_EQ(code_of("PRINTC(65,66)"), push_error(chars).bytes);
  Code text;
  text.with(Op::print_text, "HelloWorld");
  EXPECT_EQ(code_of("PRINTS(Hello,World)"), push_error(text).bytes);
}

TEST_F(CodegenTest, MainWithLocalsAndArgs) {
  EXPECT_EQ(code_of("MAIN(B,N$2)"), Code()
                                        .op(Op::main_n)
                                        .i32(0)
                                        .i32(18)
                                        .with(Op::init_locals, 2)
                                        .with(Op::call, "B")
                                        .ret()
                                        .bytes);
  EXPECT_EQ(code_of("MAIN(B,1,ARGS)"), Code()
                                           .with(Op::init_args, 1)
                                           .push(1)
                                           .op(Op::args)
                                           .with(Op::main_args, 9)
                                           .with(Op::call, "B")
                                           .ret()
                                           .bytes);
}

TEST_F(CodegenTest, ThreadReferencesByNameOrComputedNumber) {
  Code named;
  named.with(Op::sleep, "T");
  EXPECT_EQ(code_of("SLEEP(T)"), push_error(named).bytes);
  Code computed;
  computed.push(3).op(Op::sleep_pop);
  EXPECT_EQ(code_of("SLEEP(THR(3))"), push_error(computed).bytes);
  Code me;
  me.op(Op::sleep_me);
  EXPECT_EQ(code_of("SLEEP"), push_error(me).bytes);
  Code kill;
  kill.op(Op::kill_me);
  EXPECT_EQ(code_of("KILL"), push_error(kill).bytes);
  Code kill_named;
  kill_named.push(1).op(Op::kill_pop);
  EXPECT_EQ(code_of("KILL(THR(1))"), push_error(kill_named).bytes);
}

TEST_F(CodegenTest, SendPutsTheMessageBeforeTheThread) {
  Code send;
  send.push(5).with(Op::send, "T");
  EXPECT_EQ(code_of("SEND(T,5)"), push_error(send).bytes);
  Code wake;
  wake.with(Op::wake_up, "T");
  EXPECT_EQ(code_of("WAKEUP(T,X)"), push_error(wake).bytes)
      << "the second argument is not compiled";
  Code id;
  id.push(2).op(Op::send_id_pop);
  EXPECT_EQ(code_of("SENDMYID(THR(2))"), push_error(id).bytes);
}

TEST_F(CodegenTest, ThreadReferenceChecks) {
  EXPECT_EQ(failure_of("SLEEP(1)"), "ERROR | Name of thread must be a string.\n");
  EXPECT_EQ(failure_of("SLEEP(THR)"), "ERROR | Object 'THR' requires one argument.\n");
  EXPECT_EQ(failure_of("KILL(T(1))"), "ERROR | Name of thread must not have any arguments.\n");
  lang::ExprNode head(ctx().nodes);
  parse_into(head, "T");
  compiler::CodeBuffer buffer(16);
  EXPECT_FALSE(compiler::compile_thread_ref(ctx(), head, buffer, 0x72));
  EXPECT_EQ(output(),
            "ERROR | Unknown 7x command. Please tell Tolvenark about this error in translator.\n");
  EXPECT_TRUE(compiler::compile_thread_ref(ctx(), head, buffer, 0x79));
  EXPECT_EQ(runner::CodeBlock(buffer.data(), buffer.data() + buffer.count),
            Code().with(Op::send_id, "T").bytes);
}

// ---- Operators, special objects and calls

TEST_F(CodegenTest, OperatorsByArgumentCount) {
  EXPECT_EQ(code_of("1+2"), Code().push(1).push(2).code(Op::oper, 0x00).bytes);
  EXPECT_EQ(code_of("-X"), Code().with(Op::call, "X").code(Op::uopr, 0x01).bytes);
  EXPECT_EQ(code_of("SIN(X)"), Code().with(Op::call, "X").code(Op::uopr, 0x40).bytes);
  EXPECT_EQ(code_of("X<=1"), Code().with(Op::call, "X").push(1).code(Op::oper, 0x12).bytes);
}

TEST_F(CodegenTest, ConstantNamesCompileToTheirValues) {
  EXPECT_EQ(code_of("PI"), Code().push(3.141592653589793).bytes);
  EXPECT_EQ(code_of("E"), Code().push(2.718281828459045).bytes);
  EXPECT_EQ(code_of("INF"), Code().push(lang::infinity()).bytes);
  EXPECT_EQ(code_of("NAN"), push_error(Code()).bytes);
}

TEST_F(CodegenTest, SpecialObjects) {
  EXPECT_EQ(code_of("ARGN"), Code().op(Op::push_argn).bytes);
  EXPECT_EQ(code_of("RND"), Code().code(Op::stdo, 0).bytes);
  EXPECT_EQ(code_of("ARGS"), Code().op(Op::args).bytes);
  EXPECT_EQ(code_of("ARGS(1,2)"), Code().push(1).push(2).op(Op::args_range).bytes);
  EXPECT_EQ(code_of("SUM(1,2)"), Code().push(1).push(2).code(Op::stdo_n, 1).i32(2).bytes);
  EXPECT_EQ(code_of("AVR"), Code().code(Op::stdo_n, 2).i32(0).bytes);
  EXPECT_EQ(code_of("AVR(ARGS)"),
            Code().with(Op::init_args, 0).op(Op::args).code(Op::stdo_args, 2).bytes);
}

TEST_F(CodegenTest, CallsByArgumentCountAndCase) {
  EXPECT_EQ(code_of("F"), Code().with(Op::call, "F").bytes);
  EXPECT_EQ(code_of("F()"), Code().with(Op::call, "F").bytes);
  EXPECT_EQ(code_of("F(1)(2)"), Code().push(1).push(2).call_n("F", 2).bytes);
  EXPECT_EQ(code_of("F(ARGS)"),
            Code().with(Op::init_args, 0).op(Op::args).with(Op::call_args, "F").bytes);
  EXPECT_EQ(code_of("If(1,2)"), Code().push(1).push(2).call_n("If", 2).bytes);
}

TEST_F(CodegenTest, SpecialObjectHelperLeavesOtherNamesAlone) {
  lang::ExprNode head(ctx().nodes);
  parse_into(head, "Q");
  compiler::CodeBuffer buffer(16);
  EXPECT_EQ(compiler::compile_special(ctx(), head, 0, false, buffer),
            compiler::special_not_special);
  EXPECT_EQ(buffer.count, 0u);
  EXPECT_EQ(compiler::compile_special(ctx(), head, 0, false, buffer), 1);
}

// ---- Messages, in each form's order of checks

TEST_F(CodegenTest, EveryRuleHasItsMessage) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"IF(1)", "ERROR | Function 'IF' requires 2 or 3 arguments.\n"},
      {"IF(1,ARGS)", "ERROR | Function 'IF' requires 2 or 3 arguments.\n"},
      {"IF(1,2,ARGS)",
       "ERROR | Function 'IF' must not have 'ARGS' as its argument. (But you can use '@')\n"},
      {"WHILE(1)", "ERROR | Function 'WHILE' requires 2 arguments. Use 'DO' for more code in "
                   "body.\n"},
      {"WHILE(1,2,ARGS)",
       "ERROR | Function 'WHILE' must not have 'ARGS' as its argument. (But you can use '@')\n"},
      {"UNTIL(1,2,3)", "ERROR | Function 'UNTIL' requires 2 arguments. Use 'DO' for more code in "
                       "body.\n"},
      {"UNTIL(ARGS,1,2)",
       "ERROR | Function 'UNTIL' must not have 'ARGS' as its argument. (But you can use '@')\n"},
      {"CONST(1,2)", "ERROR | Function 'CONST' requires 1 argument.\n"},
      {"CONST(1,ARGS)",
       "ERROR | Function 'CONST' must not have 'ARGS' as its argument. (But you can use '@')\n"},
      {"READ(1)", "ERROR | Object 'READ' do not requires any argument(s).\n"},
      {"RETURN", "ERROR | Function 'RETURN' requires 1 argument.\n"},
      {"N$1", "ERROR | Object 'N$' must be argument of 'MAIN'.\n"},
      {"THR(1)", "ERROR | Object 'THR' must replace name of thread.\n"},
      {"PRINTS(A,1)", "ERROR | Object 'PRINTS' must have strings as arguments\n"},
      {"PRINTS(F(1))", "ERROR | Object 'PRINTS' must have strings as arguments\n"},
      {"MAIN(B)", "ERROR | Function 'MAIN' requires >1 arguments.\n"},
      {"MAIN(B,N$0)", "ERROR | Function 'MAIN' requires >1 arguments.\n"},
      {"MAIN(B,N$X)", "ERROR | Object 'N$' in 'MAIN' requires one constant as argument.\n"},
      {"MAIN(B,N$4294967296)", "ERROR | Object 'N$' in 'MAIN' must have argument >0, <-1ul.\n"},
      {"MAIN(B,N$1,N$2)", "ERROR | Function 'MAIN' must not have more than one 'N$' argument.\n"},
      {"MAIN(ARGS,1)", "ERROR | Function 'MAIN' must not have 'ARGS' as its first argument. (But "
                       "you can use '@' or 'ARGS' as 2,3,...argument)\n"},
      {"THREAD", "ERROR | Function 'THREAD' requires 1 or 2 argument(s).\n"},
      {"THREAD(A,B,C)", "ERROR | Function 'THREAD' requires 1 or 2 argument(s).\n"},
      {"THREAD(1,X)", "ERROR | Name of thread must not have arguments & must be a string.\n"},
      {"THREAD(F(1),X)", "ERROR | Name of thread must not have arguments & must be a string.\n"},
      {"SLEEP(A,B)", "ERROR | Function 'SLEEP' requires 0 or 1 argument(s).\n"},
      {"SEND(A)", "ERROR | Function 'SEND' requires 2 arguments.\n"},
      {"MSG(1)", "ERROR | Function 'MSG' do not requires any arguments.\n"},
      {"WAKEUP(T)", "ERROR | Function 'WAKEUP' requires 2 arguments.\n"},
      {"KILL(A,B)", "ERROR | Function 'KILL' requires 0 or 1 argument(s).\n"},
      {"SENDMYID", "ERROR | Function 'SENDMYID' requires 1 argument.\n"},
      {"SIN", "ERROR | Operator 0x40 cannot use without arguments.\n"},
      {"SIN(ARGS)", "ERROR | Operators ('+','-','SIN',...) must not have 'ARGS' as its argument. "
                    "(But you can use '@')\n"},
      {"SIN(1,2,3)", "ERROR | Operators & standard functions must have 0..2 arguments\n"},
      {"ARGN(1)", "ERROR | Object 'ARGN' requires 0 arguments.\n"},
      {"RND(1)", "ERROR | Object 'RND' requires 0 arguments.\n"},
      {"RND(ARGS)",
       "ERROR | Object 'RND' must not have 'ARGS' as its argument.(it requires no arguments)\n"},
      {"ARGS(1)", "ERROR | Object 'ARGS' requires 0 or 2 arguments.\n"},
      {"ARGS(ARGS)", "ERROR | Object 'ARGS' must not have 'ARGS' as its arguments.\n"},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(failure_of(text), message) << text;
}

TEST_F(CodegenTest, ArgumentsAreCompiledBeforeTheArityIsChecked) {
  EXPECT_EQ(failure_of("SIN(1,2,IF(1))"), "ERROR | Function 'IF' requires 2 or 3 arguments.\n");
  EXPECT_EQ(failure_of("ARGN(RND(1))"), "ERROR | Object 'RND' requires 0 arguments.\n");
}

TEST_F(CodegenTest, NodesThatAreNeitherNumberNorNameFailSilently) {
  EXPECT_EQ(failure_of("+"), "");
  EXPECT_EQ(failure_of_tree(lang::new_node(ctx().nodes)), "");
}

// ---- Buffer growth and nesting

TEST_F(CodegenTest, BufferGrowsByTheStackStep) {
  compiler::CodeBuffer buffer(4);
  EXPECT_EQ(buffer.capacity, 0u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(compiler::append_byte(buffer, std::uint8_t(i)));
  EXPECT_EQ(buffer.capacity, 8u);
  EXPECT_EQ(buffer.count, 5u);
  EXPECT_EQ(buffer.errors, 0u);
  compiler::clear_buffer(buffer);
  EXPECT_EQ(buffer.capacity, 0u);
  EXPECT_EQ(buffer.count, 0u);
  EXPECT_EQ(buffer.data(), nullptr);
}

TEST_F(CodegenTest, AFailedAppendDropsTheByteAndCountsAnError) {
  compiler::CodeBuffer buffer(4);
  buffer.limit = 4;
  EXPECT_TRUE(compiler::append_i32(buffer, 0x01020304));
  EXPECT_FALSE(compiler::append_byte(buffer, 9));
  EXPECT_EQ(buffer.count, 4u);
  EXPECT_EQ(buffer.errors, 1u);
  compiler::patch_i32(buffer, 2, 7); // would pass the end: ignored
  EXPECT_EQ(buffer.data()[2], 0x02);
}

TEST_F(CodegenTest, TreesOfAnyDepthCompile) {
  const int depth = 100000;
  EXPECT_EQ(code_of(std::string(depth, '-') + "X").size(), 3u + 2u * depth);
  std::string chain = "1";
  for (int i = 0; i < depth; ++i) chain += "+1";
  EXPECT_EQ(code_of(chain).size(), 9u + 11u * depth);
  EXPECT_EQ(code_of(std::string(5000, '(') + "F" + std::string(5000, ')') + "(1)"),
            code_of("(F)(1)"))
      << "brackets alone add no levels";
}

} // namespace
