#pragma once

// The limits every value of the "Editable settings" group is kept within, and the defaults a new
// sensor type or humidity unit brings: constant tables, the same for both languages.
//
// Temperature models: the range of each sensor type by series (RangeTable), the least distance
// between lower and upper range (MinimumSpan), the fixed ranges of the fixed-sensor probes, and
// the limits of the temperature offset, the wire resistance and the cold-junction temperature.
// Humidity models: one row per box, model and humidity unit. The indicator's display and alarm
// limits. All values are in device units: °C, mV, Ohm (the measuring scale's, before the
// series-sensor model's factor 5), %RH or °C dew point, and the outputs' mV or µA.

#include <array>
#include <optional>

#include "catalogue/device_catalogue.h"
#include "image/sensor_type.h"

namespace tadjust {

// Four blocks of eleven, one entry per sensor type: the lower values of series 7, the upper
// values of series 7, the lower values of series 9 and 10, the upper values of series 9 and 10.
// They are the defaults of a new sensor choice and the limits of the range validation.
inline constexpr std::array<double, 4 * kSensorTypeCount> RangeTable{
    // L7: Pt100, Ni100, B, R, S, N, K, J, T, mV, Ohm
    -100, -60, 400, 0, 0, -100, -100, -100, -100, -5.4, 55,
    // U7
    800, 180, 1800, 1600, 1600, 1300, 1200, 1000, 400, 60.1, 382.6,
    // L9
    -100, -60, 400, 0, 0, -100, -100, -100, -100, -10, 60,
    // U9
    800, 180, 1800, 1600, 1600, 1300, 1200, 1000, 400, 65, 370};

// The least distance between lower and upper range per sensor type, for every series.
inline constexpr std::array<double, kSensorTypeCount> MinimumSpan{30, 30, 200, 200, 200, 100,
                                                                  50, 50, 50,  2,   20};

struct SensorRange {
  double low;
  double high;
};

// The RangeTable entries of a sensor type in a series: series 7, or 9 and 10 alike. Nothing for
// any other series.
std::optional<SensorRange> sensorRange(unsigned series, SensorType sensorType);
// MinimumSpan of a sensor type.
double minimumSpan(SensorType sensorType);

// The fixed-sensor probes of series 9 and 10 have one sensor and a range of their own, with a
// least distance of 30 °C between lower and upper range. (Series 7 uses RangeTable for them.)

struct ProbeRange {
  double lowest;      // the lower range's fallback and minimum
  double highestLow;  // the lower range's maximum
  double highest;     // the upper range's fallback and maximum
  double span;
};

ProbeRange probeRange(FixedProbe probe);

// Further limits of the temperature models: fallback, minimum and maximum.
struct Limits {
  double fallback;
  double minimum;
  double maximum;
};

inline constexpr Limits kTempOffsetLimits{0, -10, 10};         // °C
inline constexpr Limits kWireResistanceLimits{0, 0, 20};       // Ohm, for every model
inline constexpr Limits kColdJunctionTempLimits{0, -50, 100};  // °C

// The indicator's display range and its fallbacks; the alarm levels lie within the range.
inline constexpr Limits kIndicatorLowLimits{0, -999, 9999};
inline constexpr Limits kIndicatorHighLimits{100, -999, 9999};

// The humidity models, and the boxes of their four pairs. Lower boxes are Edit1, Edit19, Edit4
// and Edit21; each has the upper box after it as its partner.
enum class HumidityBox { Edit1, Edit2, Edit19, Edit3, Edit4, Edit20, Edit21, Edit22 };

// The humidity unit chosen in ComboBox1 of the models with a unit choice.
inline constexpr int kRelativeHumidity = 0;
inline constexpr int kDewPoint = 1;

struct HumidityLimits {
  double fallback;
  double minimum;
  double maximum;
  double span;  // the least distance to the partner box
};

// The row of the humidity table for a box, model and humidity unit (the selected index of
// ComboBox1; 935-JYRA has no unit choice and ignores it). Nothing for the humidity boxes Edit19
// and Edit3 of a model with a unit choice when the unit is neither relative humidity nor dew
// point: their check then does nothing.
std::optional<HumidityLimits> humidityLimits(HumidityBox box, HumidityModel model,
                                             int humidityUnit);

bool isLowerBox(HumidityBox box);
HumidityBox partnerOf(HumidityBox box);

// The humidity range a new choice of unit puts into Edit19 and Edit3 (not validated).
struct HumidityDefaults {
  double low;
  double high;
};
inline constexpr HumidityDefaults kRelativeHumidityDefaults{0, 100};
inline constexpr HumidityDefaults kDewPointDefaults{-40, 80};

}  // namespace tadjust
