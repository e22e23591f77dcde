#include "edit/value_checks.h"

#include <cmath>

#include "image/raw_scales.h"
#include "numbers/number_text.h"

namespace tadjust {

namespace {

double clamped(double value, double minimum, double maximum) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}

double readOrFallback(Typed typed, const Limits& limits) {
  return typed ? clamped(*typed, limits.minimum, limits.maximum) : limits.fallback;
}

ShownNumber up(double value) { return {std::ceil(value), NumberForm::Integer}; }
ShownNumber down(double value) { return {std::floor(value), NumberForm::Integer}; }
ShownNumber twoDecimals(double value) { return {number_text::round2(value), NumberForm::Decimal}; }

// The factor between the shown and the device's value of a range box.
double shownFactor(const TemperatureRange& range) {
  return range.seriesSensor && range.sensorType == SensorType::Resistance
             ? raw_scales::kSeriesSensorFactor
             : 1;
}

bool isSeries9Or10(unsigned series) { return series == 9 || series == 10; }

// The lower range's fallback (which is also its minimum) and maximum, if the series has them.
// The fixed-sensor probes have ranges of their own in series 9 and 10; in series 7 they take
// RangeTable's like every other model.
std::optional<Limits> lowerRangeLimits(const TemperatureRange& range) {
  if (range.probe && isSeries9Or10(range.series)) {
    const ProbeRange probe = probeRange(*range.probe);
    return Limits{probe.lowest, probe.lowest, probe.highestLow};
  }
  const std::optional<SensorRange> sensor = sensorRange(range.series, range.sensorType);
  if (!sensor) return std::nullopt;
  return Limits{sensor->low, sensor->low, sensor->high - minimumSpan(range.sensorType)};
}

struct UpperRangeLimits {
  double maximum;  // also the fallback
  double span;
};

std::optional<UpperRangeLimits> upperRangeLimits(const TemperatureRange& range) {
  if (range.probe && isSeries9Or10(range.series)) {
    const ProbeRange probe = probeRange(*range.probe);
    return UpperRangeLimits{probe.highest, probe.span};
  }
  const std::optional<SensorRange> sensor = sensorRange(range.series, range.sensorType);
  if (!sensor) return std::nullopt;
  return UpperRangeLimits{sensor->high, minimumSpan(range.sensorType)};
}

// The common tail of both range checks: temperatures as integers (rounded up for the lower,
// down for the upper range) with the unrounded value stored; millivolts and ohms to two decimals,
// stored rounded and shown at the model's factor.
RangeResult rangeResult(const TemperatureRange& range, double value, bool lower) {
  if (isTemperatureSensor(range.sensorType)) return {lower ? up(value) : down(value), value};
  const ShownNumber rounded = twoDecimals(value);
  return {{rounded.value * shownFactor(range), NumberForm::Decimal}, rounded.value};
}

}  // namespace

std::optional<BoxLimits> lowerRangeLimitsShown(const TemperatureRange& range) {
  const std::optional<Limits> lower = lowerRangeLimits(range);
  const std::optional<UpperRangeLimits> upper = upperRangeLimits(range);
  if (!lower || !upper) return std::nullopt;
  const double factor = shownFactor(range);
  return BoxLimits{lower->minimum * factor, lower->maximum * factor, upper->span * factor};
}

// The upper range is kept span above the lower, which is at least the lower range's minimum.
std::optional<BoxLimits> upperRangeLimitsShown(const TemperatureRange& range) {
  const std::optional<Limits> lower = lowerRangeLimits(range);
  const std::optional<UpperRangeLimits> upper = upperRangeLimits(range);
  if (!lower || !upper) return std::nullopt;
  const double factor = shownFactor(range);
  return BoxLimits{(lower->minimum + upper->span) * factor, upper->maximum * factor,
                   upper->span * factor};
}

RangeResult checkLowerRange(const TemperatureRange& range, Typed shown) {
  double value = 0;  // a series without a table
  if (const std::optional<Limits> limits = lowerRangeLimits(range)) {
    const Typed typed = shown ? Typed(*shown / shownFactor(range)) : std::nullopt;
    value = readOrFallback(typed, *limits);
  }
  return rangeResult(range, value, true);
}

RangeResult checkUpperRange(const TemperatureRange& range, Typed shown, double storedLow) {
  double value = 0;  // a series without a table
  if (const std::optional<UpperRangeLimits> limits = upperRangeLimits(range)) {
    value = limits->maximum;  // the fallback
    if (shown) {
      value = *shown / shownFactor(range);
      if (value > limits->maximum) {
        value = limits->maximum;
      } else if (storedLow + limits->span > value) {
        value = storedLow + limits->span;
      }
    }
  }
  return rangeResult(range, value, false);
}

ShownNumber checkWireOrColdJunction(bool wireResistance, Typed typed) {
  return twoDecimals(
      readOrFallback(typed, wireResistance ? kWireResistanceLimits : kColdJunctionTempLimits));
}

ShownNumber checkTempOffset(Typed typed) {
  return twoDecimals(readOrFallback(typed, kTempOffsetLimits));
}

RangeResult checkDisplayLow(Typed typed) {
  const double value = readOrFallback(typed, kIndicatorLowLimits);
  return {up(value), value};
}

RangeResult checkDisplayHigh(Typed typed) {
  const double value = readOrFallback(typed, kIndicatorHighLimits);
  return {up(value), value};
}

// With a reversed range (high not above low) the level is kept between high and low, and the
// alarm levels in reversed order.
ShownNumber checkAlarmLow(Typed level, Typed alarmHigh, double low, double high) {
  if (!level || !alarmHigh) return up(low);
  double x = *level;
  if (high > low) {
    if (x < low) {
      x = low;
    } else if (x > high) {
      x = high;
    } else if (*alarmHigh < x) {
      x = low;
    }
  } else {
    if (x > low) {
      x = low;
    } else if (x < high) {
      x = high;
    } else if (*alarmHigh > x) {
      x = low;
    }
  }
  return up(x);
}

ShownNumber checkAlarmHigh(Typed level, Typed alarmLow, double low, double high) {
  if (!level || !alarmLow) return up(high);
  double x = *level;
  if (high > low) {
    if (x < low) {
      x = low;
    } else if (x > high) {
      x = high;
    } else if (*alarmLow > x) {
      x = high;
    }
  } else {
    if (x > low) {
      x = low;
    } else if (x < high) {
      x = high;
    } else if (*alarmLow < x) {
      x = high;
    }
  }
  return up(x);
}

PairResult checkHumidityPair(HumidityBox box, const HumidityLimits& limits, Typed typed,
                             double partner) {
  const double v =
      up(typed ? clamped(*typed, limits.minimum, limits.maximum) : limits.fallback).value;
  if (isLowerBox(box)) {
    if (v + limits.span > partner) partner = v + limits.span;
  } else {
    if (v - limits.span < partner) partner = v - limits.span;
  }
  return {{v, NumberForm::Integer}, up(partner)};
}

}  // namespace tadjust
