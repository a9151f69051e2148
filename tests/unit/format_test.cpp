#include "numout/format.h"

#include <gtest/gtest.h>

#include "lang/number.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using tovik::lang::error_value;

const char* const default_value_format =
    "VALUE | %G#LDEC $D#LHEX $H#LBIN $B#Ldbl #d#Lul  #l#Lszt #s#L";
const double nan = std::numeric_limits<double>::quiet_NaN();

// Everything print_formatted writes, NUL characters included.
std::string formatted(double x, const char* format) {
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&data, &size);
  tovik::numout::print_formatted(out, x, format);
  std::fclose(out);
  const std::unique_ptr<char, decltype(&std::free)> owner(data, &std::free);
  return std::string(data, size);
}

struct Row {
  double x;
  const char* format;
  std::string text;
};

void expect_rows(std::initializer_list<Row> rows) {
  for (const Row& row : rows)
    EXPECT_EQ(formatted(row.x, row.format), row.text) << row.format << " with " << row.x;
}

// ---- The default value format

TEST(FormatTest, DefaultFormatShowsSevenLines) {
  EXPECT_EQ(formatted(10, default_value_format), "VALUE | 10\n"
                                                 "DEC 10\n"
                                                 "HEX a\n"
                                                 "BIN 1010\n"
                                                 "dbl 00 00 00 00 00 00 24 40 \n"
                                                 "ul  0A 00 00 00 \n"
                                                 "szt 0A 00 00 00 \n");
}

TEST(FormatTest, DefaultFormatOfNegativeAndLargeValues) {
  EXPECT_EQ(formatted(-1, default_value_format), "VALUE | -1\n"
                                                 "DEC -1\n"
                                                 "HEX -1\n"
                                                 "BIN -1\n"
                                                 "dbl 00 00 00 00 00 00 F0 BF \n"
                                                 "ul  FF FF FF FF \n"
                                                 "szt FF FF FF FF \n");
  EXPECT_EQ(formatted(1e10, default_value_format), "VALUE | 1E+10\n"
                                                   "DEC 10000000000\n"
                                                   "HEX 2540be400\n"
                                                   "BIN 1001010100000010111110010000000000\n"
                                                   "dbl 00 00 00 20 5F A0 02 42 \n"
                                                   "ul  00 00 00 80 \n"
                                                   "szt 00 E4 0B 54 \n");
}

TEST(FormatTest, ErrorValueWritesNothing) {
  for (const char* format : {default_value_format, "text", "%g", "#65", "$D", ""})
    EXPECT_EQ(formatted(error_value(), format), "") << format;
  // Other NaNs are ordinary values.
  EXPECT_EQ(formatted(nan, "$D"), "NAN");
}

// ---- $ items

TEST(FormatTest, NumberWriterItems) {
  expect_rows({
      {10, "%g ($D)", "10 (10)"},
      {255, "$B $O $D $H", "11111111 377 255 ff"},
      {10, "$16", "a"},
      {35, "$36!", "z!"},
      {10, "$ 16", "a"},
      {10, "$+2", "1010"},
      {10, "$$", "$"},
      {10, "$$D", "$D"},
      // Longer than the writes the output is gathered into.
      {-std::ldexp(1, -1074), "$2 $2 $2 $2%g",
       "-0." + std::string(1073, '0') + " -0." + std::string(1073, '0') + " -0." +
           std::string(1073, '0') + " -0." + std::string(1073, '0') + "-4.94066e-324"},
  });
}

TEST(FormatTest, BadDollarItemsReportAndSkipOneCharacter) {
  expect_rows({
      {10, "$1", "$error[1]"},
      {10, "$123", "$error[123]23"},
      {10, "$37x", "$error[37]7x"},
      {10, "$", "$error[0]"},
      {10, "a$", "a$error[0]"},
      {10, "$xy", "$error[0]y"},
      {10, "$d", "$error[0]"},
      {10, "$-5", "$error[-5]5"},
      {10, "$ 1", "$error[1]1"},
      {10, "$99999999999", "$error[2147483647]9999999999"},
      {10, "$-99999999999", "$error[-2147483648]99999999999"},
  });
}

// ---- # items

TEST(FormatTest, CharacterItems) {
  expect_rows({
      {0, "#65#66", "AB"},
      {0, "##", "#"},
      {0, "a#Lb#Tc", "a\nb\tc"},
      {0, "#321", "A"},
      {0, "#-191", "A"},
      {0, "# 65x", "Ax"},
      {0, "#0", std::string(1, '\0')},
      {0, "#255", "\xFF"},
  });
}

TEST(FormatTest, LoneHashWritesNulAndRereadsTheNextCharacter) {
  using namespace std::string_literals;
  expect_rows({
      {10, "#x", "\0x"s},
      {10, "#$D", "\0"s + "10"},
      {10, "#", "\0"s},
      {10, "#-", "\0-"s},
  });
}

TEST(FormatTest, ByteItems) {
  expect_rows({
      {-2.5, "#d", "00 00 00 00 00 00 04 C0 "},
      {1e10, "#l", "00 00 00 80 "},
      {-1e10, "#l", "00 00 00 80 "},
      {nan, "#l", "00 00 00 80 "},
      {2147483647.9, "#l", "FF FF FF 7F "},
      {-2147483648.9, "#l", "00 00 00 80 "},
      {-7.9, "#l", "F9 FF FF FF "},
      {4294967295.0, "#s", "FF FF FF FF "},
      {1e30, "#s", "00 00 00 00 "},
      {nan, "#s", "00 00 00 00 "},
      {-std::numeric_limits<double>::infinity(), "#s", "00 00 00 00 "},
  });
}

// ---- printf directives: exactly one value of the type each conversion expects

TEST(FormatTest, FloatingDirectives) {
  expect_rows({
      {3.14159, "%5.2f|%e|%G", " 3.14|3.141590e+00|3.14159"},
      {1.5, "%Lf %lf %-6g|", "1.500000 1.500000 1.5   |"},
      {1, "%a", "0x1p+0"},
      {-0.0, "%+.1f", "-0.0"},
      {2.5, "%.f", "2"},
  });
}

TEST(FormatTest, IntegerDirectivesReceiveTheConvertedValue) {
  expect_rows({
      {10.9, "%d", "10"},
      {-10.9, "%i", "-10"},
      {1e10, "%d", "-2147483648"},
      {nan, "%d", "-2147483648"},
  });
  EXPECT_EQ(formatted(1e10, "%ld %lld %jd %zd %td %qd"),
            "10000000000 10000000000 10000000000 10000000000 10000000000 10000000000");
  expect_rows({
      {200, "%hhd %hd", "-128 200"},
      {-1, "%u %x %hhx %lX", "4294967295 ffffffff ff FFFFFFFFFFFFFFFF"},
      {1e19, "%llu", "10000000000000000000"},
      {5e9, "%u", "2147483648"},
      {255, "%#o %#x %05d %-4d|", "0377 0xff 00255 255 |"},
  });
}

TEST(FormatTest, CharacterDirective) {
  expect_rows({
      {65, "%c%lc%3c%-2c|", "AA  AA |"},
      {65.7, "%c", "A"},
      {321, "%c", "A"},
      {0, "%c", std::string(1, '\0')},
  });
}

// Plain float directives are written without printf; for every kind of double and precision
// they must give printf's bytes, padding included.
TEST(FormatTest, QuickFloatDirectivesMatchPrintf) {
  std::vector<double> values = {0.0,
                                -0.0,
                                1,
                                -1,
                                0.5,
                                2.5,
                                -3.5,
                                0.125,
                                1e-5,
                                9.9999995e-5,
                                123456789012345678.0,
                                1e15,
                                1e16,
                                1e17,
                                1e21,
                                1e22,
                                1e300,
                                1.7976931348623157e308,
                                2.2250738585072014e-308,
                                4.9e-324,
                                1.5e-310,
                                -2.5e-320,
                                0.1,
                                0.3,
                                2.0 / 3,
                                999999.5,
                                9.5,
                                0.05,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                nan,
                                std::bit_cast<double>(0xFFF8000000000001ull)};
  std::mt19937_64 random(13);
  for (int i = 0; i < 150; ++i) {
    const double bits = std::bit_cast<double>(random());
    if (!tovik::lang::is_error_value(bits)) values.push_back(bits);
    values.push_back(static_cast<double>(static_cast<std::int64_t>(random() >> 20)) / 1024);
    values.push_back(static_cast<double>(i) * 0.001 * (static_cast<double>(i) * 0.001) - 2);
    // Exact halves at many digit positions: rounding ties, which go to the even digit.
    values.push_back(std::ldexp(static_cast<double>(random() % 4096) + 0.5,
                                static_cast<int>(random() % 40) - 20));
    values.push_back(std::nextafter(std::pow(10.0, i % 40 - 20), i % 3 == 0 ? 0.0 : 1e300));
  }
  const char* const fields[] = {"",   ".",   ".0",  ".1",   ".2",    ".3",     ".5",   ".6",
                                ".9", ".14", ".15", ".16",  ".17",   ".20",    ".40",  ".99",
                                "12", "-12", "3.1", "-1.1", "40.17", "--30.3", "1.350"};
  for (const char* field : fields) {
    std::string format;
    for (char conversion : std::string("eEfFgG"))
      format += std::string("%") + field + conversion + '|';
    for (double x : values) {
      const int size = std::snprintf(nullptr, 0, format.c_str(), x, x, x, x, x, x);
      std::string expected(static_cast<std::size_t>(size) + 1, '\0');
      std::snprintf(expected.data(), expected.size(), format.c_str(), x, x, x, x, x, x);
      expected.pop_back();
      ASSERT_EQ(formatted(x, format.c_str()), expected)
          << format << " with bits " << std::hex << std::bit_cast<std::uint64_t>(x);
    }
  }
}

TEST(FormatTest, UnsafeDirectivesReadNothingMore) {
  expect_rows({
      {2.5, "%s|%10s|%p", "2.5|       2.5|2.5"},
      {2.5, "a%nb%5nc", "abc"},
      {42, "%*d|%-*d|%.*f", "42|42|42.000000"},
      {42, "%1$d", "%1$d"},
      {42, "%%|%5%", "%|%"},
  });
}

TEST(FormatTest, HugeFieldsAreClamped) {
  EXPECT_EQ(formatted(1, "%999999999999999999999d").size(), 10000u);
  EXPECT_EQ(formatted(1, "%.2147483648f").size(), 10002u);
  EXPECT_EQ(formatted(1, "%99999.99999e"), "1." + std::string(10000, '0') + "e+00");
}

TEST(FormatTest, MalformedDirectivesArePrintedAsTheyStand) {
  expect_rows({
      {1, "x%5", "x%5"},
      {1, "%", "%"},
      {1, "%-", "%-"},
      {1, "%k|", "%k|"},
      {1, "%m", "%m"},
      {1, "%5.3.2f", "%5.3.2f"},
      {1, "%hlhd", "%hlhd"},
      {1, "%Id", "%Id"},
  });
  // Nothing beyond the 32nd character after the % belongs to the directive.
  const std::string too_long = "%" + std::string(31, '-') + "5d";
  EXPECT_EQ(formatted(1, too_long.c_str()), too_long);
  const std::string just_fits = "%" + std::string(30, '-') + "5d";
  EXPECT_EQ(formatted(1, just_fits.c_str()), "1    ");
}

// Run under the sanitizer build, this catches any read past the format or the value.
TEST(FormatTest, RandomFormatsAreSafe) {
  const std::string alphabet = "%%%$$##-+ .*'0123456789hlLqjztdiouxXcCsSpnfFeEgGaAkmBODHLTI";
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string format;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) format += alphabet[random() % alphabet.size()];
    const double x = round % 3 == 0 ? -1e300 : (round % 3 == 1 ? 65.5 : nan);
    const std::string once = formatted(x, format.c_str());
    ASSERT_EQ(once, formatted(x, format.c_str())) << format;
    ASSERT_LT(once.size(), 200000u) << format;
  }
}

TEST(FormatTest, LiteralTextPassesThrough) {
  EXPECT_EQ(formatted(1, "plain text, no items"), "plain text, no items");
  EXPECT_EQ(formatted(1, ""), "");
}

} // namespace
