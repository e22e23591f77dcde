#include "image/output_limits.h"

#include <gtest/gtest.h>

namespace tadjust {
namespace {

TEST(TemperatureLimits, WidenTheRangeByAFractionOfTheSpan) {
  struct Case {
    int lo, hi;
    bool reversed;
    int lower, upper;
  };
  const Case cases[] = {
      {0, 100, false, -2, 104},       // −1.25 and 103.125
      {-100, 800, false, -112, 829},  // −111.25 and 828.125
      {0, 1000, false, -13, 1032},
      {0, 30, false, -1, 31},
      {400, 1800, false, 382, 1844},
      {150, 1000, false, 139, 1027},
      {-100, 800, true, -129, 812},  // −128.125 and 811.25
      {-100, 1000, true, -135, 1014},
      // Exact multiples: 80 × 0.0125 and 32 × 0.03125 are whole; no step beyond them.
      {0, 80, false, -1, 83},
      {0, 160, false, -2, 165},
      {0, 320, true, -10, 324},
      {-60, 180, false, -63, 188},
  };
  for (const Case& c : cases) {
    const TemperatureLimits limits = temperatureLimits(c.lo, c.hi, c.reversed);
    EXPECT_EQ(limits.lower, c.lower) << c.lo << ".." << c.hi << (c.reversed ? " reversed" : "");
    EXPECT_EQ(limits.upper, c.upper) << c.lo << ".." << c.hi << (c.reversed ? " reversed" : "");
  }
}

TEST(InputLimitHighRaw, CeilingOfTheLastSignalFromItsExactValue) {
  struct Case {
    SignalRawScale scale;
    std::int32_t thousandths;
    std::uint16_t raw;
  };
  const Case cases[] = {
      {kSeries7VoltageScale, 42518, 47918},      // K at 1032 °C: exactly 47918, not 47919
      {kSeries9VoltageScale, 42518, 26659},      // (42.518 + 10.8) × 500
      {kSeries9VoltageScale, 42517, 26659},      // 26658.5 up
      {kResistanceSignalScale, 140384, 17077},   // (140.384 − 55) × 200 = 17076.8
      {kResistanceSignalScale, 140385, 17077},   // exactly 17077
      {kResistanceSignalScale, 55000, 2},        // 0, kept at 2
      {kResistanceSignalScale, 390481, 0xFFFD},  // 67096.2, kept at 0xFFFD
      {kSeries7VoltageScale, 60200, 0xFFFD},
  };
  for (const Case& c : cases)
    EXPECT_EQ(inputLimitHighRaw(c.scale, c.thousandths), c.raw) << c.thousandths;
}

TEST(RawInputLimits, VoltageAndResistanceWindows) {
  struct Case {
    std::uint16_t low, high;
    bool reversed;
    std::uint16_t limitLow, limitHigh;
  };
  const Case cases[] = {
      // d = 8000: 8000/80 = 100 exactly (8000 × 0.0125 in doubles is not), 8000/32 = 250.
      {5400, 13400, false, 5300, 13650},
      {5400, 13400, true, 5150, 13500},
      {1000, 1081, false, 998, 1084},  // 1000 − 1.0125 floors to 998; 1081 + 2.53 ceils to 1084
      {0, 55400, false, 2, 57132},     // −692.5 kept at 2
      {60000, 65400, false, 59932, 0xFFFD},  // 65568.75 kept at 0xFFFD
      // Upper below lower: the span is the 16-bit difference, 65535.
      {101, 100, false, 2, 2148},
  };
  for (const Case& c : cases) {
    const RawInputLimits limits = rawInputLimits(c.low, c.high, c.reversed);
    EXPECT_EQ(limits.low, c.limitLow) << c.low << ".." << c.high;
    EXPECT_EQ(limits.high, c.limitHigh) << c.low << ".." << c.high;
  }
}

TEST(ExactDivision, FloorCeilingAndTiesToEven) {
  EXPECT_EQ(floorDiv(-5, 2), -3);
  EXPECT_EQ(floorDiv(5, 2), 2);
  EXPECT_EQ(ceilDiv(-5, 2), -2);
  EXPECT_EQ(ceilDiv(5, 2), 3);
  EXPECT_EQ(roundHalfEvenDiv(5, 2), 2);
  EXPECT_EQ(roundHalfEvenDiv(7, 2), 4);
  EXPECT_EQ(roundHalfEvenDiv(-5, 2), -2);
  EXPECT_EQ(roundHalfEvenDiv(-7, 2), -4);
  EXPECT_EQ(roundHalfEvenDiv(44218, 5), 8844);
  EXPECT_EQ(roundHalfEvenDiv(-3, 5), -1);
}

}  // namespace
}  // namespace tadjust
