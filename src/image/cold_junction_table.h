#pragma once

// The thermo-EMF of each thermocouple type around room temperature, as the transmitter uses it
// to compensate the cold junction: 7 breakpoints, already in the raw scales of the transmitter
// layout (temperature (°C + 200) × 30; signal in the series' voltage scale; slope
// d(signal raw) / d(temperature raw) × 2^15).

#include <array>
#include <cstdint>

#include "image/sensor_type.h"

namespace tadjust {

inline constexpr std::size_t kColdJunctionPoints = 7;
inline constexpr int kCjcSlopeShift = 15;

struct ColdJunctionRow {
  std::array<std::uint16_t, kColdJunctionPoints> temperature;  // CjcTemp
  std::array<std::uint16_t, kColdJunctionPoints> slope;        // CjcSlope
  std::array<std::uint16_t, kColdJunctionPoints> signal;       // CjcSignal
};

// The row of thermocouple sensor type 2..8 (B, R, S, N, K, J, T): the series-7 set for series 7,
// the set of series 9 and 10 for any other series. Throws std::out_of_range for another type.
const ColdJunctionRow& coldJunctionRow(SensorType sensorType, unsigned series);

}  // namespace tadjust
