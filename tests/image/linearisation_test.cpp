#include "image/linearisation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "image/cold_junction_table.h"
#include "image/output_limits.h"
#include "image/sensor_reference_tables.h"
#include "support/sensor_type_names.h"

namespace tadjust {
namespace {

using namespace transmitter;
using Block = std::array<std::uint8_t, kTransmitterBlockSize>;

// The segment fit walked literally, one point per step and every restart from the beginning:
// the reference for the accelerated walk.
SegmentFit literalFit(const ReferenceWindow& window, double tol, int step) {
  SegmentFit fit;
  const auto& s = window.signalValues;
  const int n = static_cast<int>(window.size());
  const auto t = [&](int k) { return static_cast<double>(window.firstTemperature) + k; };
  const int last = n - 1;
  Breakpoint bp{t(0), s[0], 0, 0};
  double m = (t(last) - t(0)) / (s[last] - s[0]);
  int j = 0;
  int start = 0;
  for (;;) {
    int k = start + 1;
    int phase = 0;
    double prediction = 0;
    do {
      prediction = (s[k] - bp.signal) * m + bp.temperature;
      const double err = prediction - t(k);
      if (err < -tol) {
        if (phase == 0 || phase == 1) {
          m = m + 0.0001;
          k = start + step;
          phase = 1;
        } else if (phase == 2) {
          phase = 4;
        }
      } else if (err > tol) {
        if (phase == 0 || phase == 2) {
          m = m - 0.0001;
          k = start + step;
          phase = 2;
        } else if (phase == 1) {
          phase = 3;
        }
      } else {
        k = k + 1;
      }
    } while (!(k >= n - step || phase >= 3));
    if (k >= n - 1) break;
    bp.slope = m;
    if (j < 20) fit.breakpoints[static_cast<std::size_t>(j)] = bp;
    ++j;
    start = k;
    bp = {prediction, s[k], 0, k};
    m = (t(last) - t(k)) / (s[last] - s[k]);
  }
  fit.segments = j;
  return fit;
}

Block preparedBlock() {
  Block block{};
  for (std::size_t i = 0; i < LinSignal.count; ++i) LinSignal.set(block, i, 0xFFFF);
  for (std::size_t i = 0; i < CjcTemp.count; ++i) CjcTemp.set(block, i, 0xFFFF);
  return block;
}

struct Built {
  LinearisationResult result;
  Block block;
};

Built build(SensorType sensorType, unsigned series, int lo, int hi, bool reversed = false) {
  const TemperatureLimits limits = temperatureLimits(lo, hi, reversed);
  Built b{{}, preparedBlock()};
  b.result = buildLinearisation(sensorType, series, limits.lower, limits.upper, hi - lo, b.block);
  return b;
}

double breakpointTemperature(const Built& b, std::size_t i) {
  return b.result.breakpoints[i].temperature;
}

// --- Examples with known tables ----------------------------------------------------------------

TEST(Linearisation, Pt100ZeroToHundred) {
  const Built b = build(kPt100, 7, 0, 100);
  ASSERT_TRUE(b.result.writable());
  EXPECT_EQ(b.result.referencePoints, 107);
  EXPECT_EQ(b.result.firstTemperature, -2);
  EXPECT_EQ(b.result.lastTemperature, 104);
  EXPECT_EQ(b.result.passes, 1);
  EXPECT_DOUBLE_EQ(b.result.fitTolerance, 0.01);
  ASSERT_EQ(b.result.segments, 5);
  const double starts[] = {-2, 17, 40, 64, 87};
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_NEAR(breakpointTemperature(b, i), starts[i], 1.0) << "segment " << i;
  EXPECT_EQ(LinTemp.get(b.block, 0), 5940);
  EXPECT_EQ(LinSignal.get(b.block, 0), 8844);  // (99.218 − 55) × 200 = 8843.6
  EXPECT_EQ(LinSlopeShift.get(b.block), 16);
  EXPECT_EQ(CjcSlopeShift.get(b.block), 0);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(CjcTemp.get(b.block, i), 0xFFFF);
    EXPECT_EQ(CjcSlope.get(b.block, i), 0);
    EXPECT_EQ(CjcSignal.get(b.block, i), 0);
  }
  for (std::size_t i = 5; i < 20; ++i) {
    EXPECT_EQ(LinSignal.get(b.block, i), 0xFFFF);
    EXPECT_EQ(LinSlope.get(b.block, i), 0);
    EXPECT_EQ(LinTemp.get(b.block, i), 0);
  }
  // Pt100 near 0 °C: about 2.6 °C per Ohm, × 2^16 × 0.15.
  EXPECT_NEAR(LinSlope.get(b.block, 0), 2.56 * 9830.4, 500);
}

TEST(Linearisation, ThermocoupleKSeries7ZeroToThousand) {
  const Built b = build(kThermocoupleK, 7, 0, 1000);
  ASSERT_TRUE(b.result.writable());
  EXPECT_EQ(b.result.referencePoints, 1046);
  EXPECT_EQ(segmentStep(kThermocoupleK), 10);
  const ReferenceWindow window = referenceWindow(kThermocoupleK, 7, -13, 1032);
  EXPECT_EQ(fitSegments(window, 0.0001 * 1000, 10).segments, 25);
  EXPECT_EQ(b.result.passes, 2);
  EXPECT_EQ(b.result.segments, 19);
  EXPECT_EQ(LinTemp.get(b.block, 0), 5610);
  EXPECT_EQ(LinSignal.get(b.block, 0), 4892);  // −0.508 mV
  EXPECT_EQ(LinSlopeShift.get(b.block), 16);
  EXPECT_EQ(CjcSlopeShift.get(b.block), 15);
  const std::uint16_t cjcTemp[] = {4500, 4861, 5311, 5821, 6451, 7141, 8071};
  const ColdJunctionRow& row = coldJunctionRow(kThermocoupleK, 7);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(CjcTemp.get(b.block, i), cjcTemp[i]);
    EXPECT_EQ(CjcSlope.get(b.block, i), row.slope[i]);
    EXPECT_EQ(CjcSignal.get(b.block, i), row.signal[i]);
  }
  EXPECT_EQ(LinSignal.get(b.block, 19), 0xFFFF);
  EXPECT_EQ(inputLimitHighRaw(*signalRawScale(kThermocoupleK, 7), b.result.lastSignalThousandths),
            47918);
}

TEST(Linearisation, WindowsWithKnownSegmentCountsAndTolerances) {
  struct Case {
    SensorType sensorType;
    unsigned series;
    int lo, hi;
    int firstTemperature, lastTemperature;
    int passes;
    int segments;
  };
  const Case cases[] = {
      {kThermocoupleB, 7, 400, 1800, 382, 1844, 3, 18},
      {kPt100, 7, -100, 800, -112, 829, 1, 15},
      {kPt100, 9, 0, 30, -1, 31, 1, 3},
      {kNi100, 9, 0, 30, -1, 31, 1, 6},
      {kThermocoupleN, 7, 500, 1300, 490, 1325, 10, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "sensor " << c.sensorType << " " << c.lo << ".." << c.hi);
    const Built b = build(c.sensorType, c.series, c.lo, c.hi);
    ASSERT_TRUE(b.result.writable());
    EXPECT_EQ(b.result.firstTemperature, c.firstTemperature);
    EXPECT_EQ(b.result.lastTemperature, c.lastTemperature);
    EXPECT_EQ(b.result.passes, c.passes);
    EXPECT_EQ(b.result.segments, c.segments);
  }
}

TEST(Linearisation, ToleranceGrowsUntilTwentySegmentsOrFewer) {
  // Thermocouple B of series 7, 400 to 1800 °C: 36, 23 and 18 segments at 0.01, 0.02, 0.03 %.
  const ReferenceWindow window = referenceWindow(kThermocoupleB, 7, 382, 1844);
  EXPECT_EQ(fitSegments(window, 0.0001 * 1400, 2).segments, 36);
  EXPECT_EQ(fitSegments(window, 0.0002 * 1400, 2).segments, 23);
  EXPECT_EQ(fitSegments(window, 0.0003 * 1400, 2).segments, 18);
  EXPECT_NEAR(build(kThermocoupleB, 7, 400, 1800).result.fitTolerance, 0.03, 1e-12);
}

TEST(Linearisation, SmallestSpanStartsSegmentsWhereExpected) {
  const Built pt = build(kPt100, 7, 0, 30);
  ASSERT_EQ(pt.result.segments, 3);
  EXPECT_EQ(pt.result.referencePoints, 33);
  EXPECT_EQ(breakpointTemperature(pt, 0), -1);
  EXPECT_NEAR(breakpointTemperature(pt, 1), 10, 1.0);
  EXPECT_NEAR(breakpointTemperature(pt, 2), 24, 1.0);
}

TEST(Linearisation, ShiftAndMultiplierBySensorAndSeries) {
  struct Case {
    SensorType sensorType;
    unsigned series;
    int lo, hi;
    int shift;
    double multiplier;
  };
  const Case cases[] = {
      {kPt100, 7, 0, 100, 16, 9830.4},
      {kNi100, 10, 0, 100, 16, 9830.4},
      {kThermocoupleB, 7, 600, 1600, 13, 245.76},
      {kThermocoupleR, 9, 100, 1500, 12, 245.76},
      {kThermocoupleS, 10, 100, 1500, 12, 245.76},
      {kThermocoupleN, 7, 0, 1000, 15, 983.04},
      // Lower limit Floor(150 − 850/80) = 139: shift 15; from 50 the limit is 38: shift 14.
      {kThermocoupleN, 9, 150, 1000, 15, 1966.08},
      {kThermocoupleN, 9, 50, 1000, 14, 983.04},
      {kThermocoupleK, 9, 0, 1000, 15, 1966.08},
      {kThermocoupleJ, 7, 0, 800, 16, 1966.08},
      {kThermocoupleT, 7, -50, 300, 15, 983.04},
      {kThermocoupleT, 9, -50, 300, 15, 1966.08},
      {kThermocoupleT, 9, -90, 300, 14, 983.04},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "sensor " << c.sensorType << " series " << c.series);
    const Built b = build(c.sensorType, c.series, c.lo, c.hi);
    ASSERT_TRUE(b.result.writable());
    EXPECT_EQ(LinSlopeShift.get(b.block), c.shift);
    EXPECT_EQ(b.result.slopeMultiplier, c.multiplier);
    EXPECT_EQ(CjcSlopeShift.get(b.block), isThermocouple(c.sensorType) ? 15 : 0);
  }
}

TEST(Linearisation, SignalWordsFollowTheSeriesScale) {
  // N at the lower limit 140 °C (range 151..1000) is 3.989 mV, at 142 °C (range 153..1000)
  // 4.051 mV. Series 7: (E + 5.4) × 1000. Series 9 and 10: (E + 10.8) × 500 gives the ties
  // 7394.5 and 7425.5, stored as the even 7394 and 7426.
  struct Case {
    int lo;
    int lowerLimit;
    std::int32_t thousandths;
    std::uint16_t series7Word, series9Word;
  };
  const Case cases[] = {{151, 140, 3989, 9389, 7394}, {153, 142, 4051, 9451, 7426}};
  for (const Case& c : cases) {
    ASSERT_EQ(sensorReferenceTable(kThermocoupleN).thousandthsAt(c.lowerLimit), c.thousandths);
    for (unsigned series : {7u, 9u, 10u}) {
      const Built b = build(kThermocoupleN, series, c.lo, 1000);
      ASSERT_TRUE(b.result.writable());
      EXPECT_EQ(LinSignal.get(b.block, 0), series == 7 ? c.series7Word : c.series9Word) << series;
      EXPECT_EQ(LinTemp.get(b.block, 0), (c.lowerLimit + 200) * 30);
    }
  }
}

TEST(Linearisation, StoresOnlyTheLinearisationFields) {
  Block block = preparedBlock();
  InputConfig.set(block, 0x3410);
  RangeLowRaw.set(block, 6000);
  InputLimitHighRaw.set(block, 1234);
  const Block before = block;
  const auto r = buildLinearisation(kThermocoupleJ, 9, -10, 820, 800, block);
  ASSERT_TRUE(r.writable());
  for (std::size_t offset = 0; offset < kTransmitterBlockSize; offset += 2) {
    const bool linearisationField = offset == 2 || offset == 4 || (offset >= 30 && offset < 192);
    if (!linearisationField) {
      EXPECT_EQ(readU16(block, offset), readU16(before, offset)) << "offset " << offset;
    }
  }
}

// --- Windows the transmitter cannot take as they stand ------------------------------------------

// Decodes the stored table as the device does and compares it with the fit: every stored word
// gives back its breakpoint within one raw step and its slope within one fixed-point step.
void expectStoredTableMatchesFit(const Built& b, SensorType sensorType, unsigned series) {
  const SignalRawScale scale = *signalRawScale(sensorType, series);
  const int shift = LinSlopeShift.get(b.block);
  ASSERT_GE(shift, kLowestLinSlopeShift);
  for (std::size_t i = 0; i < static_cast<std::size_t>(b.result.segments); ++i) {
    const Breakpoint& bp = b.result.breakpoints[i];
    const double temperatureRaw = (bp.temperature + 200) * 30;
    const double signalRaw = (bp.signal * 1000 - scale.zeroThousandths) / scale.thousandthsPerStep;
    EXPECT_LE(std::fabs(LinTemp.get(b.block, i) - temperatureRaw), 1.0) << i;
    EXPECT_LE(std::fabs(LinSignal.get(b.block, i) - signalRaw), 1.0) << i;
    EXPECT_GE(signalRaw, 0.0) << i;
    // Slope in temperature steps per signal step, as the device applies it.
    const double slopeRaw = bp.slope * scale.slopeFactor;
    EXPECT_LE(std::fabs(LinSlope.get(b.block, i) / std::ldexp(1.0, shift) - slopeRaw),
              std::ldexp(1.0, -shift))
        << i;
    if (i + 1 < static_cast<std::size_t>(b.result.segments)) {
      // Following the segment from its stored start reaches the next stored start.
      const double reached =
          LinTemp.get(b.block, i) + (LinSignal.get(b.block, i + 1) - LinSignal.get(b.block, i)) *
                                        LinSlope.get(b.block, i) / std::ldexp(1.0, shift);
      const double next = (b.result.breakpoints[i + 1].temperature + 200) * 30;
      EXPECT_LE(std::fabs(reached - next), 30.0 * 1.5) << i;
    }
  }
}

TEST(Linearisation, SteepSegmentsTakeTheWholeTableToASmallerShift) {
  struct Case {
    const char* what;
    SensorType sensorType;
    unsigned series;
    int lo, hi;
    bool reversed;
    int shift;
  };
  const Case cases[] = {
      // −100 to 900 °C: limits −113..932; the first segment needs 65536 at shift 16.
      {"K series 7 -100..900", kThermocoupleK, 7, -100, 900, false, 15},
      // Lower limit −141 °C.
      {"K series 7 -100..1200 reversed", kThermocoupleK, 7, -100, 1200, true, 15},
      // Lower limit 104 °C: shift 15 is usual from 100 °C on, but N is too flat there.
      {"N series 9 108..400", kThermocoupleN, 9, 108, 400, false, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Built b = build(c.sensorType, c.series, c.lo, c.hi, c.reversed);
    ASSERT_TRUE(b.result.writable());
    EXPECT_EQ(b.result.linSlopeShift, c.shift);
    EXPECT_EQ(LinSlopeShift.get(b.block), c.shift);
    EXPECT_LT(c.shift, usualLinSlopeShift(c.sensorType, c.series,
                                          temperatureLimits(c.lo, c.hi, c.reversed).lower));
    expectStoredTableMatchesFit(b, c.sensorType, c.series);
  }
}

TEST(Linearisation, PointsBelowTheSignalScaleAreLeftOut) {
  struct Case {
    const char* what;
    SensorType sensorType;
    unsigned series;
    int lo, hi;
    int lowerLimit;       // from the range
    int firstMeasurable;  // the first degree whose signal the device can measure
  };
  const Case cases[] = {
      // −129 °C is 48.4 Ohm; 55 Ohm is passed between −113 and −112 °C.
      {"Pt100 -100..800 reversed", kPt100, 7, -100, 800, -129, -112},
      // J passes −5.4 mV, the zero of the series-7 voltage scale, between −120 and −119 °C.
      {"J series 7 -100..1000 reversed", kThermocoupleJ, 7, -100, 1000, -135, -119},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto limits = temperatureLimits(c.lo, c.hi, true);
    EXPECT_EQ(limits.lower, c.lowerLimit);
    const Built b = build(c.sensorType, c.series, c.lo, c.hi, true);
    ASSERT_TRUE(b.result.writable());
    EXPECT_EQ(b.result.firstTemperature, c.firstMeasurable);
    const SignalRawScale scale = *signalRawScale(c.sensorType, c.series);
    const auto& table = sensorReferenceTable(c.sensorType);
    EXPECT_GE(table.thousandthsAt(c.firstMeasurable), scale.zeroThousandths);
    EXPECT_LT(table.thousandthsAt(c.firstMeasurable - 1), scale.zeroThousandths);
    EXPECT_EQ(LinTemp.get(b.block, 0), (c.firstMeasurable + 200) * 30);
    EXPECT_LT(LinSignal.get(b.block, 0), 200);  // near the scale's zero, not wrapped near 65535
    expectStoredTableMatchesFit(b, c.sensorType, c.series);
  }
}

TEST(Linearisation, RefusesWindowsItCannotStore) {
  struct Case {
    const char* what;
    SensorType sensorType;
    unsigned series;
    int lowerLimit, upperLimit, span;
    LinearisationRefusal refusal;
  };
  const auto b9 = temperatureLimits(400, 800, true);
  const Case cases[] = {
      // B of series 9 is already at shift 12; its flat low end needs more than 16 bits.
      {"B series 9 400..800 reversed", kThermocoupleB, 9, b9.lower, b9.upper, 400,
       LinearisationRefusal::kSlopeTooSteep},
      {"thermocouple on a series without a voltage scale", kThermocoupleK, 65, 0, 100, 100,
       LinearisationRefusal::kNoSignalScale},
      {"range 0..0 of an unknown series", kPt100, 65, 0, 0, 0, LinearisationRefusal::kTooFewPoints},
      {"window above the table", kThermocoupleT, 7, 500, 600, 100,
       LinearisationRefusal::kTooFewPoints},
      {"no span", kPt100, 7, 0, 10, 0, LinearisationRefusal::kEmptySpan},
      {"window entirely below 55 Ohm", kPt100, 7, -200, -120, 80,
       LinearisationRefusal::kTooFewPoints},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Block block = preparedBlock();
    const Block before = block;
    const auto r =
        buildLinearisation(c.sensorType, c.series, c.lowerLimit, c.upperLimit, c.span, block);
    EXPECT_FALSE(r.writable());
    EXPECT_EQ(r.refusal, c.refusal);
    EXPECT_EQ(block, before);
  }
}

// --- The accelerated walk against the literal one ------------------------------------------------

void expectSameFit(const ReferenceWindow& window, double tol, int step) {
  const SegmentFit fast = fitSegments(window, tol, step);
  const SegmentFit slow = literalFit(window, tol, step);
  ASSERT_EQ(fast.segments, slow.segments);
  const auto stored = std::min<std::size_t>(static_cast<std::size_t>(slow.segments), 20);
  for (std::size_t i = 0; i < stored; ++i) {
    const Breakpoint& a = fast.breakpoints[i];
    const Breakpoint& e = slow.breakpoints[i];
    // Bit for bit: the device gets the same words.
    ASSERT_EQ(std::memcmp(&a.temperature, &e.temperature, sizeof(double)), 0) << i;
    ASSERT_EQ(a.signal, e.signal) << i;
    ASSERT_EQ(std::memcmp(&a.slope, &e.slope, sizeof(double)), 0) << i;
    ASSERT_EQ(a.point, e.point) << i;
  }
}

TEST(AcceleratedWalk, RepeatedAdditionsCountedAtOnce) {
  // Slopes of every size the fit meets, nudges up and down, across binade edges (128, 256, 4,
  // 2, 1) and from just below them.
  const double starts[] = {
      2.4682, 24.0, 127.99995, 128.0, 255.9, 1.00002, 3.99999, 0.9999, std::nextafter(128.0, 0.0),
      64.0};
  const std::int64_t counts[] = {0, 1, 2, 3, 17, 1000, 123457, 2000000};
  for (const double start : starts) {
    for (const double delta : {kSlopeNudge, -kSlopeNudge}) {
      double literal = start;
      std::int64_t done = 0;
      for (const std::int64_t count : counts) {
        for (; done < count; ++done) literal = literal + delta;
        const double counted = repeatedlyAdded(start, delta, count);
        ASSERT_EQ(std::memcmp(&counted, &literal, sizeof(double)), 0)
            << start << " " << delta << " × " << count << ": " << counted << " against " << literal;
      }
    }
  }
}

TEST(AcceleratedWalk, MatchesTheLiteralWalkOverASweepOfWindows) {
  // Every sensor, both directions, ranges across each sensor's limits; each pass of the growing
  // tolerance is compared, so wide thermocouple windows are covered at several tolerances.
  struct Sweep {
    SensorType sensorType;
    unsigned series;
    int lo, hi, step;
  };
  const Sweep sweeps[] = {
      {kPt100, 7, -100, 800, 150},          {kNi100, 9, -60, 180, 60},
      {kThermocoupleB, 7, 400, 1800, 450},  {kThermocoupleR, 9, 0, 1600, 500},
      {kThermocoupleS, 7, 0, 1600, 500},    {kThermocoupleN, 9, -100, 1300, 350},
      {kThermocoupleK, 7, -100, 1200, 325}, {kThermocoupleJ, 7, -100, 1000, 275},
      {kThermocoupleT, 9, -100, 400, 125},
  };
  int compared = 0;
  for (const Sweep& sw : sweeps) {
    for (int lo = sw.lo; lo < sw.hi; lo += sw.step) {
      for (int hi = sw.hi; hi > lo + 30; hi -= sw.step + 17) {
        for (bool reversed : {false, true}) {
          SCOPED_TRACE(testing::Message() << "sensor " << sw.sensorType << " " << lo << ".." << hi
                                          << (reversed ? " reversed" : ""));
          const auto limits = temperatureLimits(lo, hi, reversed);
          const auto window = referenceWindow(sw.sensorType, sw.series, limits.lower, limits.upper);
          const LinearisationResult r =
              computeLinearisation(sw.sensorType, sw.series, limits.lower, limits.upper, hi - lo);
          double tolerance = kFirstFitTolerance;
          for (int pass = 0; pass < r.passes; ++pass, tolerance += kFitToleranceStep) {
            expectSameFit(window, tolerance / 100 * (hi - lo), segmentStep(sw.sensorType));
            ++compared;
          }
        }
      }
    }
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace tadjust
