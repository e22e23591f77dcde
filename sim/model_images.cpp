#include "sim/model_images.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

#include "image/sensor_type.h"

namespace tadjust {

namespace {

namespace tx = transmitter;

using Sensor = SensorType;
constexpr Sensor kPt100 = SensorType::Pt100;
constexpr Sensor kNi100 = SensorType::Ni100;
constexpr Sensor kThermocoupleN = SensorType::ThermocoupleN;
constexpr Sensor kThermocoupleK = SensorType::ThermocoupleK;
constexpr Sensor kThermocoupleJ = SensorType::ThermocoupleJ;
constexpr Sensor kVoltage = SensorType::Voltage;
constexpr Sensor kResistance = SensorType::Resistance;
enum Connection { kTwoWire = 0, kThreeWire = 1, kFourWire = 2 };
constexpr int kInternalJunction = 0;
constexpr int kExternalJunction = 1;

// Filter time list positions: 0.2, 1, 2, 4, 8, 16, 32 s.
constexpr int kFilter1s = 1;
constexpr int kFilter2s = 2;
constexpr int kFilter4s = 4;

struct TransmitterPreset {
  unsigned modelNumber;
  Sensor sensor;
  int connection;
  int low;  // °C, mV or Ohm, by sensor
  int high;
  bool reversed;
  bool failureHigh;
  int filter;
  int tempOffsetRaw;      // °C × 30
  int wireResistanceRaw;  // Ohm × 200 (× 40 on RKN-40F3), 2-wire only
  int coldJunctionRaw;    // (°C + 200) × 30, external compensation only
  const char* tag;
};

// One plausible device per temperature model, every value within the limits the program
// accepts for its sensor and series.
constexpr TransmitterPreset kTransmitterPresets[] = {
    {1, kPt100, kThreeWire, 0, 150, false, false, kFilter1s, 0, 0, 0, "TT-101"},
    {2, kPt100, kFourWire, -50, 250, false, true, kFilter2s, 0, 0, 0, "TT-102"},
    {3, kThermocoupleK, kInternalJunction, 0, 1000, false, true, kFilter1s, 0, 0, 0, "TT-103"},
    {4, kThermocoupleJ, kExternalJunction, 0, 600, false, false, kFilter1s, 0, 0, 6750, "TT-104"},
    {5, kVoltage, 0, 0, 50, false, false, kFilter2s, 0, 0, 0, "PT-105"},
    {6, kResistance, kTwoWire, 100, 300, false, false, kFilter1s, 0, 100, 0, "RT-106"},
    {7, kNi100, kThreeWire, -50, 150, true, false, kFilter4s, -15, 0, 0, "TT-107"},
    {8, kThermocoupleN, kInternalJunction, 0, 1200, false, false, kFilter1s, 15, 0, 0, "TT-108"},
    {10, kPt100, kTwoWire, 0, 100, false, false, kFilter1s, 0, 160, 0, "TT-110"},
    {11, kPt100, kThreeWire, -50, 200, false, false, kFilter1s, 0, 0, 0, "RQ-117"},
    {12, kPt100, kThreeWire, -50, 200, false, false, kFilter1s, 0, 0, 0, "RQ-117"},
    {16, kPt100, kTwoWire, 0, 200, false, false, kFilter1s, 0, 60, 0, "TT-116"},
    {17, kPt100, kThreeWire, -100, 400, false, false, kFilter1s, 0, 0, 0, "RQ-18x"},
    {18, kPt100, kThreeWire, -30, 70, false, false, kFilter1s, 0, 0, 0, "RQ-17x"},
    {19, kPt100, kThreeWire, -100, 400, false, true, kFilter1s, 0, 0, 0, "RQ-18x"},
    {20, kPt100, kThreeWire, -30, 70, false, true, kFilter1s, 0, 0, 0, "RQ-17x"},
};

struct HumidityPreset {
  std::uint16_t productCode;
  bool dewPoint;
  int tempLow, tempHigh;  // °C
  int humLow, humHigh;    // %RH or °C dew point
  int outLow, outHigh;    // mV or µA, the same for both outputs
  const char* tag;
};

constexpr HumidityPreset kHumidityPresets[] = {
    {15001, false, -40, 120, 0, 100, 200, 4500, "HT-201 hall A"},
    {15002, false, -40, 120, 0, 100, 4000, 20000, "HT-202 store"},
    {15003, true, -40, 120, -20, 60, 0, 10000, "HT-203 dryer"},
    {15004, false, -40, 80, 0, 100, 4000, 20000, "HT-204 office"},
};

// What an erased memory cell reads.
constexpr std::uint8_t kErased = 0xFF;
constexpr std::uint16_t kUnusedBreakpoint = 0xFFFF;
constexpr int kLowestInputLimit = 2;
constexpr int kHighestInputLimit = 0xFFFD;
constexpr int kThermocoupleCjcSlopeShift = 15;

constexpr int kTemperatureZeroRaw = 6000;
constexpr int kStepsPerDegree = 30;
constexpr int kVoltageZeroRaw = 5400;
constexpr int kStepsPerOhm = 200;
constexpr int kResistanceZeroOhm = 55;

int ceilDiv(int a, int b) { return (a + b - 1) / b; }

int rangeRaw(Sensor sensor, int value, unsigned series) {
  if (sensor == kVoltage) return kVoltageZeroRaw + value * (series == 7 ? 1000 : 500);
  if (sensor == kResistance) return (value - kResistanceZeroOhm) * kStepsPerOhm;
  return kTemperatureZeroRaw + value * kStepsPerDegree;
}

// The input window of a voltage or resistance input: widened by 1/80 of the span at the end
// that maps to the low output and by 1/32 at the end that maps to the high output.
void setInputWindow(Bytes image, int lowRaw, int highRaw, bool reversed) {
  const int span = highRaw - lowRaw;
  const int below = ceilDiv(span, reversed ? 32 : 80);
  const int above = ceilDiv(span, reversed ? 80 : 32);
  tx::InputLimitLowRaw.set(image,
                           std::clamp(lowRaw - below, kLowestInputLimit, kHighestInputLimit));
  tx::InputLimitHighRaw.set(image,
                            std::clamp(highRaw + above, kLowestInputLimit, kHighestInputLimit));
}

void fillTransmitter(Bytes image, const TransmitterPreset& p, unsigned series) {
  const bool thermocouple = isThermocouple(p.sensor);
  std::uint16_t config = sensorCode(p.sensor);
  config |= static_cast<std::uint16_t>(p.connection << tx::kConnectionShift);
  if (p.reversed) config |= tx::kOutputReversedBit;
  if (p.failureHigh) config |= tx::kFailureHighBit;
  tx::InputConfig.set(image, config);

  tx::CjcSlopeShift.set(image, thermocouple ? kThermocoupleCjcSlopeShift : 0);
  const int lowRaw = rangeRaw(p.sensor, p.low, series);
  const int highRaw = rangeRaw(p.sensor, p.high, series);
  tx::RangeLowRaw.set(image, lowRaw);
  tx::RangeHighRaw.set(image, highRaw);
  tx::WireResistanceRaw.set(image, p.wireResistanceRaw);
  tx::ColdJunctionTempRaw.set(image, p.coldJunctionRaw);
  tx::TempOffsetRaw.set(image, p.tempOffsetRaw);
  tx::FilterTimeIndex.set(image, p.filter);
  tx::Tag.set(image, p.tag);

  // A fresh device: no breakpoints yet, every unused entry marked as the encoder marks it.
  for (std::size_t i = 0; i < tx::LinSignal.count; ++i)
    tx::LinSignal.set(image, i, kUnusedBreakpoint);
  for (std::size_t i = 0; i < tx::CjcTemp.count; ++i) tx::CjcTemp.set(image, i, kUnusedBreakpoint);
  if (p.sensor == kVoltage || p.sensor == kResistance) {
    setInputWindow(image, lowRaw, highRaw, p.reversed);
  } else {
    tx::InputLimitHighRaw.set(image, kHighestInputLimit);
  }
}

// The indicator's display scaling: the words the program itself computes from the display
// range and the two calibration points of the input.
void fillIndicator(Bytes image) {
  namespace ind = indicator;
  constexpr int kCalLow = 6554;    // 4 mA of the input
  constexpr int kCalHigh = 32768;  // 20 mA
  constexpr int kDisplayLow = 0;
  constexpr int kDisplayHigh = 1000;
  constexpr int kAlarmLow = 100;
  constexpr int kAlarmHigh = 900;
  constexpr int kFullScaleShift = 15;
  constexpr std::uint16_t kBothAlarms = 0b11;

  const double gain = static_cast<double>(kDisplayHigh - kDisplayLow) / (kCalHigh - kCalLow);
  const auto offset = static_cast<int>(std::floor(kDisplayLow - kCalLow * gain));
  ind::AlarmFlags.set(image, kBothAlarms);
  ind::DisplayLow.set(image, kDisplayLow);
  ind::DisplayHigh.set(image, kDisplayHigh);
  ind::AlarmLow.set(image, kAlarmLow);
  ind::AlarmHigh.set(image, kAlarmHigh);
  ind::ScaleGain.set(image, static_cast<std::int64_t>(std::floor(gain * (1 << kFullScaleShift))));
  ind::ScaleShift.set(image, kFullScaleShift);
  ind::ScaleOffset.set(image, offset);
  ind::Precision.set(image, 1);
  ind::AlarmLowRaw.set(image, static_cast<std::int64_t>(std::floor((kAlarmLow - offset) / gain)));
  ind::AlarmHighRaw.set(image, static_cast<std::int64_t>(std::floor((kAlarmHigh - offset) / gain)));
  ind::Tag.set(image, "LI-113");
  std::fill(image.begin() + 32, image.begin() + 64, 0);
  ind::ProductCode.set(image, ind::kProductCode);
  ind::InputCalLow.set(image, kCalLow);
  ind::InputCalHigh.set(image, kCalHigh);
}

void fillHumidity(Bytes image, const HumidityPreset& p) {
  namespace hum = humidity;
  hum::HumidityUnit.set(image, p.dewPoint ? 1 : 0);
  hum::TempRangeLow.set(image, p.tempLow * 100);
  hum::TempRangeHigh.set(image, p.tempHigh * 100);
  hum::HumRangeLow.set(image, p.humLow * 100);
  hum::HumRangeHigh.set(image, p.humHigh * 100);
  hum::TempOutLow.set(image, p.outLow);
  hum::TempOutHigh.set(image, p.outHigh);
  hum::HumOutLow.set(image, p.outLow);
  hum::HumOutHigh.set(image, p.outHigh);
  hum::Tag.set(image, p.tag);
  std::fill(image.begin() + 34, image.begin() + 64, 0);
  hum::ProductCode.set(image, p.productCode);
  // Both settlement paths meet real devices: the indicator shows 0xFFFF at 192, these 0.
  tx::ProductCode.set(image, 0);
}

}  // namespace

std::optional<SimulatedModel> findSimulatedModel(std::string_view nameOrCode, unsigned series) {
  unsigned code = 0;
  const auto [end, error] =
      std::from_chars(nameOrCode.data(), nameOrCode.data() + nameOrCode.size(), code);
  if (error == std::errc() && end == nameOrCode.data() + nameOrCode.size() && code <= 0xFFFF) {
    const auto model = findDeviceModel(static_cast<std::uint16_t>(code));
    if (!model) return std::nullopt;
    return SimulatedModel{*model, static_cast<std::uint16_t>(code)};
  }
  if (series != 7 && series != 9 && series != 10) return std::nullopt;
  for (const DeviceModel& model : allDeviceModels()) {
    if (model.name == nameOrCode) return SimulatedModel{model, exampleProductCode(model, series)};
  }
  return std::nullopt;
}

std::uint16_t defaultSerialNumber(const SimulatedModel& model) {
  constexpr std::uint16_t kFirstSerial = 21000;
  return static_cast<std::uint16_t>(kFirstSerial + modelNumber(model.productCode) * 10 +
                                    series(model.productCode) % 10);
}

ImageBytes makeModelImage(const SimulatedModel& model, std::uint16_t serialNumber) {
  ImageBytes image;
  image.fill(kErased);
  switch (model.model.family) {
    case ModelFamily::Indicator:
      fillIndicator(image);
      indicator::SerialNumber.set(image, serialNumber);
      return image;
    case ModelFamily::Humidity: {
      const auto preset =
          std::find_if(std::begin(kHumidityPresets), std::end(kHumidityPresets),
                       [&](const HumidityPreset& p) { return p.productCode == model.model.code; });
      fillHumidity(image, *preset);
      humidity::SerialNumber.set(image, serialNumber);
      return image;
    }
    case ModelFamily::CurrentOutput:
    case ModelFamily::VoltageOutput: {
      std::fill_n(image.begin(), kTransmitterBlockSize, 0);
      const auto preset = std::find_if(
          std::begin(kTransmitterPresets), std::end(kTransmitterPresets),
          [&](const TransmitterPreset& p) { return p.modelNumber == model.model.code; });
      fillTransmitter(image, *preset, series(model.productCode));
      tx::ProductCode.set(image, model.productCode);
      tx::SerialNumber.set(image, serialNumber);
      return image;
    }
  }
  return image;
}

ImageBytes makeRandomImage(std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 0xFF);
  ImageBytes image;
  for (auto& b : image) b = static_cast<std::uint8_t>(byte(generator));
  return image;
}

}  // namespace tadjust
