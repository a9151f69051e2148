// Expression tree nodes: payloads, counting, validation, printing, and the constant passes.

#include "lang/expr_node.h"

#include "lang/number.h"
#include "lang_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace tovik::lang;
using tovik::lang::testing::add_child;
using tovik::lang::testing::Capture;
using tovik::lang::testing::leaf;
using tovik::lang::testing::printed;
using tovik::lang::testing::printed_list;

class ExprNodeTest : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(nodes.live, 0) << "a node was leaked or counted twice"; }

  std::unique_ptr<ExprNode> make(const std::string& text) { return leaf(nodes, text); }
  std::unique_ptr<ExprNode> make(const std::string& text, std::unique_ptr<ExprNode> a) {
    std::unique_ptr<ExprNode> node = make(text);
    node->kind = NodeKind::Name;
    add_child(*node, std::move(a));
    return node;
  }
  std::unique_ptr<ExprNode> make(const std::string& text, std::unique_ptr<ExprNode> a,
                                 std::unique_ptr<ExprNode> b) {
    std::unique_ptr<ExprNode> node = make(text, std::move(a));
    add_child(*node, std::move(b));
    return node;
  }

  // A chain of `depth` nodes named `text`, each the only child of the one before, above `leaf`.
  std::unique_ptr<ExprNode> chain(const std::string& text, int depth,
                                  std::unique_ptr<ExprNode> bottom) {
    for (int i = 0; i < depth; ++i) bottom = make(text, std::move(bottom));
    return bottom;
  }

  NodeCounter nodes;
};

// --- Counting and release ---

TEST_F(ExprNodeTest, EveryNodeCountsOnceWhileLive) {
  {
    ExprNode head(nodes);
    EXPECT_EQ(nodes.live, 1);
    add_child(head, make("1"));
    head.next = make("X");
    EXPECT_EQ(nodes.live, 3);
    head.children.reset();
    EXPECT_EQ(nodes.live, 2);
  }
  EXPECT_EQ(nodes.live, 0);
}

TEST_F(ExprNodeTest, DestroyReleasesSiblingsAndChildrenOnce) {
  ExprNode head(nodes);
  head.next = make("+", make("1"), make("2"));
  head.next->next = make("Y");
  EXPECT_EQ(nodes.live, 5);
  head.kind = NodeKind::List;
  destroy(head);
  EXPECT_EQ(nodes.live, 0);
  EXPECT_EQ(head.kind, NodeKind::List) << "the kind is kept";
  EXPECT_FALSE(head.next);
  destroy(head);
  EXPECT_EQ(nodes.live, 0) << "a second destroy must not count again";
}

TEST_F(ExprNodeTest, InitialisingALiveNodeReleasesWhatItHeld) {
  ExprNode head(nodes);
  add_child(head, make("1"));
  init_node(head, nodes);
  EXPECT_EQ(nodes.live, 1);
  EXPECT_EQ(head.kind, NodeKind::Invalid);
  EXPECT_FALSE(head.children);
}

// --- Payloads ---

TEST_F(ExprNodeTest, TextThatReadsAsANumberMakesAConstantNumber) {
  for (const char* text : {"255", "ffH", "11111111B", "ff#16"}) {
    auto node = make(text);
    EXPECT_EQ(node->kind, NodeKind::Number) << text;
    EXPECT_EQ(number_value(*node), 255.0) << text;
    EXPECT_EQ(node->constant, 1) << text;
  }
}

TEST_F(ExprNodeTest, OtherTextMakesASymbolOrAName) {
  EXPECT_EQ(make("+")->kind, NodeKind::Symbol);
  EXPECT_EQ(make("<=")->kind, NodeKind::Symbol);
  EXPECT_EQ(make("X")->kind, NodeKind::Name);
  EXPECT_EQ(make("2X")->kind, NodeKind::Name);
  EXPECT_EQ(make("1e5")->kind, NodeKind::Name);
  EXPECT_STREQ(node_text(*make("N$")), "N$");
  EXPECT_EQ(make("N$")->kind, NodeKind::Name) << "only the parser makes N$ a symbol";
}

TEST_F(ExprNodeTest, OnlyTheGivenLengthIsRead) {
  ExprNode node(nodes);
  set_text(node, "12345", 2);
  EXPECT_EQ(number_value(node), 12.0);
  set_text(node, "(abc", 1);
  EXPECT_EQ(node.kind, NodeKind::Symbol);
  EXPECT_STREQ(node_text(node), "(");
}

TEST_F(ExprNodeTest, SettingTextKeepsTheConstantFlagAndReplacesTheNumber) {
  ExprNode node(nodes);
  set_number(node, 4);
  set_text(node, "X", 1);
  EXPECT_EQ(node.kind, NodeKind::Name);
  EXPECT_EQ(node.constant, 1);
  EXPECT_TRUE(is_error_value(number_value(node)));
}

TEST_F(ExprNodeTest, NullOrEmptyTextLeavesTheNodeInvalid) {
  ExprNode node(nodes);
  set_text(node, "X", 1);
  set_text(node, nullptr, 3);
  EXPECT_EQ(node.kind, NodeKind::Invalid);
  EXPECT_EQ(node_text(node), nullptr);
  set_text(node, "X", 0);
  EXPECT_EQ(node.kind, NodeKind::Invalid);
}

TEST_F(ExprNodeTest, SetNumberGivesWhereTheValueIsKept) {
  ExprNode node(nodes);
  set_text(node, "X", 1);
  double* value = set_number(node, 2.5);
  ASSERT_NE(value, nullptr);
  *value = 7;
  EXPECT_EQ(number_value(node), 7.0);
  EXPECT_EQ(node.kind, NodeKind::Number);
  EXPECT_EQ(node.constant, 1);
  EXPECT_EQ(node_text(node), nullptr);
}

TEST_F(ExprNodeTest, NumberValueOfAnythingButANumberIsTheErrorValue) {
  EXPECT_TRUE(is_error_value(number_value(*make("X"))));
  EXPECT_TRUE(is_error_value(number_value(*make("+"))));
  ExprNode invalid(nodes);
  EXPECT_TRUE(is_error_value(number_value(invalid)));
}

TEST_F(ExprNodeTest, NameIsComparesTextExactlyAndOtherKindsMatchOnlyNull) {
  auto name = make("SIN");
  EXPECT_TRUE(name_is(*name, "SIN"));
  EXPECT_FALSE(name_is(*name, "sin"));
  EXPECT_FALSE(name_is(*name, "SINX"));
  EXPECT_FALSE(name_is(*name, nullptr));
  auto number = make("1");
  EXPECT_TRUE(name_is(*number, nullptr));
  EXPECT_FALSE(name_is(*number, "1"));
  ExprNode list(nodes);
  list.kind = NodeKind::List;
  EXPECT_TRUE(name_is(list, nullptr));
  EXPECT_FALSE(name_is(list, ""));
}

// --- Validation ---

TEST_F(ExprNodeTest, ValidityCoversSiblingsAndAllDescendants) {
  auto root = make("+", make("1"), make("F", make("X")));
  EXPECT_TRUE(is_valid(*root));
  root->next = make("Y");
  EXPECT_TRUE(is_valid(*root));
  root->next->next = std::make_unique<ExprNode>(nodes);
  EXPECT_FALSE(is_valid(*root)) << "an Invalid sibling after the root";
  root->next->next.reset();
  root->children->next->children->children = std::make_unique<ExprNode>(nodes);
  EXPECT_FALSE(is_valid(*root)) << "an Invalid grandchild";
}

// --- Printing ---

TEST_F(ExprNodeTest, PrintsTreeNotation) {
  EXPECT_EQ(printed(*make("+", make("1"), make("*", make("2"), make("X")))), "+{1,*{2,X}}");
  EXPECT_EQ(printed(*make("-", make("X"))), "-{X}");
  EXPECT_EQ(printed(*make("F", make("1"), make("2"))), "F{1,2}");
}

TEST_F(ExprNodeTest, PrintsNumbersWithSixSignificantDigits) {
  ExprNode node(nodes);
  set_number(node, 0.1);
  EXPECT_EQ(printed(node), "0.1");
  set_number(node, 1.0 / 3.0);
  EXPECT_EQ(printed(node), "0.333333");
  set_number(node, 1e20);
  EXPECT_EQ(printed(node), "1e+20");
}

TEST_F(ExprNodeTest, PrintsSymbolsListsAndInvalidNodesByTheirMarks) {
  EXPECT_EQ(printed(*make("+")), " + ");
  ExprNode node(nodes);
  EXPECT_EQ(printed(node), "{{ERR}}");
  node.kind = NodeKind::List;
  EXPECT_EQ(printed(node), "{{NULL}}");
}

TEST_F(ExprNodeTest, PrintsOnlyTheNodeButTheListWithItsSiblings) {
  auto root = make("A");
  root->next = make(",");
  root->next->next = make("B", make("1"));
  EXPECT_EQ(printed(*root), "A");
  Capture out;
  print_list(out.file(), "TREE  | ", *root, ' ');
  EXPECT_EQ(out.text(), "TREE  | A  ,  B{1}");
}

// --- Constant marking and folding ---

TEST_F(ExprNodeTest, MarkingFindsConstantSubtrees) {
  auto root = make("+", make("X"), make("PI"));
  mark_constants(*root);
  EXPECT_EQ(root->constant, 0);
  EXPECT_EQ(root->children->constant, 0);
  EXPECT_EQ(root->children->next->constant, 1);
}

TEST_F(ExprNodeTest, ANameIsConstantOnlyWhenFoldableWithConstantChildren) {
  struct Case {
    std::unique_ptr<ExprNode> tree;
    int constant;
  };
  std::vector<Case> cases;
  cases.push_back({make("E"), 1});
  cases.push_back({make("NAN"), 1});
  cases.push_back({make("RND"), 0});
  cases.push_back({make("SIN", make("/", make("PI"), make("2"))), 1});
  cases.push_back({make("SIN", make("X")), 0});
  cases.push_back({make("=", make("1"), make("2")), 0});
  cases.push_back({make("N$", make("1")), 0});
  cases.push_back({make("<=", make("1"), make("2")), 1});
  cases.push_back({make(";", make("1"), make("2")), 1});
  for (Case& c : cases) {
    mark_constants(*c.tree);
    EXPECT_EQ(c.tree->constant, c.constant) << printed(*c.tree);
  }
}

TEST_F(ExprNodeTest, MarkingEveryChildEvenAfterOneFailed) {
  auto root = make("F", make("X"), make("PI"));
  mark_constants(*root);
  EXPECT_EQ(root->children->next->constant, 1);
}

TEST_F(ExprNodeTest, MarkingStopsAtANodeAlreadyMarked) {
  auto root = make("F", make("PI"));
  root->constant = 1;
  mark_constants(*root);
  EXPECT_EQ(root->constant, 1);
  EXPECT_EQ(root->children->constant, 0) << "the marked node's children are not entered";
  mark_constants(*root);
  EXPECT_EQ(root->children->constant, 0);
}

TEST_F(ExprNodeTest, MarkingDoesNotVisitTheRootsSiblings) {
  auto root = make("X");
  root->next = make("PI");
  mark_constants(*root);
  EXPECT_EQ(root->next->constant, 0);
}

TEST_F(ExprNodeTest, FoldingReplacesConstantSubtreesByTheirValues) {
  auto root = make("+", make("X"), make("PI"));
  mark_constants(*root);
  std::vector<std::string> evaluated;
  fold_constants(*root, [&](const ExprNode& n) {
    evaluated.push_back(printed(n));
    return M_PI;
  });
  EXPECT_EQ(evaluated, std::vector<std::string>{"PI"});
  EXPECT_EQ(printed(*root), "+{X,3.14159}");
  EXPECT_EQ(nodes.live, 3);
}

TEST_F(ExprNodeTest, FoldingEvaluatesEachMaximalSubtreeOnceInTextOrder) {
  // SIN(PI/2)*X+F(1+2,3*4)
  auto root = make("+", make("*", make("SIN", make("/", make("PI"), make("2"))), make("X")),
                   make("F", make("+", make("1"), make("2")), make("*", make("3"), make("4"))));
  mark_constants(*root);
  std::vector<std::string> evaluated;
  fold_constants(*root, [&](const ExprNode& n) {
    evaluated.push_back(printed(n));
    return static_cast<double>(evaluated.size());
  });
  EXPECT_EQ(evaluated, (std::vector<std::string>{"SIN{/{PI,2}}", "+{1,2}", "*{3,4}"}));
  EXPECT_EQ(printed(*root), "+{*{1,X},F{2,3}}");
  EXPECT_EQ(nodes.live, 7);
}

TEST_F(ExprNodeTest, FoldingAConstantRootLeavesOneNumber) {
  auto root = make("*", make("2"), make("3"));
  root->next = make("Y");
  mark_constants(*root);
  fold_constants(*root, [](const ExprNode&) { return 6.0; });
  EXPECT_EQ(root->kind, NodeKind::Number);
  EXPECT_EQ(number_value(*root), 6.0);
  EXPECT_FALSE(root->children);
  EXPECT_TRUE(root->next) << "the node keeps its place among its siblings";
  EXPECT_EQ(nodes.live, 2);
}

TEST_F(ExprNodeTest, AFailedEvaluationFoldsToTheErrorValue) {
  auto root = make("F", make("LN", make("0")));
  mark_constants(*root);
  fold_constants(*root, [](const ExprNode&) { return error_value(); });
  EXPECT_TRUE(is_error_value(number_value(*root->children)));
  EXPECT_EQ(root->children->constant, 1);
}

TEST_F(ExprNodeTest, UnmarkedTreesAndNumbersAreNotEvaluated) {
  auto root = make("+", make("1"), make("2"));
  int calls = 0;
  fold_constants(*root, [&](const ExprNode&) { return ++calls; });
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(printed(*root), "+{1,2}");
}

// --- Trees deeper than any native stack ---

TEST_F(ExprNodeTest, VeryDeepTreesAreWalkedWithoutRecursion) {
  const int depth = 200000;
  auto root = chain("F", depth, make("+", make("1"), make("2")));
  EXPECT_TRUE(is_valid(*root));
  std::string expected;
  for (int i = 0; i < depth; ++i) expected += "F{";
  expected += "+{1,2}" + std::string(depth, '}');
  EXPECT_EQ(printed(*root), expected);
  mark_constants(*root);
  int calls = 0;
  fold_constants(*root, [&](const ExprNode&) { return ++calls; });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(nodes.live, depth + 1);
  root.reset();
}

TEST_F(ExprNodeTest, VeryDeepConstantChainsFoldAtTheTop) {
  auto root = chain("-", 200000, make("1"));
  mark_constants(*root);
  fold_constants(*root, [](const ExprNode&) { return 1.0; });
  EXPECT_EQ(printed(*root), "1");
  EXPECT_EQ(nodes.live, 1);
}

TEST_F(ExprNodeTest, VeryLongSiblingListsAreReleasedWithoutRecursion) {
  ExprNode head(nodes);
  std::unique_ptr<ExprNode>* link = &head.next;
  for (int i = 0; i < 200000; ++i) {
    *link = make("X", make("Y"));
    link = &(*link)->next;
  }
  EXPECT_TRUE(is_valid(head.next ? *head.next : head));
  EXPECT_EQ(nodes.live, 400001);
}

} // namespace
