#include "image/raw_scales.h"

namespace tadjust::raw_scales {

namespace {

double ratio(int numerator, int denominator) {
  return static_cast<double>(numerator) / static_cast<double>(denominator);
}

}  // namespace

double temperatureFromRaw(std::uint16_t raw) {
  return ratio(int{raw} - kTemperatureZeroRaw, kStepsPerDegree);
}

double tempOffsetFromRaw(std::int16_t raw) { return ratio(raw, kStepsPerDegree); }

std::optional<double> voltageFromRaw(std::uint16_t raw, unsigned series) {
  const int fromZero = int{raw} - kVoltageZeroRaw;
  if (series == 7) return ratio(fromZero, kSeries7StepsPerMillivolt);
  if (series == 9 || series == 10) return ratio(fromZero, kSeries9StepsPerMillivolt);
  return std::nullopt;
}

double resistanceFromRaw(std::uint16_t raw) {
  return ratio(int{raw} + kResistanceOffsetRaw, kStepsPerOhm);
}

double wireResistanceFromRaw(std::uint16_t raw, bool seriesSensorModel) {
  return ratio(raw, seriesSensorModel ? kSeriesSensorWireStepsPerOhm : kWireStepsPerOhm);
}

}  // namespace tadjust::raw_scales
