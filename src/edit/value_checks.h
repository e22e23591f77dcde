#pragma once

// The checks of the "Editable settings" group's numeric boxes as values in, values out: each
// takes what its box holds (a number, or nothing when the text is not one), the model's
// particulars, the series, the sensor type, the humidity unit and the stored range, and gives
// the number to show and, for the range checks, the value to store. The widget handlers
// (ValueValidation) read the boxes, call these and write the results back.
//
// Common steps: a box that holds no number gets the check's fallback, to which no limit is
// applied; otherwise the value is clamped (below the minimum becomes the minimum, otherwise above
// the maximum becomes the maximum). The result is shown rounded up or down to an integer, or
// rounded to two decimals (ties to even).

#include <optional>

#include "edit/validation_limits.h"

namespace tadjust {

// A box's text read as a number; nothing when the text is not a number.
using Typed = std::optional<double>;

enum class NumberForm { Integer, Decimal };

// A value as a box shows it: an integral value as integer text, or a decimal text (general
// format, up to 15 significant digits).
struct ShownNumber {
  double value;
  NumberForm form;

  friend bool operator==(const ShownNumber&, const ShownNumber&) = default;
};

// A range check's result: what the box shows, and the value kept in EditRangeLow or
// EditRangeHigh (in device units).
struct RangeResult {
  ShownNumber shown;
  double stored;
};

// What the range checks of the temperature models depend on.
struct TemperatureRange {
  unsigned series;
  SensorType sensorType;            // EditSensorType
  std::optional<FixedProbe> probe;  // the fixed-sensor probe, if the model is one
  bool seriesSensor;                // RKN-40F3: the resistance range is shown five times larger
};

// The lower range (Edit1). The shown value of RKN-40F3's resistance input is divided by 5 before
// the check and multiplied by 5 again for the box; the stored value is in device units. In a
// series without a table (neither 7, 9 nor 10) the box is not read and the value is 0.
RangeResult checkLowerRange(const TemperatureRange& range, Typed shown);
// The upper range (Edit2): the maximum first, then the least distance above storedLow
// (EditRangeLow); a storedLow above maximum - span therefore gives a value above the maximum.
RangeResult checkUpperRange(const TemperatureRange& range, Typed shown, double storedLow);

// What a range box may hold, as the box shows it (RKN-40F3's resistance at five times the
// device's value): the limits no other box moves, and the least distance to the partner box.
// Nothing in a series without a table.
struct BoxLimits {
  double minimum;
  double maximum;
  double span;
};
std::optional<BoxLimits> lowerRangeLimitsShown(const TemperatureRange& range);
std::optional<BoxLimits> upperRangeLimitsShown(const TemperatureRange& range);

// Edit3 of the temperature models: the wire resistance when the connection list shows the 2-wire
// entry, otherwise the cold-junction temperature.
ShownNumber checkWireOrColdJunction(bool wireResistance, Typed typed);
// Edit4 of the temperature models: the temperature offset.
ShownNumber checkTempOffset(Typed typed);

// The indicator's display range (Edit1, Edit2); the stored value is the clamped one, unrounded.
RangeResult checkDisplayLow(Typed typed);
RangeResult checkDisplayHigh(Typed typed);
// The indicator's alarm levels (Edit3 low, Edit4 high), kept within the display range low..high
// (which may be reversed) and in order with the other alarm level. A level or partner that is not
// a number makes the level the range's end (low for the alarm low level, high for the high one).
ShownNumber checkAlarmLow(Typed level, Typed alarmHigh, double low, double high);
ShownNumber checkAlarmHigh(Typed level, Typed alarmLow, double low, double high);

// A humidity model's box and its partner (a number: a partner that is not one stops the check
// before it is made). The box is clamped and rounded up; the partner is pushed at least span away
// (above a lower box, below an upper one) without its own limits, and rounded up.
struct PairResult {
  ShownNumber value;
  ShownNumber partner;
};
PairResult checkHumidityPair(HumidityBox box, const HumidityLimits& limits, Typed typed,
                             double partner);

}  // namespace tadjust
