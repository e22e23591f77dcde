#include "numbers/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tadjust {
namespace {

Decimal d(const char* text) {
  const auto value = Decimal::parse(text);
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(Decimal());
}

TEST(Decimal, ParseReadsTheExactValueNormalised) {
  const struct {
    const char* text;
    std::int64_t mantissa;
    int exponent;
  } cases[] = {
      {"0.235", 235, -3},
      {"-0.125", -125, -3},
      {"1.5e-3", 15, -4},
      {"7e+2", 7, 2},
      {"800", 8, 2},
      {"007.50", 75, -1},
      {"-0", 0, 0},
      {"0.000", 0, 0},
      {"5.", 5, 0},
      {".5", 5, -1},
      {"123456789012345678", 123456789012345678, 0},
      {"0.000000000000000000000001", 1, -24},
      {"1000000000000000000000", 1, 21},
      {"1e99999", 1, 99999},
  };
  for (const auto& c : cases) {
    const Decimal value = d(c.text);
    EXPECT_EQ(value.mantissa(), c.mantissa) << c.text;
    EXPECT_EQ(value.exponent(), c.exponent) << c.text;
  }
  EXPECT_EQ(d("12.50"), d("1.25e1"));
}

TEST(Decimal, ParseRefusesOtherTextsAndNumbersItCannotHoldExactly) {
  for (const char* text : {"", "-", ".", "e5", "1e", "1e+", "1.2.3", "1,5", "+5", " 1", "1 ", "--1",
                           "0x10", "inf", "1234567890123456789", "1e100000", "1e-100001"})
    EXPECT_FALSE(Decimal::parse(text).has_value()) << '"' << text << '"';
}

TEST(Decimal, OfDoubleIsTheShortestTextThatReadsBackAsTheDouble) {
  const struct {
    double value;
    const char* exact;
  } cases[] = {
      {0.235, "0.235"},
      {55.035, "55.035"},
      {11007 / 200.0, "55.035"},
      {0.1 + 0.2, "0.30000000000000004"},
      {1.0 / 3, "0.3333333333333333"},
      {-1092.2666666666667, "-1092.2666666666667"},
      {-0.0, "0"},
      {65535, "65535"},
      {2.5e-3, "0.0025"},
  };
  for (const auto& c : cases) {
    const auto exact = Decimal::ofDouble(c.value);
    ASSERT_TRUE(exact.has_value()) << c.exact;
    EXPECT_EQ(exact->toString(), c.exact);
    EXPECT_EQ(exact->toDouble(), c.value) << c.exact;
  }
  EXPECT_EQ(Decimal::ofDouble(1e300), d("1e300"));
  EXPECT_EQ(Decimal::ofDouble(5e-324), d("5e-324"));
  EXPECT_FALSE(Decimal::ofDouble(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_FALSE(Decimal::ofDouble(std::nan("")).has_value());
}

TEST(Decimal, ToDoubleIsTheNearestDouble) {
  EXPECT_EQ(d("0.1").toDouble(), 0.1);
  EXPECT_EQ(d("-5.4").toDouble(), -5.4);
  EXPECT_EQ(d("1e99999").toDouble(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(d("-1e-99999").toDouble(), 0.0);
}

TEST(Decimal, Round2RoundsTheExactValueToEvenHundredths) {
  const struct {
    const char* value;
    const char* rounded;
  } cases[] = {
      {"0.235", "0.24"},    {"55.035", "55.04"},   {"1.245", "1.24"},
      {"0.125", "0.12"},    {"0.135", "0.14"},     {"-0.125", "-0.12"},
      {"-0.456", "-0.46"},  {"-0.455", "-0.46"},   {"0.0025", "0"},
      {"0.005", "0"},       {"0.015", "0.02"},     {"0.0051", "0.01"},
      {"-0.0049", "0"},     {"382.675", "382.68"}, {"-1092.265", "-1092.26"},
      {"0.7", "0.7"},       {"-10", "-10"},        {"123456789012.345", "123456789012.34"},
      {"1e300", "1e300"},   {"1e-300", "0"},       {"0.0333333333333333", "0.03"},
      {"4999.995", "5000"}, {"-0.995", "-1"},
  };
  for (const auto& c : cases) EXPECT_EQ(d(c.value).round2(), d(c.rounded)) << c.value;
  // Mantissas of 19 digits, 21 decimals: just above and just below half a hundredth.
  EXPECT_EQ(Decimal::scaled(5000000000000000001, -21).round2(), d("0.01"));
  EXPECT_EQ(Decimal::scaled(-4999999999999999999, -21).round2(), Decimal());
  EXPECT_EQ(Decimal::scaled(9000000000000000000, -22).round2(), Decimal());
}

TEST(Decimal, FloorAndCeilingOfLinearMapsAreExact) {
  const struct {
    const char* x;
    const char* offset;
    const char* factor;
    std::int64_t floor;
    std::int64_t ceiling;
  } cases[] = {
      {"0.7", "0", "30", 21, 21},  // in doubles 20.999999999999996
      {"-0.1", "0", "30", -3, -3},
      {"2.3", "0", "30", 69, 69},
      {"25", "200", "30", 6750, 6750},
      {"-6", "5.4", "1000", -600, -600},
      {"50", "5.4", "1000", 55400, 55400},
      {"-10.8", "10.8", "500", 0, 0},
      {"0.5", "0", "200", 100, 100},
      {"0.5", "0", "40", 20, 20},
      {"60.001", "-55", "200", 1000, 1001},
      {"300.01", "-275", "40", 1000, 1001},
      {"-0.01", "0", "1", -1, 0},
      {"-0.01", "0", "-1", 0, 1},
      {"1e-50", "0", "1", 0, 1},
      {"-1e-50", "0", "1", -1, 0},
      {"1.99999999999999999", "0", "1", 1, 2},
      {"12345678901234567", "0", "100", 1234567890123456700, 1234567890123456700},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(floorOfLinear(d(c.x), d(c.offset), d(c.factor)), c.floor) << c.x << " " << c.offset;
    EXPECT_EQ(ceilOfLinear(d(c.x), d(c.offset), d(c.factor)), c.ceiling) << c.x << " " << c.offset;
  }
}

TEST(Decimal, LinearMapsBeyondTheirArithmeticGiveNoValue) {
  EXPECT_FALSE(floorOfLinear(d("1e18"), d("0"), d("1000")).has_value());      // beyond 64 bits
  EXPECT_FALSE(floorOfLinear(d("1e-300"), d("5.4"), d("1000")).has_value());  // 300 orders apart
  EXPECT_FALSE(ceilOfLinear(d("1e300"), d("0"), d("1")).has_value());
  EXPECT_EQ(floorOfLinear(d("1e-30"), d("5.4"), d("1000")), 5400);  // 31 orders still fit
}

}  // namespace
}  // namespace tadjust
