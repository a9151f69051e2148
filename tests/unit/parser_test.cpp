// Tokenizing and parsing expression text into trees: the precedence table rule by rule, the
// bracket and call forms, leftovers, error messages, and inputs far deeper than a native stack.

#include "lang/parser.h"

#include "lang/number.h"
#include "lang_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tovik::lang;
using tovik::lang::testing::Capture;
using tovik::lang::testing::printed;
using tovik::lang::testing::printed_list;

class ParserTest : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(nodes.live, 0) << "a node was leaked or counted twice"; }

  // The tree of `text` after take_single_root, "INVALID" when it has none, followed by any
  // message. The tree is destroyed before returning. When the one-pass parser takes the text,
  // its tree must be the same, field for field.
  std::string tree(const std::string& text) {
    Capture out;
    std::string result;
    std::string fields;
    {
      ExprNode head(nodes);
      tokenize(head, text.c_str());
      take_single_root(head, out.file());
      result = head.kind == NodeKind::Invalid ? "INVALID" : printed(head);
      fields = head.kind == NodeKind::Invalid ? "INVALID" : all_fields(head);
    }
    expect_same_one_pass_tree(text, fields);
    EXPECT_EQ(nodes.live, 0) << text;
    return result + out.text();
  }

  // Every field of a tree, for comparing two trees whole; iterative, as trees can be deep.
  static std::string all_fields(const ExprNode& root) {
    std::string s;
    std::vector<const ExprNode*> todo{&root}; // null closes a child list
    while (!todo.empty()) {
      const ExprNode* n = todo.back();
      todo.pop_back();
      if (n == nullptr) {
        s += "}";
        continue;
      }
      s += std::to_string(int(n->kind)) + "/" + std::to_string(n->token) + "/" +
           std::to_string(n->constant) + ":";
      if (const char* text = node_text(*n)) s += text;
      if (n->kind == NodeKind::Number)
        s += std::to_string(std::bit_cast<std::uint64_t>(number_value(*n)));
      s += n->next ? "+{" : "{";
      todo.push_back(nullptr);
      const std::size_t first = todo.size();
      for (const ExprNode* c = n->children.get(); c != nullptr; c = c->next.get())
        todo.push_back(c);
      std::reverse(todo.begin() + static_cast<std::ptrdiff_t>(first), todo.end());
    }
    return s;
  }

  // False when the one-pass parser leaves the text (and the head as it was); true when it takes
  // it, with the two-stage parser's tree.
  bool expect_same_one_pass_tree(const std::string& text, const std::string& fields) {
    ExprNode head(nodes);
    if (!parse_in_one_pass(head, text.c_str())) {
      EXPECT_TRUE(head.kind == NodeKind::Invalid && !head.children && !head.next) << text;
      return false;
    }
    EXPECT_EQ(all_fields(head), fields) << text;
    return true;
  }

  struct Case {
    const char* text;
    const char* expected;
  };
  void expect_trees(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(tree(c.text), c.expected) << c.text;
  }

  void expect_tokens(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;
  }

  // Everything left after take_root: the root and the leftovers after it.
  std::string leftovers(const std::string& text) {
    ExprNode head(nodes);
    tokenize(head, text.c_str());
    take_root(head, nullptr);
    return head.kind == NodeKind::Invalid ? "INVALID" : printed_list(head);
  }

  // The tokens of `text` as printed, each followed by "|".
  std::string tokens(const char* text) {
    ExprNode head(nodes);
    tokenize(head, text);
    std::string result;
    for (const ExprNode* t = head.next.get(); t != nullptr; t = t->next.get())
      result += printed(*t) + "|";
    return result;
  }

  NodeCounter nodes;
};

// --- Tokenizer ---

TEST_F(ParserTest, WordsAreMaximalRunsOfNonSeparators) {
  expect_tokens({
      {"x=1+2", "x| = |1| + |2|"},
      {"2X*a_b.c", "2X| * |a_b.c|"},
      {"ff#16+0.5", "255| + |0.5|"},
      {"F(a,b)", "F| ( |a| , |b| ) |"},
      // Blanks are word characters.
      {"a b+c", "a b| + |c|"},
  });
}

TEST_F(ParserTest, OnlyTheFourComparisonsJoinTwoSeparators) {
  expect_tokens({
      {"a<=b>=c==d!=e", "a| <= |b| >= |c| == |d| != |e|"},
      {"=<", " = | < |"},
      {"===", " == | = |"},
      {"!==", " != | = |"},
      {"+=-=*=", " + | = | - | = | * | = |"},
      // The parser joins N$, not the tokenizer.
      {"N$X", "N| $ |X|"},
  });
}

TEST_F(ParserTest, TokenizingMakesAListHeadAndCountsEveryToken) {
  ExprNode head(nodes);
  tokenize(head, "1+X");
  EXPECT_EQ(head.kind, NodeKind::List);
  EXPECT_EQ(nodes.live, 4);
}

TEST_F(ParserTest, NullOrEmptyTextLeavesTheHeadUntouched) {
  ExprNode head(nodes);
  tokenize(head, nullptr);
  tokenize(head, "");
  EXPECT_EQ(head.kind, NodeKind::Invalid);
  EXPECT_FALSE(head.next);
}

// --- The precedence table, one case per rule ---

TEST_F(ParserTest, BracketsBindFirst) {
  expect_trees({
      {"(1+2)*3", "*{+{1,2},3}"},
      {"2^(3-1)", "^{2,-{3,1}}"},
  });
}

TEST_F(ParserTest, PrefixOperatorsBindTighterThanEveryBinaryOperator) {
  expect_trees({
      {"!A+B", "+{!{A},B}"},
      {"-2^2", "^{-{2},2}"},
      {"+A[B", "[{+{A},B}"},
      {"N$X+1", "+{N${X},1}"},
      {"@1*2", "*{@{1},2}"},
      {"$0^2", "^{${0},2}"},
  });
}

TEST_F(ParserTest, PrefixChainsNestFromTheRightWhateverTheirLevels) {
  expect_trees({
      {"-!X", "-{!{X}}"},
      {"!-X", "!{-{X}}"},
      {"N$-X", "N${-{X}}"},
      {"-N$X", "-{N${X}}"},
      {"$@-!1", "${@{-{!{1}}}}"},
      {"--X", "-{-{X}}"},
  });
}

TEST_F(ParserTest, PrefixOperatorsOnlyAtTheStartOrAfterASymbol) {
  expect_trees({
      {"2--3", "-{2,-{3}}"},
      {"2*-3", "*{2,-{3}}"},
      {"F(-X,+Y)", "F{-{X},+{Y}}"},
      {"(-1)", "-{1}"},
  });
}

TEST_F(ParserTest, IndexOperatorsAreTheTightestBinaryLevel) {
  expect_trees({
      {"A[1^2", "^{[{A,1},2}"},
      {"A]1[2", "[{]{A,1},2}"},
  });
}

TEST_F(ParserTest, PowerIsLeftAssociative) {
  expect_trees({
      {"2^3^2", "^{^{2,3},2}"},
      {"2^3*4", "*{^{2,3},4}"},
  });
}

TEST_F(ParserTest, ProductsBeforeSums) {
  expect_trees({
      {"1+2*3", "+{1,*{2,3}}"},
      {"8/4/2", "/{/{8,4},2}"},
      {"a*b/c*d", "*{/{*{a,b},c},d}"},
  });
}

TEST_F(ParserTest, SumsBeforeComparisons) {
  expect_trees({
      {"1-2+3", "+{-{1,2},3}"},
      {"a<b+c", "<{a,+{b,c}}"},
  });
}

TEST_F(ParserTest, AllSevenComparisonsShareOneLevel) {
  expect_trees({
      {"a<b==c", "=={<{a,b},c}"},
      {"a<=b>=c!=d~e>f<g", "<{>{~{!={>={<={a,b},c},d},e},f},g}"},
  });
}

TEST_F(ParserTest, AndBeforeOrBeforeAssignmentBeforeSequence) {
  expect_trees({
      {"a&b<c", "&{a,<{b,c}}"},
      {"a|b&c", "|{a,&{b,c}}"},
      {"A=B|C", "={A,|{B,C}}"},
      {"A=1;B=2", ";{={A,1},={B,2}}"},
  });
}

TEST_F(ParserTest, AssignmentAndSequenceAreLeftAssociative) {
  expect_trees({
      {"A=B=1", "={={A,B},1}"},
      {"a;b;c", ";{;{a,b},c}"},
  });
}

// --- Calls, argument lists and brackets ---

TEST_F(ParserTest, CallsTakeTheirArgumentsInOrder) {
  expect_trees({
      {"F(1,2+3)", "F{1,+{2,3}}"},
      {"SIN(PI/2)", "SIN{/{PI,2}}"},
      {"-F(X)", "-{F{X}}"},
      {"-F(A+1,2)*3", "*{-{F{+{A,1},2}},3}"},
      {"F(G(1),H(2,3))", "F{G{1},H{2,3}}"},
  });
}

TEST_F(ParserTest, EmptyAndRepeatedArgumentLists) {
  expect_trees({
      {"F()", "F"},
      {"F(1)(2)", "F{1,2}"},
      {"F()(1)()(2,3)", "F{1,2,3}"},
  });
}

TEST_F(ParserTest, ABracketFollowedByArgumentsIsAMainCall) {
  expect_trees({
      {"(X)(1,2)", "MAIN{X,1,2}"},
      {"(1)(2)(3)", "MAIN{1,2,3}"},
      {"(A+B)(1)", "MAIN{+{A,B},1}"},
  });
}

TEST_F(ParserTest, RedundantBracketsVanish) {
  expect_trees({
      {"((X))", "X"},
      {"F((X))", "F{X}"},
      {"((1+2))*3", "*{+{1,2},3}"},
  });
}

TEST_F(ParserTest, DollarAndNDollarForms) {
  expect_trees({
      {"N$X", "N${X}"},
      {"F($,1)", "F{$,1}"},
      {"F(1,$,2)", "F{1,$,2}"},
      // A bare $ is an operand only before a comma.
      {"F($)", "INVALID"},
      {"N$(1)", "N${1}"},
      {"N", "N"},
      {"N+$1", "+{N,${1}}"},
  });
}

// --- Semicolons ending a statement ---

TEST_F(ParserTest, ATrailingSemicolonIsDropped) {
  expect_trees({
      {"a;", "a"},
      {"F(a;)", "F{a}"},
      {"F(a;;)", "F{a}"},
      {"a;-b", ";{a,-{b}}"},
      {"A=1;B=2;", ";{={A,1},={B,2}}"},
  });
}

TEST_F(ParserTest, ADroppedSemicolonLetsTheRulesRunAgain) {
  expect_trees({
      {"a;*b", "*{a,b}"},
      // The "+" is reduced first, while the ";" still keeps "*" from matching.
      {"a;*b+c", "*{a,+{b,c}}"},
  });
}

// --- Leftovers ---

TEST_F(ParserTest, WhatNoRuleReducesIsLeftWithoutAMessage) {
  for (const char* text : {"1+", "*2", "a,b", "A[1]", "2(3)", "(1)2", "F(a,)", "X=", "()"})
    EXPECT_EQ(tree(text), "INVALID") << text;
}

TEST_F(ParserTest, TakeRootKeepsTheLeftoversAfterTheRoot) {
  EXPECT_EQ(leftovers("a,b"), "a  ,  b");
  EXPECT_EQ(leftovers("2(3)"), "2 3");
  EXPECT_EQ(leftovers("1+2,X*Y"), "+{1,2}  ,  *{X,Y}");
}

TEST_F(ParserTest, AStuckBracketStopsAllReduction) {
  EXPECT_EQ(leftovers("1+2*(2(3))"), "1  +  2  *   (  2 3  ) ");
  EXPECT_EQ(leftovers("(1+2)*F($)"), "+{1,2}  *  F  (   $   ) ");
}

TEST_F(ParserTest, ALoneSeparatorIsASymbolRoot) {
  ExprNode head(nodes);
  tokenize(head, "+");
  take_single_root(head, nullptr);
  EXPECT_EQ(head.kind, NodeKind::Symbol);
  EXPECT_FALSE(head.next);
}

TEST_F(ParserTest, TheHeadBecomesTheRootAndTheCountDropsByOne) {
  ExprNode head(nodes);
  tokenize(head, "1+2*X");
  EXPECT_EQ(nodes.live, 6);
  take_single_root(head, nullptr);
  EXPECT_EQ(head.kind, NodeKind::Name);
  EXPECT_EQ(printed(head), "+{1,*{2,X}}");
  EXPECT_EQ(nodes.live, 5);
  EXPECT_TRUE(is_valid(head));
}

// --- Errors ---

TEST_F(ParserTest, BracketErrorsArePrintedOnce) {
  expect_trees({
      {")", "INVALIDERROR | Unexpected bracket.\n"},
      {"(1", "INVALIDERROR | Some of brackets are not closed.\n"},
      {"1)+(2", "INVALIDERROR | Unexpected bracket.\n"},
      {"((1)", "INVALIDERROR | Some of brackets are not closed.\n"},
  });
}

TEST_F(ParserTest, NothingToParse) {
  Capture out;
  ExprNode head(nodes);
  parse(head, out.file());
  EXPECT_EQ(out.text(), "ERROR | Nothing for calculation.\n");
  head.kind = NodeKind::List;
  parse(head, out.file());
  EXPECT_EQ(out.text(), "ERROR | Nothing for calculation.\nERROR | Nothing for calculation.\n");
  EXPECT_EQ(head.kind, NodeKind::Invalid);
}

TEST_F(ParserTest, AnInvalidTokenMakesTheTreeCorruptedAndStaysAttached) {
  Capture out;
  ExprNode head(nodes);
  tokenize(head, "1+X");
  make_invalid(*head.next->next); // the "+" token, as if its text could not be stored
  parse(head, out.file());
  EXPECT_EQ(out.text(),
            "ERROR | Some parts of tree are corrupted.(Not enough memory or user error.)\n");
  EXPECT_EQ(head.kind, NodeKind::Invalid);
  EXPECT_EQ(printed_list(*head.next), "1 {{ERR}} X");
}

// --- Inputs deeper than any native stack ---

TEST_F(ParserTest, HundredThousandNestedBracketsParse) {
  const int depth = 100000;
  const std::string text = std::string(depth, '(') + "X" + std::string(depth, ')');
  EXPECT_EQ(tree(text), "X");
  EXPECT_EQ(tree(std::string(depth, '(')), "INVALIDERROR | Some of brackets are not closed.\n");
  EXPECT_EQ(tree(std::string(depth, ')')), "INVALIDERROR | Unexpected bracket.\n");
}

TEST_F(ParserTest, DeeplyNestedTreesCanBePrintedMarkedFoldedAndReleased) {
  const int depth = 50000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "F(-";
  text += "(1+2)" + std::string(depth, ')');
  ExprNode head(nodes);
  tokenize(head, text.c_str());
  take_single_root(head, nullptr);
  ASSERT_EQ(head.kind, NodeKind::Name);
  EXPECT_TRUE(is_valid(head));
  std::string expected;
  for (int i = 0; i < depth; ++i) expected += "F{-{";
  expected += "+{1,2}" + std::string(2 * depth, '}');
  EXPECT_EQ(printed(head), expected);
  mark_constants(head);
  std::vector<std::string> evaluated;
  fold_constants(head, [&](const ExprNode& n) {
    evaluated.push_back(printed(n));
    return 3.0;
  });
  EXPECT_EQ(evaluated, std::vector<std::string>{"-{+{1,2}}"});
  EXPECT_EQ(nodes.live, 2 * depth);
}

// Random expressions, mostly well formed, some with a stray token: the one-pass parser takes
// many and builds the two-stage parser's tree for each (checked inside `tree`).
TEST_F(ParserTest, TheOnePassParserBuildsTheSameTreesOrLeavesTheText) {
  const char* words[] = {"a", "N", "1", "2.5", "SIN", "PI", "x1", "10H", "$", "@", "F"};
  const char* binary[] = {"+",  "-",  "*",  "/", "^", "[", "]", "<",
                          "<=", "==", "!=", "~", "&", "|", "=", ";"};
  const char* prefix[] = {"-", "+", "!", "$", "@", "N$"};
  const char* stray[] = {"(", ")", ",", ";", "$", "()", "N"};
  std::mt19937 random(13);
  auto pick = [&](const auto& list) { return std::string(list[random() % std::size(list)]); };
  std::function<std::string(int)> expression = [&](int depth) -> std::string {
    switch (depth > 3 ? 0 : random() % 7) {
    case 0: return pick(words);
    case 1: return pick(prefix) + expression(depth + 1);
    case 2: return "(" + expression(depth + 1) + (random() % 4 ? ")" : ";)");
    case 3: {
      std::string call = pick(words) + "(" + (random() % 5 ? expression(depth + 1) : "$");
      while (random() % 2) call += "," + expression(depth + 1);
      return call + (random() % 5 ? ")" : ";)") + (random() % 20 ? "" : "(1)");
    }
    default: return expression(depth + 1) + pick(binary) + expression(depth + 1);
    }
  };
  int taken = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string text = expression(0);
    if (random() % 8 == 0) text.insert(random() % (text.size() + 1), pick(stray));
    if (random() % 8 == 0) text += ";";
    tree(text);
    ExprNode head(nodes);
    taken += parse_in_one_pass(head, text.c_str()) ? 1 : 0;
  }
  EXPECT_GT(taken, 5000);
}

TEST_F(ParserTest, LongPrefixChainsParse) {
  const int length = 10000;
  std::string expected;
  for (int i = 0; i < length; ++i) expected += "-{";
  expected += "X" + std::string(length, '}');
  EXPECT_EQ(tree(std::string(length, '-') + "X"), expected);
}

} // namespace
