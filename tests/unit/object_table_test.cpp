#include "console/what_object.h"
#include "objects/object_table.h"

#include "lang/number.h"
#include "runner_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace tovik;
using objects::ObjectTable;
using runner::testing::Code;
using runner::testing::TestContext;

std::shared_ptr<runner::CodeBlock> body(double v) { return Code().push(v).ret().shared(); }

std::vector<std::string> listed(const ObjectTable& table) {
  std::vector<std::string> lines;
  table.for_each_object(nullptr, [&](const std::string& name, const std::string& text,
                                     const runner::CodeBlock&,
                                     std::FILE*) { lines.push_back(name + "|" + text); });
  return lines;
}

// ---- Order and lookups

TEST(ObjectTableTest, NamesAreKeptInUnsignedByteOrder) {
  ObjectTable table;
  for (const char* name : {"Q", "P", "R", "q", "\xC3\xA9", "A1", "A"})
    ASSERT_EQ(table.define_object(name, body(1), std::string(name) + " 1"), objects::table_created)
        << name;
  std::vector<std::string> names;
  table.for_each_object(nullptr, [&](const std::string& n, auto&&...) { names.push_back(n); });
  EXPECT_EQ(names, (std::vector<std::string>{"A", "A1", "P", "Q", "R", "q", "\xC3\xA9"}));
  EXPECT_EQ(table.count(), 7u);
}

TEST(ObjectTableTest, FindMatchesWholeNamesExactly) {
  ObjectTable table;
  table.set_value("X1", 2);
  EXPECT_NE(table.find("X1"), nullptr);
  EXPECT_EQ(table.find("X"), nullptr);
  EXPECT_EQ(table.find("X12"), nullptr);
  EXPECT_EQ(table.find("x1"), nullptr);
  EXPECT_EQ(table.find("X1")->name, "X1");
}

// ---- define_object

TEST(ObjectTableTest, DefineRefusesMissingPartsAndChangesNothing) {
  ObjectTable table;
  EXPECT_EQ(table.define_object("", body(1), "t"), objects::table_failed);
  EXPECT_EQ(table.define_object("F", nullptr, "t"), objects::table_failed);
  EXPECT_EQ(table.define_object("F", std::make_shared<runner::CodeBlock>(), "t"),
            objects::table_failed);
  auto code = body(1);
  EXPECT_EQ(table.define_object("F", code, ""), objects::table_failed);
  EXPECT_EQ(code.use_count(), 1); // the caller keeps its block
  EXPECT_EQ(table.count(), 0u);
}

TEST(ObjectTableTest, DefineRefusesSystemNamesBeforeLookingForObjects) {
  ObjectTable table;
  for (const char* name : {"SIN", "PI", "+", "<=", "E", "N$"})
    EXPECT_EQ(table.define_object(name, body(1), "t"), objects::table_system_name) << name;
  EXPECT_EQ(table.define_object("", body(1), ""), objects::table_failed); // arguments come first
  EXPECT_EQ(table.count(), 0u);
}

// Code may offer any bytes; only what a saved line carries back as the same object is taken.
TEST(ObjectTableTest, NamesAndTextsASavedLineCannotCarryAreRefused) {
  ObjectTable table;
  for (const char* name : {"", " ", "a b", "1+1", "a\nb", "a\"b", "12", "1.5", "x(", "a\rb"}) {
    EXPECT_EQ(table.set_value(name, 5), objects::table_failed) << name;
    EXPECT_EQ(table.define_object(name, body(1), std::string(name) + " 1"), objects::table_failed)
        << name;
  }
  const std::pair<const char*, const char*> texts[] = {
      {"F", "F"},          {"F", "F 1\nwrformat \"PWNED\""},
      {"F", "F 1 2"},      {"F", "F  1"},
      {"F", "G 1"},        {"F", "F(X X"},
      {"F", "F(X) \"X\""}, {"F", "F 1\r"},
      {"F", "F CONST(2)"}, {"F", "FF(X) X"},
      {"F", " F 1"},
  };
  for (auto [name, text] : texts)
    EXPECT_EQ(table.define_object(name, body(1), text), objects::table_failed) << text;
  EXPECT_EQ(table.count(), 0u);
  for (const char* text : {"F 1", "F(X) X*2", "F(X,$1,T) T=X;T", "(F) 1", "F() 5"})
    EXPECT_NE(table.define_object("F", body(1), text), objects::table_failed) << text;
  EXPECT_EQ(table.set_value("_a.b'c", 1), objects::table_created);
}

TEST(ObjectTableTest, RedefiningReplacesCodeAndTextInPlace) {
  ObjectTable table;
  table.define_object("G", body(1), "G 1");
  table.define_object("F", body(1), "F x+1");
  table.define_object("H", body(1), "H 1");
  EXPECT_EQ(table.define_object("F", body(2), "F x+2"), objects::table_replaced);
  EXPECT_EQ(table.count(), 3u);
  EXPECT_EQ(*table.find("F")->text, "F x+2");
  EXPECT_EQ((std::vector<std::string>{"F|F x+2", "G|G 1", "H|H 1"}), listed(table));
}

// ---- set_value

TEST(ObjectTableTest, SetValueMakesAPlainBlockWithoutText) {
  ObjectTable table;
  EXPECT_EQ(table.set_value("X", 5), objects::table_created);
  const objects::GlobalObject* x = table.find("X");
  ASSERT_NE(x, nullptr);
  EXPECT_FALSE(x->text);
  EXPECT_EQ(*x->code, Code().push(5).ret().bytes);
  EXPECT_EQ(x->code_length(), 10);
  EXPECT_EQ(table.set_value("X", 7), objects::table_replaced);
  EXPECT_EQ(objects::plain_block_value(*table.find("X")->code), 7);
}

TEST(ObjectTableTest, SetValueDropsTheTextOfAFunction) {
  ObjectTable table;
  table.define_object("F", Code().push(1).push(2).code(runner::Op::oper, 0).ret().shared(),
                      "F 1+2");
  EXPECT_EQ(table.set_value("F", 3), objects::table_replaced);
  EXPECT_FALSE(table.find("F")->text);
  EXPECT_TRUE(objects::is_plain_block(*table.find("F")->code));
}

TEST(ObjectTableTest, ErrorValueRemovesTheVariable) {
  ObjectTable table;
  table.set_value("X", 5);
  EXPECT_EQ(table.set_value("X", lang::error_value()), objects::table_removed);
  EXPECT_EQ(table.find("X"), nullptr);
  EXPECT_EQ(table.set_value("X", lang::error_value()), objects::table_nothing_removed);
  EXPECT_EQ(table.count(), 0u);
}

TEST(ObjectTableTest, OtherNotANumberValuesAreStored) {
  ObjectTable table;
  double other_nan = std::bit_cast<double>(std::uint64_t(0x7FF8000000000001));
  EXPECT_EQ(table.set_value("X", other_nan), objects::table_created);
  EXPECT_NE(table.find("X"), nullptr);
}

TEST(ObjectTableTest, SetValueRefusesSystemNames) {
  ObjectTable table;
  EXPECT_EQ(table.set_value("PI", 3), objects::table_system_name);
  EXPECT_EQ(table.set_value("+", 3), objects::table_system_name);
  EXPECT_EQ(table.set_value("SIN", lang::error_value()), objects::table_system_name);
  EXPECT_EQ(table.count(), 0u);
}

// A frame still running in the old block keeps it: the new value goes into a new block.
TEST(ObjectTableTest, SetValueLeavesABlockInUseUntouched) {
  ObjectTable table;
  table.set_value("X", 1);
  runner::CodeRef running = table.find("X")->code;
  table.set_value("X", 2);
  EXPECT_EQ(objects::plain_block_value(*running), 1);
  EXPECT_EQ(objects::plain_block_value(*table.find("X")->code), 2);
  table.remove_object("X");
  EXPECT_EQ(objects::plain_block_value(*running), 1);
}

TEST(ObjectTableTest, RemoveAndClear) {
  ObjectTable table;
  table.set_value("A", 1);
  table.set_value("B", 2);
  EXPECT_FALSE(table.remove_object("C"));
  EXPECT_TRUE(table.remove_object("A"));
  EXPECT_EQ(table.count(), 1u);
  table.clear_objects();
  EXPECT_EQ(table.count(), 0u);
  EXPECT_EQ(table.find("B"), nullptr);
}

// ---- Texts: value_text, for_each_object, what_object

TEST(ObjectTableTest, ValueTextIsNameBlankAndDecimalValue) {
  EXPECT_EQ(objects::value_text("X", 5), "X 5");
  EXPECT_EQ(objects::value_text("ANS", 1.0 / 3), "ANS 0.333333333333333");
}

TEST(ObjectTableTest, ObjectsWithATextKeepItEvenWithAPlainBlock) {
  ObjectTable table;
  table.define_object("K", body(6), "K 2*3");
  table.set_value("X", 5);
  EXPECT_EQ((std::vector<std::string>{"K|K 2*3", "X|X 5"}), listed(table));
}

// A text that only repeats the plain value (as code files carry it) makes a plain variable, so
// the exact value is what gets saved again.
TEST(ObjectTableTest, ATextThatOnlyShowsThePlainValueIsNotKept) {
  ObjectTable table;
  EXPECT_EQ(table.define_object("X", body(0.1 + 0.2), "X 0.3"), objects::table_created);
  EXPECT_FALSE(table.find("X")->text.has_value());
  EXPECT_EQ(table.define_object("X", body(0.5), "X 0.50"), objects::table_replaced);
  EXPECT_EQ(table.find("X")->text, "X 0.50");
  EXPECT_EQ(table.define_object("X", body(7), "X 7"), objects::table_replaced);
  EXPECT_FALSE(table.find("X")->text.has_value());
  EXPECT_EQ((std::vector<std::string>{"X|X 7"}), listed(table));
}

TEST(ObjectTableTest, EachObjectGetsTheFileAndItsCode) {
  ObjectTable table;
  table.set_value("X", 5);
  std::FILE* seen = nullptr;
  std::size_t length = 0;
  table.for_each_object(stderr, [&](const std::string&, const std::string&,
                                    const runner::CodeBlock& code, std::FILE* file) {
    seen = file;
    length = code.size();
  });
  EXPECT_EQ(seen, stderr);
  EXPECT_EQ(length, 10u);
}

TEST(ObjectTableTest, WhatDescribesSystemAndGlobalObjects) {
  TestContext t;
  t.ctx.objects.set_value("X", 5);
  t.ctx.objects.define_object("K", body(6), "K 2*3");
  EXPECT_TRUE(console::what_object(t.ctx, "SIN"));
  EXPECT_EQ(t.output(), "WHAT  | System object SIN.\n");
  EXPECT_TRUE(console::what_object(t.ctx, "X"));
  EXPECT_EQ(t.output(), "WHAT  | Global object X.\nEXPL  | X 5\n");
  EXPECT_TRUE(console::what_object(t.ctx, "K"));
  EXPECT_EQ(t.output(), "WHAT  | Global object K.\nEXPL  | K 2*3\n");
  EXPECT_FALSE(console::what_object(t.ctx, "Y"));
  EXPECT_FALSE(console::what_object(t.ctx, static_cast<const char*>(nullptr)));
  EXPECT_FALSE(console::what_object(t.ctx, ""));
  EXPECT_EQ(t.output(), "");
}

TEST(ObjectTableTest, WhatListsTheCodeWhenProgramsAreShown) {
  TestContext t;
  t.ctx.settings.show_program = true;
  t.ctx.objects.set_value("X", 5);
  EXPECT_TRUE(console::what_object(t.ctx, "X"));
  EXPECT_EQ(t.output(), "WHAT  | Global object X.\nEXPL  | X 5\nZORVA CODE:\n"
                        "address | cmd | explanation\n"
                        "      0 |  00 | PUSH 5\n"
                        "      9 |  12 | RETURN\n");
}

} // namespace
