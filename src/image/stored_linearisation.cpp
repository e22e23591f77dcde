#include "image/stored_linearisation.h"

#include <cmath>

#include "image/device_settings.h"
#include "image/raw_scales.h"

namespace tadjust {

namespace {

namespace tx = transmitter;

std::int64_t signalThousandths(const SignalRawScale& scale, std::uint16_t raw) {
  return std::int64_t{scale.zeroThousandths} + std::int64_t{raw} * scale.thousandthsPerStep;
}

}  // namespace

std::optional<SensorType> temperatureSensorOf(std::uint16_t inputConfig) {
  const std::optional<SensorType> sensor = decodedSensorType(inputConfig);
  if (!sensor || !isTemperatureSensor(*sensor)) return std::nullopt;
  return sensor;
}

std::optional<StoredLinearisation> storedLinearisation(ConstBytes image, unsigned series) {
  const std::optional<SensorType> sensor = temperatureSensorOf(tx::InputConfig.get(image));
  if (!sensor) return std::nullopt;
  const std::optional<SignalRawScale> scale = signalRawScale(*sensor, series);
  if (!scale) return std::nullopt;

  StoredLinearisation table;
  table.sensorType = *sensor;
  table.scale = *scale;
  table.linSlopeShift = tx::LinSlopeShift.get(image);
  table.inputLimitHighThousandths = signalThousandths(*scale, tx::InputLimitHighRaw.get(image));
  for (std::size_t i = 0; i < tx::LinSignal.count; ++i) {
    StoredBreakpoint entry;
    entry.linSignal = tx::LinSignal.get(image, i);
    if (entry.linSignal == kNoBreakpoint) break;
    entry.linTemp = tx::LinTemp.get(image, i);
    entry.linSlope = tx::LinSlope.get(image, i);
    entry.temperature = raw_scales::temperatureFromRaw(entry.linTemp);
    entry.signalThousandths = signalThousandths(*scale, entry.linSignal);
    table.breakpoints.push_back(entry);
  }
  return table;
}

double StoredLinearisation::temperatureAt(double signalThousandths) const {
  const double signalRaw =
      (signalThousandths - scale.zeroThousandths) / static_cast<double>(scale.thousandthsPerStep);
  std::size_t segment = 0;
  for (std::size_t i = 0; i < breakpoints.size(); ++i)
    if (breakpoints[i].linSignal <= signalRaw) segment = i;
  return temperatureOnSegment(segment, signalThousandths);
}

double StoredLinearisation::temperatureOnSegment(std::size_t segment,
                                                 double signalThousandths) const {
  const StoredBreakpoint& start = breakpoints[segment];
  const double signalRaw =
      (signalThousandths - scale.zeroThousandths) / static_cast<double>(scale.thousandthsPerStep);
  const double temperatureRaw = start.linTemp + (signalRaw - start.linSignal) * start.linSlope /
                                                    std::ldexp(1.0, linSlopeShift);
  return (temperatureRaw - raw_scales::kTemperatureZeroRaw) / raw_scales::kStepsPerDegree;
}

// Raw temperature steps per raw signal step, turned into °C per Ohm or per mV.
double StoredLinearisation::slopeOf(std::size_t segment) const {
  const double rawSlope = breakpoints[segment].linSlope / std::ldexp(1.0, linSlopeShift);
  const double signalUnitsPerStep = scale.thousandthsPerStep / 1000.0;
  return rawSlope / raw_scales::kStepsPerDegree / signalUnitsPerStep;
}

}  // namespace tadjust
