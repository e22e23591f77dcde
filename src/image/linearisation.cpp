#include "image/linearisation.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "image/cold_junction_table.h"
#include "image/output_limits.h"
#include "image/sensor_reference_tables.h"

namespace tadjust {
namespace {

constexpr int kThermocoupleKSegmentStep = 10;
constexpr int kUsualSegmentStep = 2;

// Temperature raw scale: (°C + 200) × 30.
constexpr double kTemperatureRawOffset = 200.0;
constexpr double kTemperatureStepsPerDegree = 30.0;
constexpr std::int64_t kLargestWord = 0xFFFF;

// A point whose error was checked at one slope stays within tolerance at another as long as its
// error moves by less than the slack it had; this allowance covers the rounding of the error's
// few double operations (a few 1e-13 °C at most) many times over.
constexpr double kRoundingAllowance = 1e-9;

// What a walk knows of the points [restart, end) it has passed within tolerance: the slopes
// between which they all stay within. An error grows with the slope by the point's signal
// difference from the breakpoint per unit of slope, and no faster.
struct PassedPoints {
  int end = 0;
  double highestSlope = INFINITY;  // no point's error exceeds the tolerance up to here
  double lowestSlope = -INFINITY;  // no point's error falls below −tolerance down to here

  void add(double err, double signalDifference, double slope, double tolerance) {
    if (signalDifference <= 0) return;  // its error does not move with the slope
    highestSlope =
        std::min(highestSlope, slope + (tolerance - err - kRoundingAllowance) / signalDifference);
    lowestSlope =
        std::max(lowestSlope, slope - (err + tolerance - kRoundingAllowance) / signalDifference);
  }
};

constexpr std::int64_t kBinadeLow = std::int64_t{1} << 52;  // mantissa of the binade's lowest
constexpr std::int64_t kBinadeHigh = std::int64_t{1} << 53;
// Beyond this many nudges of one slope the walk gives up skipping (no window comes near it).
constexpr std::int64_t kMostSkippedNudges = std::int64_t{1} << 40;

}  // namespace

double repeatedlyAdded(double value, double delta, std::int64_t count) {
  // Within one binade [2^(e-1), 2^e) the doubles are the multiples of one ulp, and value + delta
  // rounds to value + (delta rounded to whole ulps) whatever value is, as long as the exact sum
  // stays in the binade and delta is not a whole number of ulps and a half (a tie would round
  // by the parity of value). So the additions are counted in ulps; near the binade's edges,
  // below 1 and at ties they are done one by one.
  while (count > 0) {
    const double next = value + delta;
    if (next == value) return value;  // too small a delta to move it, however often
    int exponent = 0;
    std::frexp(value, &exponent);
    const double ulp = std::ldexp(1.0, exponent - 53);
    const double low = std::ldexp(1.0, exponent - 1);
    const double high = std::ldexp(1.0, exponent);
    const auto stepUlps = static_cast<std::int64_t>((next - value) / ulp);  // exact
    const bool tie =
        std::fabs(std::fabs(delta) - std::fabs(static_cast<double>(stepUlps)) * ulp) == ulp / 2;
    if (!(value >= 1.0) || !std::isfinite(next) || next < low || next >= high || tie) {
      value = next;
      --count;
      continue;
    }
    const auto mantissa = static_cast<std::int64_t>(value / ulp);
    const std::int64_t room = stepUlps > 0 ? (kBinadeHigh - 1 - mantissa) / stepUlps - 1
                                           : (mantissa - kBinadeLow) / -stepUlps - 1;
    if (room <= 0) {
      value = next;
      --count;
      continue;
    }
    const std::int64_t steps = std::min(room, count);
    value = static_cast<double>(mantissa + steps * stepUlps) * ulp;
    count -= steps;
  }
  return value;
}

int segmentStep(SensorType sensorType) {
  return sensorType == SensorType::ThermocoupleK ? kThermocoupleKSegmentStep : kUsualSegmentStep;
}

// The greedy walk. Each segment starts at breakpoint j with the chord slope to the window's
// last point and walks point by point while the segment's prediction stays within tolerance.
// The first point out of tolerance decides the direction of the nudges (phase 1: slope up,
// phase 2: slope down); each nudge restarts the walk segmentStep points past the segment's
// start, and the walk ends when a point falls out on the other side (phases 3 and 4) or the
// window's end is near. The new breakpoint lies at the last prediction computed, with the
// signal of the point where the walk stopped.
//
// Done literally, a wide thermocouple window takes millions of nudges, each re-walking the
// points before the one that failed. Two shortcuts keep the result the same bit for bit:
//  - The errors only grow with the slope (every signal difference is ≥ 0 and rounding is
//    monotonic), so after upward nudges the points passed before can only leave through the
//    upper bound, after downward ones through the lower bound. While the slope has not moved
//    far enough for any of them to do so, a restart jumps over them.
//  - While that holds and the failing point stays out on the same side, a nudge changes nothing
//    but the slope. The number of such nudges is searched for directly, the slope after them
//    being the exact result of as many additions of 0.0001 (repeatedlyAdded).
SegmentFit fitSegments(const ReferenceWindow& window, double tolerance, int step) {
  SegmentFit fit;
  const std::span<const double> s = window.signalValues;
  const int n = static_cast<int>(window.size());
  if (n < 2) return fit;
  const int last = n - 1;
  const double firstT = window.firstTemperature;
  const auto t = [firstT](int k) { return firstT + k; };

  Breakpoint breakpoint{t(0), s[0], 0, 0};
  double m = (t(last) - t(0)) / (s[last] - s[0]);
  int j = 0;
  int start = 0;

  for (;;) {
    const int restart = start + step;
    int k = start + 1;
    int phase = 0;
    double prediction = 0;
    PassedPoints passed{restart};   // found by the walk before the last restart
    PassedPoints walking{restart};  // found since the last restart

    const auto errorAt = [&](int point, double slope) {
      return ((s[point] - breakpoint.signal) * slope + breakpoint.temperature) - t(point);
    };
    // In phase 1 or 2: the passed points are all still within tolerance at this slope. Phase 1
    // only raises the slope, so its points cannot fall below −tolerance; phase 2 only lowers it.
    const auto passedStayWithin = [&](double slope) {
      return phase == 1 ? slope <= passed.highestSlope : slope >= passed.lowestSlope;
    };
    // The slope after the last of the nudges that would change nothing else: the point at
    // passed.end still out on the side that asks for a nudge, every point before it within.
    const auto skipQuietNudges = [&](double delta) {
      const auto quiet = [&](std::int64_t nudges) {
        const double slope = repeatedlyAdded(m, delta, nudges);
        const double err = errorAt(passed.end, slope);
        return passedStayWithin(slope) && (phase == 1 ? err < -tolerance : err > tolerance);
      };
      // quiet(0) holds when this is called; find the last quiet count.
      std::int64_t known = 0;
      std::int64_t probe = 1;
      while (probe < kMostSkippedNudges && quiet(probe)) {
        known = probe;
        probe *= 2;
      }
      while (probe - known > 1) {
        const std::int64_t middle = known + (probe - known) / 2;
        (quiet(middle) ? known : probe) = middle;
      }
      // The walk goes on from the last quiet slope with one more nudge.
      return repeatedlyAdded(m, delta, known + 1);
    };

    do {
      if (k == restart && phase != 0 && passed.end > restart && passedStayWithin(m)) {
        walking = passed;
        k = passed.end;
      }
      prediction = (s[k] - breakpoint.signal) * m + breakpoint.temperature;
      const double err = prediction - t(k);
      double delta = 0;
      if (err < -tolerance) {
        if (phase <= 1) {
          delta = kSlopeNudge;
          phase = 1;
        } else if (phase == 2) {
          phase = 4;
        }
      } else if (err > tolerance) {
        if (phase == 0 || phase == 2) {
          delta = -kSlopeNudge;
          phase = 2;
        } else if (phase == 1) {
          phase = 3;
        }
      } else {
        if (k >= restart) walking.add(err, s[k] - breakpoint.signal, m, tolerance);
        k = k + 1;
      }
      if (delta != 0) {
        passed = walking;
        passed.end = k;
        const bool quiet = restart < n - step && passed.end >= restart;
        m = quiet && passedStayWithin(m) ? skipQuietNudges(delta) : m + delta;
        k = restart;
        walking = PassedPoints{restart};
      }
    } while (!(k >= n - step || phase >= 3));

    if (k >= last) break;
    breakpoint.slope = m;
    if (j < static_cast<int>(kMaxLinearisationSegments))
      fit.breakpoints[static_cast<std::size_t>(j)] = breakpoint;
    ++j;
    if (j >= kMaxBreakpoints) {
      fit.overflow = true;
      break;
    }
    start = k;
    breakpoint = {prediction, s[k], 0, k};
    m = (t(last) - t(k)) / (s[last] - s[k]);
  }
  fit.segments = j;
  return fit;
}

int usualLinSlopeShift(SensorType sensorType, unsigned series, int lowerLimit) {
  const bool series7 = series == 7;
  switch (sensorType) {
    case SensorType::Pt100:
    case SensorType::Ni100:
      return 16;
    case SensorType::ThermocoupleB:
    case SensorType::ThermocoupleR:
    case SensorType::ThermocoupleS:
      return series7 ? 13 : 12;
    case SensorType::ThermocoupleN:
      return (series7 || lowerLimit >= 100) ? 15 : 14;
    case SensorType::ThermocoupleK:
    case SensorType::ThermocoupleJ:
      return series7 ? 16 : 15;
    case SensorType::ThermocoupleT:
      return (series7 || lowerLimit >= -80) ? 15 : 14;
    default:
      throw std::out_of_range("no linearisation for this sensor type");
  }
}

ReferenceWindow referenceWindow(SensorType sensorType, unsigned series, int lowerLimit,
                                int upperLimit) {
  const SensorReferenceTable& table = sensorReferenceTable(sensorType);
  const auto scale = signalRawScale(sensorType, series);
  const int size = static_cast<int>(table.size());
  const auto indexOf = [&](int temperature) {
    return std::clamp(temperature - table.firstTemperature, 0, size - 1);
  };
  int begin = std::max(lowerLimit - table.firstTemperature, 0);
  const int end = indexOf(upperLimit);  // the first entry at or above upperLimit, or the last
  if (scale) {
    const auto measurable = std::lower_bound(table.thousandths.begin(), table.thousandths.end(),
                                             scale->zeroThousandths);
    begin = std::max(begin, static_cast<int>(measurable - table.thousandths.begin()));
  }
  ReferenceWindow window;
  window.firstTemperature = table.firstTemperature + begin;
  if (begin > end) return window;
  const auto count = static_cast<std::size_t>(end - begin + 1);
  window.signalValues = table.signalValues.subspan(static_cast<std::size_t>(begin), count);
  window.thousandths = table.thousandths.subspan(static_cast<std::size_t>(begin), count);
  return window;
}

std::int64_t temperatureWord(double temperature) {
  // Ties to even under the default rounding mode.
  return static_cast<std::int64_t>(
      std::nearbyint((temperature + kTemperatureRawOffset) * kTemperatureStepsPerDegree));
}

namespace {

bool fitsWord(std::int64_t value) { return value >= 0 && value <= kLargestWord; }

std::int64_t slopeWord(double slope, double multiplier) {
  return static_cast<std::int64_t>(std::nearbyint(slope * multiplier));
}

bool slopesFit(const SegmentFit& fit, double multiplier) {
  for (int i = 0; i < fit.segments; ++i)
    if (!fitsWord(slopeWord(fit.breakpoints[static_cast<std::size_t>(i)].slope, multiplier)))
      return false;
  return true;
}

// The fit at the smallest tolerance, in steps of 0.01 % of the span, that needs no more than 20
// segments.
SegmentFit fitWithGrowingTolerance(const ReferenceWindow& window, int span, int step,
                                   LinearisationResult& result) {
  double fitTolerance = kFirstFitTolerance;
  for (;;) {
    ++result.passes;
    SegmentFit fit = fitSegments(window, fitTolerance / 100 * span, step);
    if (fit.overflow || fit.segments <= static_cast<int>(kMaxLinearisationSegments)) {
      result.fitTolerance = fitTolerance;
      return fit;
    }
    fitTolerance += kFitToleranceStep;
  }
}

}  // namespace

LinearisationResult computeLinearisation(SensorType sensorType, unsigned series, int lowerLimit,
                                         int upperLimit, int span) {
  using enum LinearisationRefusal;
  LinearisationResult result;
  const auto scale = signalRawScale(sensorType, series);
  if (!scale) {
    result.refusal = kNoSignalScale;
    return result;
  }
  const ReferenceWindow window = referenceWindow(sensorType, series, lowerLimit, upperLimit);
  result.referencePoints = static_cast<int>(window.size());
  if (window.size() > 0) {
    result.firstTemperature = window.firstTemperature;
    result.lastTemperature = window.firstTemperature + result.referencePoints - 1;
    result.lastSignal = window.signalValues.back();
    result.lastSignalThousandths = window.thousandths.back();
  }
  if (window.size() < 2) {
    result.refusal = kTooFewPoints;
    return result;
  }
  // A span of zero would leave no tolerance to grow, and the fit would never end.
  if (span <= 0) {
    result.refusal = kEmptySpan;
    return result;
  }

  const SegmentFit fit = fitWithGrowingTolerance(window, span, segmentStep(sensorType), result);
  result.segments = fit.segments;
  result.breakpoints = fit.breakpoints;
  if (fit.overflow) {
    result.refusal = kTooManyBreakpoints;
    return result;
  }
  if (fit.segments == 0) {
    result.refusal = kTooFewPoints;
    return result;
  }

  // A segment too steep for the sensor's usual fraction bits takes the whole table down to the
  // largest shift at which every slope fits.
  int shift = usualLinSlopeShift(sensorType, series, lowerLimit);
  while (shift > kLowestLinSlopeShift && !slopesFit(fit, std::ldexp(scale->slopeFactor, shift)))
    --shift;
  result.linSlopeShift = shift;
  result.slopeMultiplier = std::ldexp(scale->slopeFactor, shift);
  if (!slopesFit(fit, result.slopeMultiplier)) {
    result.refusal = kSlopeTooSteep;
    return result;
  }

  for (std::size_t i = 0; i < static_cast<std::size_t>(fit.segments); ++i) {
    const Breakpoint& b = fit.breakpoints[i];
    const auto temperature = temperatureWord(b.temperature);
    const auto signal =
        roundHalfEvenDiv(scale->rawNumerator(window.thousandths[static_cast<std::size_t>(b.point)]),
                         scale->thousandthsPerStep);
    if (!fitsWord(temperature) || !fitsWord(signal)) {
      result.refusal = kWordOutOfRange;
      return result;
    }
    result.linTemp[i] = static_cast<std::uint16_t>(temperature);
    result.linSignal[i] = static_cast<std::uint16_t>(signal);
    result.linSlope[i] = static_cast<std::uint16_t>(slopeWord(b.slope, result.slopeMultiplier));
  }
  return result;
}

void storeLinearisation(const LinearisationResult& result, SensorType sensorType, unsigned series,
                        Bytes block) {
  using namespace transmitter;
  if (!result.writable()) throw std::logic_error("storing a linearisation that was refused");
  LinSlopeShift.set(block, result.linSlopeShift);
  for (std::size_t i = 0; i < static_cast<std::size_t>(result.segments); ++i) {
    LinSignal.set(block, i, result.linSignal[i]);
    LinSlope.set(block, i, result.linSlope[i]);
    LinTemp.set(block, i, result.linTemp[i]);
  }
  if (isThermocouple(sensorType)) {
    CjcSlopeShift.set(block, kCjcSlopeShift);
    const ColdJunctionRow& row = coldJunctionRow(sensorType, series);
    for (std::size_t i = 0; i < kColdJunctionPoints; ++i) {
      CjcTemp.set(block, i, row.temperature[i]);
      CjcSlope.set(block, i, row.slope[i]);
      CjcSignal.set(block, i, row.signal[i]);
    }
  }
}

LinearisationResult buildLinearisation(SensorType sensorType, unsigned series, int lowerLimit,
                                       int upperLimit, int span, Bytes transmitterBlock) {
  LinearisationResult result =
      computeLinearisation(sensorType, series, lowerLimit, upperLimit, span);
  if (result.writable()) storeLinearisation(result, sensorType, series, transmitterBlock);
  return result;
}

}  // namespace tadjust
