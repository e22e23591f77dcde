#pragma once

// The linearisation table a transmitter's image holds, read back from its words: each entry's
// breakpoint (temperature and signal) and the segment that starts there, as the device
// evaluates it: temperature = LinTemp + (signal − LinSignal) × LinSlope / 2^LinSlopeShift, in
// raw units, on the segment whose LinSignal is the last one not above the signal. The table ends
// at the first LinSignal of 0xFFFF; a first entry of 0xFFFF means nothing is stored.

#include <cstdint>
#include <optional>
#include <vector>

#include "image/sensor_reference_tables.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"

namespace tadjust {

// What LinSignal holds past the table's last entry.
inline constexpr std::uint16_t kNoBreakpoint = 0xFFFF;

struct StoredBreakpoint {
  std::uint16_t linTemp = 0;
  std::uint16_t linSignal = 0;
  std::uint16_t linSlope = 0;
  double temperature = 0;              // °C
  std::int64_t signalThousandths = 0;  // Ohm or mV × 1000, exact
  double signal() const { return static_cast<double>(signalThousandths) / 1000.0; }
};

struct StoredLinearisation {
  SensorType sensorType = SensorType::Pt100;
  SignalRawScale scale = kResistanceSignalScale;
  int linSlopeShift = 0;
  std::vector<StoredBreakpoint> breakpoints;  // empty: nothing stored
  // InputLimitHighRaw in the signal's units × 1000: the highest signal the table serves.
  std::int64_t inputLimitHighThousandths = 0;

  bool empty() const { return breakpoints.empty(); }
  // The temperature in °C the device computes from a signal (Ohm or mV × 1000); a signal below
  // the first breakpoint runs on the first segment. Only for a table that is not empty.
  double temperatureAt(double signalThousandths) const;
  // The same on the segment that starts at breakpoints[segment], wherever the signal lies.
  double temperatureOnSegment(std::size_t segment, double signalThousandths) const;
  // The segment's slope in °C per Ohm or per mV.
  double slopeOf(std::size_t segment) const;
};

// The resistance thermometer or thermocouple an InputConfig word names; nothing for a voltage or
// resistance input or a subtype the program never writes.
std::optional<SensorType> temperatureSensorOf(std::uint16_t inputConfig);

// The table in a transmitter's settings image (256 bytes); nothing when the image's input is not
// a resistance thermometer or thermocouple, or the series has no signal scale for it.
std::optional<StoredLinearisation> storedLinearisation(ConstBytes image, unsigned series);

}  // namespace tadjust
