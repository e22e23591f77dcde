#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

namespace tadjust::number_text {
namespace {

struct FormatCase {
  double value;
  const char* text;
};

TEST(NumberText, GeneralFormatWritesUpTo15SignificantDigitsWithoutExponentOrTrailingZeros) {
  const FormatCase cases[] = {
      {1.0 / 30, "0,0333333333333333"},
      {(6001 - 6000) / 30.0, "0,0333333333333333"},
      {1913.375, "1913,375"},
      {-5.4, "-5,4"},
      {60.1, "60,1"},
      {382.675, "382,675"},
      {800, "800"},
      {-0.5, "-0,5"},
      {0, "0"},
      {-0.0, "0"},
      {0.001, "0,001"},
      {0.00001, "0,00001"},
      {65535, "65535"},
      {-65535.99, "-65535,99"},
      {0.1 + 0.2, "0,3"},
      {327.67 * 200, "65534"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456789.0, "1,23456789012346E+18"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatGeneral(c.value, ','), c.text) << c.value;
  EXPECT_EQ(formatGeneral(-5.4, '.'), "-5.4");
}

TEST(NumberText, FixedFormatWritesTwoDecimals) {
  const FormatCase cases[] = {
      {23.45, "23,45"}, {50.12, "50,12"}, {-5, "-5,00"}, {0, "0,00"}, {327.67, "327,67"}};
  for (const auto& c : cases) EXPECT_EQ(formatFixed2(c.value, ','), c.text) << c.value;
  EXPECT_EQ(formatFixed2(2345 * 0.01, '.'), "23.45");
}

// round2 rounds the decimal value the double stands for, not the binary accident beside it:
// the double nearest 55.035 lies below it, the one nearest 1.245 above it.
TEST(NumberText, Round2RoundsTheExactValueHalfwayToEven) {
  const FormatCase cases[] = {
      {0.235, "0,24"},        {55.035, "55,04"},       {1.245, "1,24"},
      {0.125, "0,12"},        {0.135, "0,14"},         {-0.125, "-0,12"},
      {-0.456, "-0,46"},      {2.5e-3, "0"},           {0.015, "0,02"},
      {382.675, "382,68"},    {1.0 / 30, "0,03"},      {-15 / 30.0, "-0,5"},
      {0.7, "0,7"},           {-1092.265, "-1092,26"}, {11007 / 200.0, "55,04"},
      {235 / 1000.0, "0,24"}, {1245 / 1000.0, "1,24"}, {123456789.125, "123456789,12"},
      {-32768.005, "-32768"}, {1e300, "1E+300"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatGeneral(round2(c.value), ','), c.text) << c.value;
  EXPECT_TRUE(std::isnan(round2(std::nan(""))));
  EXPECT_EQ(round2(-INFINITY), -INFINITY);
}

TEST(NumberText, ParseRealAcceptsTheSeparatorSignsBlanksAndExponent) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12,5", 12.5}, {" -5,4 ", -5.4},   {"+3", 3},       {",5", 0.5}, {"5,", 5},
      {"800", 800},   {"1,5E-3", 0.0015}, {"-0,03e2", -3}, {"0", 0},
  };
  for (const auto& c : cases) {
    const auto value = parseReal(c.text, ',');
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
  }
  EXPECT_EQ(parseReal("12.5", '.'), 12.5);
}

TEST(NumberText, ParseRealRejectsWhatIsNotANumber) {
  for (const char* text : {"", " ", "1 913,375", "1.913,375", "12.5", "12,5,", "12a", "-", ",",
                           "+-5", "e5", "1e", "1e+", "inf", "nan", "0x10", "1e999x"})
    EXPECT_FALSE(parseReal(text, ',').has_value()) << '"' << text << '"';
  for (const char* text : {"12,5", "1,913.375", "1 913.375"})
    EXPECT_FALSE(parseReal(text, '.').has_value()) << '"' << text << '"';
}

// One rule for numbers beyond a double: too large is the largest double of its sign (a box then
// clamps it to its limit like any other value beyond it), too small is 0.
TEST(NumberText, ParseRealTakesNumbersBeyondADoubleAsTheirNearestEnd) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  const std::string digits400(400, '9');
  const std::string digits300(300, '9');
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"1e999", kLargest},
      {"-1E400", -kLargest},
      {digits400, kLargest},
      {"-" + digits400 + ",5", -kLargest},
      {"0," + std::string(400, '0') + "1e800", kLargest},
      {"1e-400", 0},
      {"-1e-400", 0},
      {"0," + std::string(400, '0') + "1", 0},
      {"1e-99999999999999999999", 0},
      {"1e99999999999999999999", kLargest},
  };
  for (const auto& c : cases) {
    const auto value = parseReal(c.text, ',');
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
  // Within a double's range nothing changes: 300 nines are a large, finite number.
  EXPECT_DOUBLE_EQ(*parseReal(digits300, ','), 1e300);
}

TEST(NumberText, ParseDecimalReadsTheSameTextsExactly) {
  EXPECT_EQ(parseDecimal(" -0,7 ", ','), Decimal::scaled(-7, -1));
  EXPECT_EQ(parseDecimal("+2,3", ','), Decimal::scaled(23, -1));
  EXPECT_EQ(parseDecimal("1,5E-3", ','), Decimal::scaled(15, -4));
  EXPECT_EQ(parseDecimal("55.035", '.'), Decimal::scaled(55035, -3));
  EXPECT_EQ(parseDecimal("5,", ','), Decimal::ofInteger(5));
  for (const char* text :
       {"", "1 913,375", "12.5", "12a", "-", "1e", "inf", "1e999", "0,1234567890123456789"})
    EXPECT_FALSE(parseDecimal(text, ',').has_value()) << '"' << text << '"';
}

TEST(NumberText, ParseIntegerAcceptsDigitsWithSignAndRejectsTheRest) {
  EXPECT_EQ(parseInteger("42"), 42);
  EXPECT_EQ(parseInteger("-7"), -7);
  EXPECT_EQ(parseInteger("+7"), 7);
  EXPECT_EQ(parseInteger(" 12 "), 12);
  for (const char* text :
       {"", " ", "1,0", "1.0", "+-5", "--5", "- 5", "12a", "1 000", "99999999999999999999"})
    EXPECT_FALSE(parseInteger(text).has_value()) << '"' << text << '"';
}

// A grouping is never a decimal point; every other single separator of the other kind still is.
TEST(NumberText, AGroupingOfTheOtherKindIsNoNumber) {
  struct Case {
    const char* text;
    char separator;
    bool grouping;
    std::optional<double> value;
  };
  for (const Case& c : {
           Case{"4.000", ',', true, std::nullopt},
           Case{"2,000", '.', true, std::nullopt},
           Case{"-1.250", ',', true, std::nullopt},
           Case{"999,999", '.', true, std::nullopt},
           Case{"22,5", '.', false, 22.5},
           Case{"0,507", '.', false, 0.507},
           Case{"-0.5", ',', false, -0.5},
           Case{"1234.5", ',', false, 1234.5},
           Case{"1234.500", ',', false, 1234.5},  // four digits before: no grouping
           Case{"12.50", ',', false, 12.5},       // two after
           Case{"12.5000", ',', false, 12.5},     // four after
           Case{"-0.250", ',', false, -0.25},     // starts with 0
           Case{"4,000", ',', false, 4.0},        // the system's own separator
           Case{"+4.000", ',', true, std::nullopt},
           Case{" 4.000 ", ',', true, std::nullopt},
       }) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(isGrouping(c.text, c.separator), c.grouping);
    EXPECT_EQ(parseReal(withDecimalSeparator(c.text, c.separator), c.separator), c.value);
  }
}

// The QString functions follow the system's decimal separator.
class SystemNumberText : public ::testing::Test {
 protected:
  void TearDown() override { QLocale::setDefault(saved_); }
  QLocale saved_;
};

TEST_F(SystemNumberText, CommaLocale) {
  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
  EXPECT_EQ(systemDecimalSeparator(), ',');
  EXPECT_EQ(general(1.0 / 30), "0,0333333333333333");
  EXPECT_EQ(general(1913.375), "1913,375");
  EXPECT_EQ(fixed2(-5), "-5,00");
  EXPECT_EQ(integer(-12345), "-12345");
  EXPECT_EQ(readReal("1,5"), 1.5);
  EXPECT_EQ(readReal("1.5"), 1.5);  // typed with the other separator
  EXPECT_EQ(readDecimal("-0,1"), Decimal::scaled(-1, -1));
  EXPECT_EQ(readDecimal("-0.1"), Decimal::scaled(-1, -1));
  EXPECT_FALSE(readReal("1.913,375").has_value());
  EXPECT_FALSE(readReal("1.913.375").has_value());
  EXPECT_FALSE(readReal(QString::fromUtf8("1\u00a0913,375")).has_value());
  EXPECT_FALSE(readReal("1 913,375").has_value());
  EXPECT_EQ(readInteger("-40"), -40);
}

TEST_F(SystemNumberText, PointLocale) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(systemDecimalSeparator(), '.');
  EXPECT_EQ(general(1.0 / 30), "0.0333333333333333");
  EXPECT_EQ(general(1913.375), "1913.375");
  EXPECT_EQ(fixed2(23.45), "23.45");
  EXPECT_EQ(readReal("1.5"), 1.5);
  EXPECT_EQ(readReal("1,5"), 1.5);
  EXPECT_EQ(readDecimal("-0.1"), Decimal::scaled(-1, -1));
  EXPECT_EQ(readDecimal("-0,1"), Decimal::scaled(-1, -1));
  EXPECT_EQ(readReal("1,5E-3"), 0.0015);
  EXPECT_FALSE(readReal("1,913.375").has_value());
  EXPECT_FALSE(readReal("1,913,375").has_value());
  EXPECT_FALSE(readReal("1 913,375").has_value());
}

}  // namespace
}  // namespace tadjust::number_text
