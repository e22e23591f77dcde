#include "edit/validation_limits.h"

namespace tadjust {

namespace {

std::size_t at(int block, SensorType sensorType) {
  return static_cast<std::size_t>(block * kSensorTypeCount + entryOf(sensorType));
}

enum Block { kLow7, kHigh7, kLow9, kHigh9 };

// Rows of the humidity table that several boxes, models or units share.
constexpr HumidityLimits kTemperatureLow{-40, -40, 110, 10};
constexpr HumidityLimits kTemperatureLowArr43{-40, -40, 70, 10};
constexpr HumidityLimits kTemperatureHigh{100, -30, 120, 10};
constexpr HumidityLimits kTemperatureHighArr43{80, -30, 80, 10};
constexpr HumidityLimits kRelativeHumidityLow{0, 0, 90, 10};
constexpr HumidityLimits kRelativeHumidityHigh{100, 10, 100, 10};
// The upper humidity in dew point falls back to its maximum, unlike the upper temperature.
constexpr HumidityLimits kDewPointHigh{120, -30, 120, 10};

// The output pairs: the temperature output's lower box differs from the humidity output's only
// on ARR-43, whose temperature output starts at 4000 µA (its output rows are never shown).
constexpr HumidityLimits kMillivoltOutputLow{200, 0, 4000, 500};  // 935-JYRA
constexpr HumidityLimits kMillivoltOutputHigh{4500, 500, 4500, 500};
constexpr HumidityLimits kCurrentOutputLow{4000, 0, 18000, 2000};  // ARR/A, ARR-43
constexpr HumidityLimits kArr43TemperatureOutputLow{4000, 4000, 18000, 2000};
constexpr HumidityLimits kCurrentOutputHigh{20000, 2000, 20000, 2000};
constexpr HumidityLimits kVoltageOutputLow{0, 0, 9000, 1000};  // ARR/V
constexpr HumidityLimits kVoltageOutputHigh{10000, 1000, 10000, 1000};

HumidityLimits outputLow(HumidityModel model, bool temperatureOutput) {
  switch (model) {
    case HumidityModel::Jyra935:
      return kMillivoltOutputLow;
    case HumidityModel::ArrV:
      return kVoltageOutputLow;
    case HumidityModel::Arr43:
      return temperatureOutput ? kArr43TemperatureOutputLow : kCurrentOutputLow;
    case HumidityModel::ArrA:
      break;
  }
  return kCurrentOutputLow;
}

HumidityLimits outputHigh(HumidityModel model) {
  switch (model) {
    case HumidityModel::Jyra935:
      return kMillivoltOutputHigh;
    case HumidityModel::ArrV:
      return kVoltageOutputHigh;
    case HumidityModel::ArrA:
    case HumidityModel::Arr43:
      break;
  }
  return kCurrentOutputHigh;
}

// The humidity range in dew point has the temperature range's limits: ARR-43's narrower one, or
// the wider one of ARR/A and ARR/V.
std::optional<HumidityLimits> humidityRange(bool lower, HumidityModel model, int unit) {
  const bool unitChoice = model != HumidityModel::Jyra935;
  if (!unitChoice || unit == kRelativeHumidity) {
    return lower ? kRelativeHumidityLow : kRelativeHumidityHigh;
  }
  if (unit != kDewPoint) return std::nullopt;
  const bool arr43 = model == HumidityModel::Arr43;
  if (lower) return arr43 ? kTemperatureLowArr43 : kTemperatureLow;
  return arr43 ? kTemperatureHighArr43 : kDewPointHigh;
}

}  // namespace

std::optional<SensorRange> sensorRange(unsigned series, SensorType sensorType) {
  if (series == 7)
    return SensorRange{RangeTable[at(kLow7, sensorType)], RangeTable[at(kHigh7, sensorType)]};
  if (series == 9 || series == 10) {
    return SensorRange{RangeTable[at(kLow9, sensorType)], RangeTable[at(kHigh9, sensorType)]};
  }
  return std::nullopt;
}

double minimumSpan(SensorType sensorType) {
  return MinimumSpan[static_cast<std::size_t>(entryOf(sensorType))];
}

ProbeRange probeRange(FixedProbe probe) {
  constexpr double kProbeSpan = 30;
  switch (probe) {
    case FixedProbe::Rq117:
      return {-50, 170, 200, kProbeSpan};
    case FixedProbe::Rq18x:
      return {-100, 370, 400, kProbeSpan};
    case FixedProbe::Rq17x:
      break;
  }
  return {-30, 40, 70, kProbeSpan};
}

std::optional<HumidityLimits> humidityLimits(HumidityBox box, HumidityModel model,
                                             int humidityUnit) {
  const bool arr43 = model == HumidityModel::Arr43;
  switch (box) {
    case HumidityBox::Edit1:
      return arr43 ? kTemperatureLowArr43 : kTemperatureLow;
    case HumidityBox::Edit2:
      return arr43 ? kTemperatureHighArr43 : kTemperatureHigh;
    case HumidityBox::Edit19:
      return humidityRange(true, model, humidityUnit);
    case HumidityBox::Edit3:
      return humidityRange(false, model, humidityUnit);
    case HumidityBox::Edit4:
      return outputLow(model, true);
    case HumidityBox::Edit21:
      return outputLow(model, false);
    case HumidityBox::Edit20:
    case HumidityBox::Edit22:
      return outputHigh(model);
  }
  return std::nullopt;
}

bool isLowerBox(HumidityBox box) {
  return box == HumidityBox::Edit1 || box == HumidityBox::Edit19 || box == HumidityBox::Edit4 ||
         box == HumidityBox::Edit21;
}

HumidityBox partnerOf(HumidityBox box) {
  switch (box) {
    case HumidityBox::Edit1:
      return HumidityBox::Edit2;
    case HumidityBox::Edit2:
      return HumidityBox::Edit1;
    case HumidityBox::Edit19:
      return HumidityBox::Edit3;
    case HumidityBox::Edit3:
      return HumidityBox::Edit19;
    case HumidityBox::Edit4:
      return HumidityBox::Edit20;
    case HumidityBox::Edit20:
      return HumidityBox::Edit4;
    case HumidityBox::Edit21:
      return HumidityBox::Edit22;
    case HumidityBox::Edit22:
      break;
  }
  return HumidityBox::Edit21;
}

}  // namespace tadjust
