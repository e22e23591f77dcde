#pragma once

// The input a transmitter measures: one of the eleven entries of the sensor-type list, in the
// list's order, and the code InputConfig stores for it (bits 8-13).

#include <array>
#include <cstdint>
#include <optional>

namespace tadjust {

enum class SensorType {
  Pt100,
  Ni100,
  ThermocoupleB,
  ThermocoupleR,
  ThermocoupleS,
  ThermocoupleN,
  ThermocoupleK,
  ThermocoupleJ,
  ThermocoupleT,
  Voltage,
  Resistance,
};

inline constexpr int kSensorTypeCount = 11;

// The position of the sensor type in the sensor-type list.
constexpr int entryOf(SensorType type) { return static_cast<int>(type); }

// The sensor type of a position of the sensor-type list; nothing outside 0..10.
constexpr std::optional<SensorType> sensorTypeAt(int entry) {
  if (entry < 0 || entry >= kSensorTypeCount) return std::nullopt;
  return static_cast<SensorType>(entry);
}

constexpr bool isResistanceThermometer(SensorType type) {
  return type == SensorType::Pt100 || type == SensorType::Ni100;
}
constexpr bool isThermocouple(SensorType type) {
  return type >= SensorType::ThermocoupleB && type <= SensorType::ThermocoupleT;
}
// Resistance thermometers and thermocouples: ranges in degrees, a reference table, a
// linearisation.
constexpr bool isTemperatureSensor(SensorType type) {
  return isResistanceThermometer(type) || isThermocouple(type);
}

// The sensor code InputConfig stores for each sensor type.
constexpr std::uint16_t sensorCode(SensorType type) {
  constexpr std::array<std::uint16_t, kSensorTypeCount> kCodes = {
      0x2000, 0x2100, 0x3000, 0x3100, 0x3200, 0x3300, 0x3400, 0x3500, 0x3600, 0x1000, 0x0000};
  return kCodes[static_cast<std::size_t>(entryOf(type))];
}

}  // namespace tadjust
