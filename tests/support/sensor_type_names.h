#pragma once

// Short names of the sensor types for the tests' tables of cases.

#include <ostream>

#include "image/sensor_type.h"

namespace tadjust {

inline constexpr SensorType kPt100 = SensorType::Pt100;
inline constexpr SensorType kNi100 = SensorType::Ni100;
inline constexpr SensorType kThermocoupleB = SensorType::ThermocoupleB;
inline constexpr SensorType kThermocoupleR = SensorType::ThermocoupleR;
inline constexpr SensorType kThermocoupleS = SensorType::ThermocoupleS;
inline constexpr SensorType kThermocoupleN = SensorType::ThermocoupleN;
inline constexpr SensorType kThermocoupleK = SensorType::ThermocoupleK;
inline constexpr SensorType kThermocoupleJ = SensorType::ThermocoupleJ;
inline constexpr SensorType kThermocoupleT = SensorType::ThermocoupleT;
inline constexpr SensorType kVoltage = SensorType::Voltage;
inline constexpr SensorType kResistance = SensorType::Resistance;

// Their entries in the sensor-type list, for the tests that choose one as a user does.
inline constexpr int kPt100Entry = entryOf(kPt100);
inline constexpr int kNi100Entry = entryOf(kNi100);
inline constexpr int kThermocoupleBEntry = entryOf(kThermocoupleB);
inline constexpr int kThermocoupleREntry = entryOf(kThermocoupleR);
inline constexpr int kThermocoupleSEntry = entryOf(kThermocoupleS);
inline constexpr int kThermocoupleNEntry = entryOf(kThermocoupleN);
inline constexpr int kThermocoupleKEntry = entryOf(kThermocoupleK);
inline constexpr int kThermocoupleJEntry = entryOf(kThermocoupleJ);
inline constexpr int kThermocoupleTEntry = entryOf(kThermocoupleT);
inline constexpr int kVoltageEntry = entryOf(kVoltage);
inline constexpr int kResistanceEntry = entryOf(kResistance);

// A failing case names its sensor type by its position in the sensor-type list.
inline std::ostream& operator<<(std::ostream& out, SensorType type) {
  return out << "sensor type " << entryOf(type);
}

}  // namespace tadjust
