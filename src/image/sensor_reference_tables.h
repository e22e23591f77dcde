#pragma once

// The per-degree signal of every temperature sensor the transmitters linearise, and the raw
// scale in which the transmitter stores a signal.
//
// Values are whole-degree points of the standard characteristics (Pt100 by Callendar-Van Dusen,
// the thermocouples by their ITS-90 reference functions with linear continuations above the
// standard's range, Ni100 by the maker's table), held as exact thousandths of an Ohm or of a
// millivolt. The doubles beside them are the same values, each the double nearest to the
// decimal.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "image/sensor_type.h"

namespace tadjust {

struct SensorReferenceTable {
  int firstTemperature;                       // °C of the first entry
  std::span<const std::int32_t> thousandths;  // signal × 1000, one entry per degree
  std::span<const double> signalValues;       // Ohm or mV

  std::size_t size() const { return thousandths.size(); }
  int lastTemperature() const { return firstTemperature + static_cast<int>(size()) - 1; }
  bool covers(int temperature) const {
    return temperature >= firstTemperature && temperature <= lastTemperature();
  }
  // The entry at a temperature the table covers.
  std::int32_t thousandthsAt(int temperature) const {
    return thousandths[static_cast<std::size_t>(temperature - firstTemperature)];
  }
  double signalAt(int temperature) const {
    return signalValues[static_cast<std::size_t>(temperature - firstTemperature)];
  }
};

// The table of a resistance thermometer or thermocouple; throws std::out_of_range for any
// other type.
const SensorReferenceTable& sensorReferenceTable(SensorType sensorType);

// The raw scale of the quantity a transmitter input measures: raw = (signal − zero) / step, with
// the signal in thousandths. Resistance: (Ohm − 55) × 200; thermocouple voltage of series 7:
// (mV + 5.4) × 1000; of series 9 and 10: (mV + 10.8) × 500.
struct SignalRawScale {
  std::int32_t zeroThousandths;  // the signal that raw 0 stands for
  std::int32_t thousandthsPerStep;
  // d(temperature raw) per signal unit, as a slope in °C per Ohm or mV is stored:
  // 30 temperature steps per °C times the signal units of one raw step (0.15, 0.03 or 0.06).
  double slopeFactor;

  // The exact raw value of a signal as a fraction numerator / thousandthsPerStep.
  std::int64_t rawNumerator(std::int32_t signalThousandths) const {
    return std::int64_t{signalThousandths} - zeroThousandths;
  }
};

inline constexpr SignalRawScale kResistanceSignalScale{55000, 5, 0.15};
inline constexpr SignalRawScale kSeries7VoltageScale{-5400, 1, 0.03};
inline constexpr SignalRawScale kSeries9VoltageScale{-10800, 2, 0.06};

// The signal scale of a resistance thermometer or thermocouple on a transmitter of the given
// series. Thermocouples have one only on series 7, 9 and 10.
inline std::optional<SignalRawScale> signalRawScale(SensorType sensorType, unsigned series) {
  if (isResistanceThermometer(sensorType)) return kResistanceSignalScale;
  if (!isThermocouple(sensorType)) return std::nullopt;
  if (series == 7) return kSeries7VoltageScale;
  if (series == 9 || series == 10) return kSeries9VoltageScale;
  return std::nullopt;
}

}  // namespace tadjust
