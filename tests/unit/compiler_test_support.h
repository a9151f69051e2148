#pragma once
// Helpers for the compiler's tests: expression text to tree, and a tree to the bytes its code
// generation appends.

#include "compiler/code_buffer.h"
#include "compiler/codegen.h"
#include "lang/expr_node.h"
#include "lang/number.h"
#include "lang/parser.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tovik::compiler::testing {

using runner::testing::Code;

// Code for the error value: PUSH and its eight bytes.
inline Code push_error(Code code) { return code.push(lang::error_value()); }

class CompilerTest : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(ctx().nodes.live, 0) << "a tree node was leaked"; }

  Context& ctx() { return t.ctx; }
  std::string output() { return t.output(); }

  // The tree of `text` under `head`, as the math commands make it.
  void parse_into(lang::ExprNode& head, const std::string& text) {
    lang::tokenize(head, text.c_str());
    ASSERT_NE(head.kind, lang::NodeKind::Invalid) << text;
    lang::take_single_root(head, ctx().out);
    ASSERT_TRUE(lang::is_valid(head)) << text;
  }

  // The bytes compile_node appends for `text`; `compiled` tells whether it succeeded.
  runner::CodeBlock generate(const std::string& text, bool& compiled) {
    lang::ExprNode head(ctx().nodes);
    parse_into(head, text);
    CodeBuffer buffer(ctx().settings.stack_step);
    compiled = compile_node(ctx(), head, buffer);
    return runner::CodeBlock(buffer.data(), buffer.data() + buffer.count);
  }

  // The code of a text that must compile without a message.
  runner::CodeBlock code_of(const std::string& text) {
    bool compiled = false;
    runner::CodeBlock bytes = generate(text, compiled);
    EXPECT_TRUE(compiled) << text;
    EXPECT_EQ(output(), "") << text;
    return bytes;
  }

  // The message of a text that must fail to compile.
  std::string failure_of(const std::string& text) {
    bool compiled = true;
    generate(text, compiled);
    EXPECT_FALSE(compiled) << text;
    return output();
  }

  runner::testing::TestContext t;
};

} // namespace tovik::compiler::testing
