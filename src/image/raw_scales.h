#pragma once

// The values the transmitter layout's raw words stand for, as shown in the device group.
//
// Every conversion forms the exact integer difference from the scale's zero first and divides
// once: the result is then the double nearest to the decimal value the device means, so its
// 15-digit text is that decimal value. (raw / 30 - 200 would leave the binary error of raw / 30
// in the last digits: 6001 would read 0,0333333333333314 instead of 0,0333333333333333.)

#include <cstdint>
#include <optional>

namespace tadjust::raw_scales {

// Temperatures (ranges of RTDs and thermocouples, cold junction): (°C + 200) × 30.
inline constexpr int kTemperatureZeroRaw = 6000;  // 0 °C
inline constexpr int kStepsPerDegree = 30;
// Voltages: 5400 is 0 mV; series 7 counts µV, series 9 and 10 steps of 2 µV.
inline constexpr int kVoltageZeroRaw = 5400;
inline constexpr int kSeries7StepsPerMillivolt = 1000;
inline constexpr int kSeries9StepsPerMillivolt = 500;
// Resistance ranges: (Ohm - 55) × 200, so the raw zero lies 55 Ohm × 200 below 0 Ohm.
inline constexpr int kResistanceOffsetRaw = 11000;
inline constexpr int kStepsPerOhm = 200;
// Lead resistance: Ohm × 200, or Ohm × 40 on the series-sensor model.
inline constexpr int kWireStepsPerOhm = 200;
inline constexpr int kSeriesSensorWireStepsPerOhm = 40;
// The series-sensor model (RKN-40F3) shows its resistance range as the series resistance of its
// sensor, five times the resistance of the measuring scale.
inline constexpr int kSeriesSensorFactor = 5;

// °C of a temperature word.
double temperatureFromRaw(std::uint16_t raw);
// °C of the signed temperature correction TempOffsetRaw.
double tempOffsetFromRaw(std::int16_t raw);
// mV of a voltage word; no value for a series without a voltage scale (only 7, 9 and 10 have one).
std::optional<double> voltageFromRaw(std::uint16_t raw, unsigned series);
// Ohm of a resistance-range word, on the measuring scale (before the series-sensor factor).
double resistanceFromRaw(std::uint16_t raw);
// Ohm of the lead resistance WireResistanceRaw.
double wireResistanceFromRaw(std::uint16_t raw, bool seriesSensorModel);

}  // namespace tadjust::raw_scales
