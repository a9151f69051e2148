#include "console/files.h"

#include <gtest/gtest.h>

using tovik::console::filter_math_text;

TEST(MathFileFilter, JoinsLinesAndDropsWhiteSpaceAndComments) {
  EXPECT_EQ(filter_math_text("x=2;\nx*3\n"), "x=2;x*3");
  EXPECT_EQ(filter_math_text("2+3 // five"), "2+3");
  EXPECT_EQ(filter_math_text("1 +// one\r\n 2\t// two\n// all\n*3"), "1+2*3");
  // A single slash divides; a NUL ends the text.
  EXPECT_EQ(filter_math_text("6 / 3"), "6/3");
  EXPECT_EQ(filter_math_text(std::string_view("1+\0"
                                              "2",
                                              4)),
            "1+");
  EXPECT_EQ(filter_math_text("//"), "");
  EXPECT_EQ(filter_math_text("4/"), "4/");
}
