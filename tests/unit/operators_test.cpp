#include "runner/operators.h"

#include "lang/number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using namespace tovik;
using lang::error_value;
using lang::is_error_value;

const double inf = std::numeric_limits<double>::infinity();
const double other_nan = std::bit_cast<double>(std::uint64_t(0x7FF8000000000001));

double binary(std::uint8_t code, double l, double r) {
  double result = 12345;
  EXPECT_EQ(runner::binary_operator(code, l, r, result), runner::operator_ok) << int(code);
  return result;
}

double unary(std::uint8_t code, double x) {
  double result = 12345;
  EXPECT_EQ(runner::unary_operator(code, x, result), runner::operator_ok) << int(code);
  return result;
}

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// ---- Binary operators

TEST(OperatorsTest, Arithmetic) {
  EXPECT_EQ(binary(0x00, 2, 3), 5);
  EXPECT_EQ(binary(0x01, 2, 3), -1);
  EXPECT_EQ(binary(0x02, 2, 3), 6);
  EXPECT_EQ(binary(0x03, 1, 4), 0.25);
  EXPECT_EQ(binary(0x04, 2, 10), 1024);
  EXPECT_EQ(binary(0x04, 2, 0.5), std::pow(2.0, 0.5));
  EXPECT_EQ(binary(0x05, 2, 3), 2000);
  EXPECT_EQ(binary(0x06, 5, 1), 0.5);
}

TEST(OperatorsTest, DivisionByZero) {
  EXPECT_EQ(binary(0x03, 1, 0), inf);
  EXPECT_EQ(binary(0x03, -1, 0), -inf);
  EXPECT_TRUE(is_error_value(binary(0x03, 0, 0)));
}

TEST(OperatorsTest, ComparisonsAndLogic) {
  EXPECT_EQ(binary(0x10, 1, 2), 1);
  EXPECT_EQ(binary(0x11, 1, 2), 0);
  EXPECT_EQ(binary(0x12, 2, 2), 1);
  EXPECT_EQ(binary(0x13, 1, 2), 0);
  EXPECT_EQ(binary(0x14, 1, 2), 1);
  EXPECT_EQ(binary(0x15, -0.0, 0), 1);
  EXPECT_EQ(binary(0x16, 0, 0), 1);
  EXPECT_EQ(binary(0x16, 0, 5), 0);
  EXPECT_EQ(binary(0x16, 3, 5), 1);
  EXPECT_EQ(binary(0x17, 3, 0), 0);
  EXPECT_EQ(binary(0x17, 3, -1), 1);
  EXPECT_EQ(binary(0x18, 0, 0), 0);
  EXPECT_EQ(binary(0x18, 0, 2), 1);
}

TEST(OperatorsTest, TheErrorValuePassesThroughEveryComparison) {
  for (std::uint8_t code = 0x10; code <= 0x18; ++code) {
    EXPECT_TRUE(is_error_value(binary(code, error_value(), 1))) << int(code);
    EXPECT_TRUE(is_error_value(binary(code, 0, error_value()))) << int(code);
  }
}

TEST(OperatorsTest, OtherNotANumberValuesAreOrdinaryOperands) {
  EXPECT_EQ(binary(0x10, other_nan, 1), 0);
  EXPECT_EQ(binary(0x13, other_nan, 1), 0);
  EXPECT_EQ(binary(0x15, other_nan, other_nan), 0);
  EXPECT_EQ(binary(0x14, other_nan, other_nan), 1);
  EXPECT_EQ(binary(0x17, other_nan, 1), 1);
  EXPECT_EQ(binary(0x16, other_nan, 0), 0);
}

TEST(OperatorsTest, UnknownBinaryCodes) {
  double result = 12345;
  for (int code : {0x07, 0x0F, 0x19, 0x1F, 0x20, 0x30, 0xFF}) {
    EXPECT_EQ(runner::binary_operator(std::uint8_t(code), error_value(), 1, result),
              runner::operator_unknown)
        << code;
  }
  EXPECT_EQ(result, 12345);
}

// ---- Unary operators

TEST(OperatorsTest, SignsAndFunctions) {
  EXPECT_EQ(unary(0x00, 4), 4);
  EXPECT_EQ(unary(0x01, 4), -4);
  EXPECT_EQ(unary(0x30, 1), std::exp(1.0));
  EXPECT_EQ(unary(0x31, 8), std::log(8.0));
  EXPECT_EQ(unary(0x40, 1), std::sin(1.0));
  EXPECT_EQ(unary(0x41, 1), std::cos(1.0));
  EXPECT_EQ(unary(0x42, 0.5), std::asin(0.5));
  EXPECT_EQ(unary(0x43, 0.5), std::acos(0.5));
  EXPECT_EQ(unary(0x44, 2), std::atan(2.0));
}

TEST(OperatorsTest, LogicalNot) {
  EXPECT_EQ(unary(0x20, 0), 1);
  EXPECT_EQ(unary(0x20, -0.0), 1);
  EXPECT_EQ(unary(0x20, 3), 0);
  EXPECT_EQ(unary(0x20, other_nan), 0);
  EXPECT_TRUE(is_error_value(unary(0x20, error_value())));
  // The rest of the group passes the error value before the code is looked at.
  EXPECT_TRUE(is_error_value(unary(0x2F, error_value())));
  double result;
  EXPECT_EQ(runner::unary_operator(0x21, 1, result), runner::operator_unknown);
}

TEST(OperatorsTest, AbsFracInfNan) {
  EXPECT_EQ(bits(unary(0x50, -0.0)), bits(-0.0));
  EXPECT_EQ(unary(0x50, -3), 3);
  EXPECT_EQ(bits(unary(0x50, other_nan)), bits(other_nan));
  EXPECT_EQ(unary(0x51, -2.25), 0.75);
  EXPECT_EQ(unary(0x51, 3), 0);
  EXPECT_EQ(unary(0x51, inf), 0);
  EXPECT_EQ(unary(0x52, inf), 1);
  EXPECT_EQ(unary(0x52, -inf), 1);
  EXPECT_EQ(unary(0x52, other_nan), 1);
  EXPECT_EQ(unary(0x52, error_value()), 0);
  EXPECT_EQ(unary(0x52, 7), 0);
  EXPECT_EQ(unary(0x53, error_value()), 1);
  EXPECT_EQ(unary(0x53, other_nan), 0);
  EXPECT_EQ(unary(0x53, 1), 0);
}

TEST(OperatorsTest, Factorial) {
  EXPECT_EQ(unary(0x32, 5), 120);
  EXPECT_EQ(unary(0x32, 5.5), 120);
  EXPECT_EQ(unary(0x32, 0.5), 1);
  EXPECT_EQ(unary(0x32, 0), 1);
  EXPECT_TRUE(std::isfinite(unary(0x32, 170)));
  EXPECT_EQ(unary(0x32, 171), inf);
  EXPECT_TRUE(is_error_value(unary(0x32, -1)));
}

TEST(OperatorsTest, UnknownUnaryCodes) {
  double result;
  for (int code : {0x02, 0x10, 0x33, 0x45, 0x54, 0x60, 0xFE, 0xFF})
    EXPECT_EQ(runner::unary_operator(std::uint8_t(code), 1, result), runner::operator_unknown)
        << code;
}

// ---- Standard objects

class StandardObjectTest : public ::testing::Test {
protected:
  double call(std::uint8_t code, std::initializer_list<double> args) {
    for (double a : args) machine.values.push(a, 16);
    double result = 12345;
    last = runner::standard_object(machine, code, std::uint32_t(args.size()), result);
    return result;
  }
  runner::MachineState machine;
  std::uint8_t last = 0;
};

TEST_F(StandardObjectTest, SumAndAverage) {
  EXPECT_EQ(call(1, {}), 0);
  EXPECT_EQ(call(1, {1, 2, 3.5}), 6.5);
  EXPECT_EQ(machine.values.count, 0u);
  EXPECT_TRUE(is_error_value(call(2, {})));
  EXPECT_EQ(call(2, {1, 2, 6}), 3);
}

// The running sum is wider than a double and rounded once at the end.
TEST_F(StandardObjectTest, SumRoundsOnce) {
  EXPECT_EQ(call(1, {1e16, 1, 1}), 1e16 + 2);
  EXPECT_EQ(call(1, {1, 1, 1e16}), 1e16 + 2);
}

TEST_F(StandardObjectTest, RandomValuesRepeatFromTheStart) {
  std::vector<double> first;
  for (int i = 0; i < 5; ++i) first.push_back(call(0, {}));
  runner::MachineState fresh;
  for (double v : first) {
    double again;
    ASSERT_EQ(runner::standard_object(fresh, 0, 0, again), 0);
    EXPECT_EQ(again, v);
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 1);
    EXPECT_EQ(v * 32767, std::round(v * 32767));
  }
  EXPECT_NE(first[0], first[1]);
}

TEST_F(StandardObjectTest, RndWithArgumentsAndUnknownCodes) {
  call(0, {1});
  EXPECT_EQ(last, runner::operator_rnd_arguments);
  call(3, {});
  EXPECT_EQ(last, runner::operator_unknown);
}

} // namespace
