#pragma once

// The input window a transmitter keeps beyond its range, so that the output can go a little
// below 4 mA (0 V) and above 20 mA (10 V): the window is widened by 1/80 of the span at the end
// that maps to the low end of the output and by 1/32 at the end that maps to its high end.
//
// Everything is computed exactly from integers (span × 0.0125 is span / 80, span × 0.03125 is
// span / 32) and from the reference signals' exact thousandths, so a limit that is an integer in
// decimals is never pushed one step out by the binary form of 0.0125 or 5.4.

#include <cstdint>

#include "image/sensor_reference_tables.h"

namespace tadjust {

// Exact integer division helpers (denominator > 0).
constexpr std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t q = numerator / denominator;
  return (numerator % denominator != 0 && numerator < 0) ? q - 1 : q;
}
constexpr std::int64_t ceilDiv(std::int64_t numerator, std::int64_t denominator) {
  return -floorDiv(-numerator, denominator);
}
// numerator / denominator rounded to the nearest integer, ties to even.
constexpr std::int64_t roundHalfEvenDiv(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t low = floorDiv(numerator, denominator);
  const std::int64_t twiceRemainder = 2 * (numerator - low * denominator);
  if (twiceRemainder > denominator) return low + 1;
  if (twiceRemainder < denominator) return low;
  return (low % 2 == 0) ? low : low + 1;
}

// The temperature window (whole °C) that the linearisation covers for a range of whole degrees.
struct TemperatureLimits {
  int lower;
  int upper;
};
TemperatureLimits temperatureLimits(int lowerRange, int upperRange, bool reversedOutput);

// The input window's ends are kept within 2..0xFFFD.
inline constexpr std::int64_t kLowestInputLimitRaw = 2;
inline constexpr std::int64_t kHighestInputLimitRaw = 0xFFFD;

// InputLimitHighRaw of a resistance thermometer or thermocouple: the ceiling of the last
// reference signal of the linearised window in the signal raw scale, kept within 2..0xFFFD.
std::uint16_t inputLimitHighRaw(const SignalRawScale& scale, std::int32_t lastSignalThousandths);

// The input window of a voltage or resistance input, from its range words: InputLimitLowRaw and
// InputLimitHighRaw. The span is the unsigned 16-bit difference of the words.
struct RawInputLimits {
  std::uint16_t low;
  std::uint16_t high;
};
RawInputLimits rawInputLimits(std::uint16_t rangeLowRaw, std::uint16_t rangeHighRaw,
                              bool reversedOutput);

}  // namespace tadjust
