#include "image/device_settings.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "image/raw_scales.h"

namespace tadjust {

namespace {

using F = SettingsField;
using U = SettingsUnit;

constexpr std::array kFieldInfos = {
    SettingsFieldInfo{F::SensorType, "sensorType", U::None},
    SettingsFieldInfo{F::RangeLow, "rangeLow", U::SensorRange},
    SettingsFieldInfo{F::RangeHigh, "rangeHigh", U::SensorRange},
    SettingsFieldInfo{F::Connection, "connection", U::None},
    SettingsFieldInfo{F::WireResistance, "wireResistance", U::Ohm},
    SettingsFieldInfo{F::ColdJunctionTemperature, "coldJunctionTemperature", U::DegreesCelsius},
    SettingsFieldInfo{F::TemperatureOffset, "temperatureOffset", U::DegreesCelsius},
    SettingsFieldInfo{F::FilterTime, "filterTime", U::None},
    SettingsFieldInfo{F::OutputReversed, "outputReversed", U::None},
    SettingsFieldInfo{F::FailureHigh, "failureHigh", U::None},
    SettingsFieldInfo{F::DisplayLow, "displayLow", U::DisplayCounts},
    SettingsFieldInfo{F::DisplayHigh, "displayHigh", U::DisplayCounts},
    SettingsFieldInfo{F::Precision, "precision", U::None},
    SettingsFieldInfo{F::AlarmLow, "alarmLow", U::DisplayCounts},
    SettingsFieldInfo{F::AlarmHigh, "alarmHigh", U::DisplayCounts},
    SettingsFieldInfo{F::AlarmLowOn, "alarmLowOn", U::None},
    SettingsFieldInfo{F::AlarmHighOn, "alarmHighOn", U::None},
    SettingsFieldInfo{F::HumidityUnit, "humidityUnit", U::None},
    SettingsFieldInfo{F::TemperatureLow, "temperatureLow", U::DegreesCelsius},
    SettingsFieldInfo{F::TemperatureHigh, "temperatureHigh", U::DegreesCelsius},
    SettingsFieldInfo{F::HumidityLow, "humidityLow", U::HumidityRange},
    SettingsFieldInfo{F::HumidityHigh, "humidityHigh", U::HumidityRange},
    SettingsFieldInfo{F::TemperatureOutputLow, "temperatureOutputLow", U::OutputSignal},
    SettingsFieldInfo{F::TemperatureOutputHigh, "temperatureOutputHigh", U::OutputSignal},
    SettingsFieldInfo{F::HumidityOutputLow, "humidityOutputLow", U::OutputSignal},
    SettingsFieldInfo{F::HumidityOutputHigh, "humidityOutputHigh", U::OutputSignal},
    SettingsFieldInfo{F::Tag, "tag", U::None},
};

// The texts a file names list entries by: what the entry means, not where it stands.
constexpr std::array<std::string_view, kSensorTypeCount> kSensorTypeNames = {
    "Pt100", "Ni100", "B", "R", "S", "N", "K", "J", "T", "voltage", "resistance"};
constexpr std::array<std::string_view, 3> kConnectionNames = {"2-wire", "3-wire", "4-wire"};
constexpr std::array<std::string_view, 2> kCompensationNames = {"internal", "external"};
constexpr std::array<std::string_view, 7> kFilterTimeNames = {"0.2", "1",  "2", "4",
                                                              "8",   "16", "32"};
constexpr std::array<std::string_view, 2> kHumidityUnitNames = {"%RH", "°Cdp"};

template <std::size_t N>
std::string entryName(const std::array<std::string_view, N>& names, int entry) {
  if (entry < 0 || entry >= static_cast<int>(N)) return "?" + std::to_string(entry);
  return std::string(names[static_cast<std::size_t>(entry)]);
}

bool thermocoupleInput(const TransmitterSettings& s);

std::string numberText(const SettingNumber& number) {
  return number ? number->toString() : std::string();
}
std::string flagText(bool flag) { return flag ? "true" : "false"; }

std::string transmitterText(const TransmitterSettings& s, SettingsField field) {
  switch (field) {
    case F::SensorType:
      return s.sensorType ? std::string(kSensorTypeNames[entryOf(*s.sensorType)]) : "?";
    case F::RangeLow:
      return numberText(s.rangeLow);
    case F::RangeHigh:
      return numberText(s.rangeHigh);
    case F::Connection:
      if (!s.connection) return {};
      if (thermocoupleInput(s)) return entryName(kCompensationNames, *s.connection);
      return entryName(kConnectionNames, *s.connection);
    case F::WireResistance:
      return numberText(s.wireResistance);
    case F::ColdJunctionTemperature:
      return numberText(s.coldJunctionTemperature);
    case F::TemperatureOffset:
      return numberText(s.temperatureOffset);
    case F::FilterTime:
      return entryName(kFilterTimeNames, s.filterIndex);
    case F::OutputReversed:
      return flagText(s.outputReversed);
    case F::FailureHigh:
      return flagText(s.failureHigh);
    case F::Tag:
      return s.tag;
    default:
      return {};
  }
}

std::string indicatorText(const IndicatorSettings& s, SettingsField field) {
  switch (field) {
    case F::DisplayLow:
      return numberText(s.displayLow);
    case F::DisplayHigh:
      return numberText(s.displayHigh);
    case F::Precision:
      return std::to_string(s.precision);
    case F::AlarmLow:
      return numberText(s.alarmLow);
    case F::AlarmHigh:
      return numberText(s.alarmHigh);
    case F::AlarmLowOn:
      return flagText(s.alarmLowOn);
    case F::AlarmHighOn:
      return flagText(s.alarmHighOn);
    case F::Tag:
      return s.tag;
    default:
      return {};
  }
}

std::string humidityText(const HumiditySettings& s, SettingsField field) {
  switch (field) {
    case F::HumidityUnit:
      return s.unit == kNoEntry ? std::string() : entryName(kHumidityUnitNames, s.unit);
    case F::TemperatureLow:
      return numberText(s.temperatureLow);
    case F::TemperatureHigh:
      return numberText(s.temperatureHigh);
    case F::HumidityLow:
      return numberText(s.humidityLow);
    case F::HumidityHigh:
      return numberText(s.humidityHigh);
    case F::TemperatureOutputLow:
      return numberText(s.temperatureOutputLow);
    case F::TemperatureOutputHigh:
      return numberText(s.temperatureOutputHigh);
    case F::HumidityOutputLow:
      return numberText(s.humidityOutputLow);
    case F::HumidityOutputHigh:
      return numberText(s.humidityOutputHigh);
    case F::Tag:
      return s.tag;
    default:
      return {};
  }
}

// --- decoding -----------------------------------------------------------------------------

SettingNumber exactly(double value) { return Decimal::ofDouble(value); }
SettingNumber whole(std::int64_t value) { return Decimal::ofInteger(value); }

// InputConfig's sensor code: the subtype (bits 8-10) and the input kind (bits 12-13).
constexpr std::uint16_t kSensorCodeBits = 0x3700;

bool thermocoupleInput(const TransmitterSettings& s) {
  if (s.sensorType) return isThermocouple(*s.sensorType);
  return s.unknownSensor && s.unknownSensor->inputKind == transmitter::kThermocouple;
}

// How a transmitter's image is read: as the device group shows it, or by the copy's rule.
enum class DecodingRule { AsShown, ForCopy };

SettingNumber hundredthsIf(bool rounded, SettingNumber number) {
  if (rounded && number) return number->round2();
  return number;
}

// Ranges and temperatures from their words, the correction rounded to hundredths; as the device
// group shows them, the voltage and resistance ranges too.
TransmitterSettings decodeTransmitter(ConstBytes image, const LaidOutModel& model,
                                      DecodingRule rule, SensorType presentSensorType) {
  using namespace transmitter;
  const bool shown = rule == DecodingRule::AsShown;
  TransmitterSettings s;
  std::uint16_t inputConfig = InputConfig.get(image);
  if (!shown && !decodedSensorType(inputConfig)) {
    const SensorType read =
        sensorClass(inputConfig) == kThermocouple ? SensorType::Voltage : presentSensorType;
    inputConfig = static_cast<std::uint16_t>((inputConfig & ~kSensorCodeBits) | sensorCode(read));
  }
  s.sensorType = decodedSensorType(inputConfig);
  const int sensorClass = transmitter::sensorClass(inputConfig);
  if (!s.sensorType) s.unknownSensor = UnknownSensor{sensorClass, sensorSubtype(inputConfig)};
  const int connection = connectionCode(inputConfig);
  const bool seriesSensor = model.model.specialSensorList;
  const SettingNumber wireResistance =
      exactly(raw_scales::wireResistanceFromRaw(WireResistanceRaw.get(image), seriesSensor));
  const SettingNumber coldJunction =
      exactly(raw_scales::temperatureFromRaw(ColdJunctionTempRaw.get(image)));
  const SettingNumber offset =
      exactly(raw_scales::tempOffsetFromRaw(TempOffsetRaw.get(image))).value().round2();

  if (sensorClass == kVoltage) {
    const auto millivolts = [&](std::uint16_t raw) -> SettingNumber {
      const auto mv = raw_scales::voltageFromRaw(raw, model.series);
      if (!mv) return std::nullopt;
      return hundredthsIf(shown, exactly(*mv));
    };
    s.rangeLow = millivolts(RangeLowRaw.get(image));
    s.rangeHigh = millivolts(RangeHighRaw.get(image));
    if (!s.rangeLow || !s.rangeHigh)
      s.unscaledRange = UnscaledRange{RangeLowRaw.get(image), RangeHighRaw.get(image)};
  } else if (sensorClass == kResistance) {
    const auto ohms = [&](std::uint16_t raw) -> SettingNumber {
      SettingNumber ohm = hundredthsIf(shown, exactly(raw_scales::resistanceFromRaw(raw)));
      if (shown && seriesSensor)
        ohm = exactly(ohm.value_or(Decimal()).toDouble() * raw_scales::kSeriesSensorFactor);
      return ohm;
    };
    s.rangeLow = ohms(RangeLowRaw.get(image));
    s.rangeHigh = ohms(RangeHighRaw.get(image));
    // The resistance input is 2-wire in the device group whatever the code.
    s.connection = shown ? 0 : connection;
    s.wireResistance = wireResistance;
  } else {
    s.rangeLow = exactly(raw_scales::temperatureFromRaw(RangeLowRaw.get(image)));
    s.rangeHigh = exactly(raw_scales::temperatureFromRaw(RangeHighRaw.get(image)));
    s.temperatureOffset = offset;
    s.connection = connection;
    if (sensorClass == kRtd && connection == 0) s.wireResistance = wireResistance;
    if (sensorClass != kRtd && connection == 1) s.coldJunctionTemperature = coldJunction;
  }
  if (!shown) {
    s.connection = connection;
    s.wireResistance = wireResistance;
    s.coldJunctionTemperature = coldJunction;
    s.temperatureOffset = offset;
  } else if (model.model.probe) {
    // A fixed-sensor probe shows no connection and stores nothing for it.
    s.connection = std::nullopt;
    s.wireResistance = std::nullopt;
    s.coldJunctionTemperature = std::nullopt;
  }
  s.filterIndex = FilterTimeIndex.get(image);
  s.outputReversed = (inputConfig & kOutputReversedBit) != 0;
  s.failureHigh = (inputConfig & kFailureHighBit) != 0;
  s.tag = Tag.get(image);
  return s;
}

IndicatorSettings decodeIndicator(ConstBytes copy) {
  using namespace indicator;
  IndicatorSettings s;
  s.displayLow = whole(DisplayLow.get(copy));
  s.displayHigh = whole(DisplayHigh.get(copy));
  s.precision = Precision.get(copy);
  s.alarmLow = whole(AlarmLow.get(copy));
  s.alarmHigh = whole(AlarmHigh.get(copy));
  const std::uint16_t alarms = AlarmFlags.get(copy);
  s.alarmLowOn = (alarms & 1u) != 0;
  s.alarmHighOn = (alarms & 2u) != 0;
  s.tag = Tag.get(copy);
  return s;
}

// Ranges in whole units (hundredths truncated toward zero), outputs as stored.
HumiditySettings decodeHumidity(ConstBytes copy, const LaidOutModel& model) {
  using namespace humidity;
  constexpr int kHundredths = 100;
  HumiditySettings s;
  s.unit = (HumidityUnit.get(copy) & 1u) != 0 ? 1 : 0;
  s.temperatureLow = whole(TempRangeLow.get(copy) / kHundredths);
  s.temperatureHigh = whole(TempRangeHigh.get(copy) / kHundredths);
  s.humidityLow = whole(HumRangeLow.get(copy) / kHundredths);
  s.humidityHigh = whole(HumRangeHigh.get(copy) / kHundredths);
  if (model.model.output != OutputKind::None) {
    s.temperatureOutputLow = whole(TempOutLow.get(copy));
    s.temperatureOutputHigh = whole(TempOutHigh.get(copy));
    s.humidityOutputLow = whole(HumOutLow.get(copy));
    s.humidityOutputHigh = whole(HumOutHigh.get(copy));
  }
  s.tag = Tag.get(copy);
  return s;
}

// --- setting from text ----------------------------------------------------------------------

template <std::size_t N>
std::optional<int> entryNamed(const std::array<std::string_view, N>& names, std::string_view text) {
  for (std::size_t i = 0; i < N; ++i)
    if (names[i] == text) return static_cast<int>(i);
  return std::nullopt;
}

bool setNumber(SettingNumber& number, std::string_view text) {
  const auto value = Decimal::parse(text);
  if (!value) return false;
  number = value;
  return true;
}

bool setFlag(bool& flag, std::string_view text) {
  if (text != "true" && text != "false") return false;
  flag = text == "true";
  return true;
}

template <std::size_t N>
bool setEntry(int& entry, const std::array<std::string_view, N>& names, std::string_view text) {
  const auto found = entryNamed(names, text);
  if (!found) return false;
  entry = *found;
  return true;
}

bool setTransmitterField(TransmitterSettings& s, SettingsField field, std::string_view text) {
  switch (field) {
    case F::SensorType:
      if (const auto entry = entryNamed(kSensorTypeNames, text)) {
        s.sensorType = sensorTypeAt(*entry);
        return true;
      }
      return false;
    case F::RangeLow:
      return setNumber(s.rangeLow, text);
    case F::RangeHigh:
      return setNumber(s.rangeHigh, text);
    case F::Connection: {
      // The compensation's names for a thermocouple, the connection's for the rest.
      const bool thermocouple = s.sensorType && isThermocouple(*s.sensorType);
      const auto entry =
          thermocouple ? entryNamed(kCompensationNames, text) : entryNamed(kConnectionNames, text);
      if (entry) s.connection = *entry;
      return entry.has_value();
    }
    case F::WireResistance:
      return setNumber(s.wireResistance, text);
    case F::ColdJunctionTemperature:
      return setNumber(s.coldJunctionTemperature, text);
    case F::TemperatureOffset:
      return setNumber(s.temperatureOffset, text);
    case F::FilterTime:
      return setEntry(s.filterIndex, kFilterTimeNames, text);
    case F::OutputReversed:
      return setFlag(s.outputReversed, text);
    case F::FailureHigh:
      return setFlag(s.failureHigh, text);
    case F::Tag:
      s.tag = text;
      return true;
    default:
      return false;
  }
}

bool setIndicatorField(IndicatorSettings& s, SettingsField field, std::string_view text) {
  constexpr std::array<std::string_view, 4> kPrecisionNames = {"0", "1", "2", "3"};
  switch (field) {
    case F::DisplayLow:
      return setNumber(s.displayLow, text);
    case F::DisplayHigh:
      return setNumber(s.displayHigh, text);
    case F::Precision:
      return setEntry(s.precision, kPrecisionNames, text);
    case F::AlarmLow:
      return setNumber(s.alarmLow, text);
    case F::AlarmHigh:
      return setNumber(s.alarmHigh, text);
    case F::AlarmLowOn:
      return setFlag(s.alarmLowOn, text);
    case F::AlarmHighOn:
      return setFlag(s.alarmHighOn, text);
    case F::Tag:
      s.tag = text;
      return true;
    default:
      return false;
  }
}

bool setHumidityField(HumiditySettings& s, SettingsField field, std::string_view text) {
  switch (field) {
    case F::HumidityUnit:
      return setEntry(s.unit, kHumidityUnitNames, text);
    case F::TemperatureLow:
      return setNumber(s.temperatureLow, text);
    case F::TemperatureHigh:
      return setNumber(s.temperatureHigh, text);
    case F::HumidityLow:
      return setNumber(s.humidityLow, text);
    case F::HumidityHigh:
      return setNumber(s.humidityHigh, text);
    case F::TemperatureOutputLow:
      return setNumber(s.temperatureOutputLow, text);
    case F::TemperatureOutputHigh:
      return setNumber(s.temperatureOutputHigh, text);
    case F::HumidityOutputLow:
      return setNumber(s.humidityOutputLow, text);
    case F::HumidityOutputHigh:
      return setNumber(s.humidityOutputHigh, text);
    case F::Tag:
      s.tag = text;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool setFieldText(DeviceSettings& settings, SettingsField field, std::string_view text) {
  return std::visit(
      [&](auto& s) -> bool {
        using T = std::decay_t<decltype(s)>;
        T changed = s;
        bool set = false;
        if constexpr (std::is_same_v<T, TransmitterSettings>)
          set = setTransmitterField(changed, field, text);
        if constexpr (std::is_same_v<T, IndicatorSettings>)
          set = setIndicatorField(changed, field, text);
        if constexpr (std::is_same_v<T, HumiditySettings>)
          set = setHumidityField(changed, field, text);
        if (set) s = changed;
        return set;
      },
      settings);
}

bool holdsField(const DeviceSettings& settings, SettingsField field) {
  const auto fields = fieldsOf(layoutOf(settings));
  if (std::find(fields.begin(), fields.end(), field) == fields.end()) return false;
  switch (fieldInfo(field).unit) {
    case U::None:
      if (field == F::Connection)
        return std::get<TransmitterSettings>(settings).connection.has_value();
      if (field == F::HumidityUnit) return std::get<HumiditySettings>(settings).unit != kNoEntry;
      return true;
    default:
      return !fieldText(settings, field).empty();
  }
}

const SettingsFieldInfo& fieldInfo(SettingsField field) {
  return kFieldInfos[static_cast<std::size_t>(field)];
}

std::optional<SettingsField> fieldNamed(std::string_view key) {
  for (const SettingsFieldInfo& info : kFieldInfos)
    if (info.key == key) return info.field;
  return std::nullopt;
}

std::vector<SettingsField> fieldsOf(Layout layout) {
  switch (layout) {
    case Layout::Indicator:
      return {F::DisplayLow, F::DisplayHigh, F::Precision,   F::AlarmLow,
              F::AlarmHigh,  F::AlarmLowOn,  F::AlarmHighOn, F::Tag};
    case Layout::Humidity:
      return {F::HumidityUnit,          F::TemperatureLow,
              F::TemperatureHigh,       F::HumidityLow,
              F::HumidityHigh,          F::TemperatureOutputLow,
              F::TemperatureOutputHigh, F::HumidityOutputLow,
              F::HumidityOutputHigh,    F::Tag};
    case Layout::Transmitter:
      break;
  }
  return {F::SensorType,
          F::RangeLow,
          F::RangeHigh,
          F::Connection,
          F::WireResistance,
          F::ColdJunctionTemperature,
          F::TemperatureOffset,
          F::FilterTime,
          F::OutputReversed,
          F::FailureHigh,
          F::Tag};
}

Layout layoutOf(const DeviceSettings& settings) {
  if (std::holds_alternative<IndicatorSettings>(settings)) return Layout::Indicator;
  if (std::holds_alternative<HumiditySettings>(settings)) return Layout::Humidity;
  return Layout::Transmitter;
}

std::string fieldText(const DeviceSettings& settings, SettingsField field) {
  return std::visit(
      [field](const auto& s) -> std::string {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, TransmitterSettings>) return transmitterText(s, field);
        if constexpr (std::is_same_v<T, IndicatorSettings>) return indicatorText(s, field);
        if constexpr (std::is_same_v<T, HumiditySettings>) return humidityText(s, field);
      },
      settings);
}

std::vector<SettingsField> comparedFields(const LaidOutModel& model) {
  std::vector<SettingsField> fields = fieldsOf(model.layout);
  const auto leaveOut = [&fields](std::initializer_list<SettingsField> left) {
    std::erase_if(fields, [&](SettingsField f) {
      return std::find(left.begin(), left.end(), f) != left.end();
    });
  };
  if (model.layout == Layout::Transmitter && model.model.probe)
    leaveOut({F::Connection, F::WireResistance, F::ColdJunctionTemperature});
  if (model.layout == Layout::Humidity) {
    if (model.model.unitChoice == UnitChoice::None) leaveOut({F::HumidityUnit});
    if (model.model.output == OutputKind::None)
      leaveOut({F::TemperatureOutputLow, F::TemperatureOutputHigh, F::HumidityOutputLow,
                F::HumidityOutputHigh});
  }
  return fields;
}

FieldValue fieldValue(const DeviceSettings& settings, SettingsField field) {
  const auto number = [](const SettingNumber& n) -> FieldValue {
    if (n) return *n;
    return std::monostate{};
  };
  if (const auto* s = std::get_if<TransmitterSettings>(&settings)) {
    switch (field) {
      case F::SensorType:
        if (s->sensorType) return entryOf(*s->sensorType);
        if (s->unknownSensor) return *s->unknownSensor;
        return std::monostate{};
      case F::RangeLow:
        if (s->unscaledRange) return static_cast<int>(s->unscaledRange->low);
        return number(s->rangeLow);
      case F::RangeHigh:
        if (s->unscaledRange) return static_cast<int>(s->unscaledRange->high);
        return number(s->rangeHigh);
      case F::Connection:
        // The entry of the connection list or of the compensation list: "3-wire" is not
        // "external", though both stand second.
        if (s->connection) return transmitterText(*s, field);
        return std::monostate{};
      case F::WireResistance:
        return number(s->wireResistance);
      case F::ColdJunctionTemperature:
        return number(s->coldJunctionTemperature);
      case F::TemperatureOffset:
        return number(s->temperatureOffset);
      case F::FilterTime:
        return s->filterIndex;
      case F::OutputReversed:
        return s->outputReversed;
      case F::FailureHigh:
        return s->failureHigh;
      case F::Tag:
        return s->tag;
      default:
        return std::monostate{};
    }
  }
  if (const auto* s = std::get_if<IndicatorSettings>(&settings)) {
    switch (field) {
      case F::DisplayLow:
        return number(s->displayLow);
      case F::DisplayHigh:
        return number(s->displayHigh);
      case F::Precision:
        return s->precision;
      case F::AlarmLow:
        return number(s->alarmLow);
      case F::AlarmHigh:
        return number(s->alarmHigh);
      case F::AlarmLowOn:
        return s->alarmLowOn;
      case F::AlarmHighOn:
        return s->alarmHighOn;
      case F::Tag:
        return s->tag;
      default:
        return std::monostate{};
    }
  }
  const auto& s = std::get<HumiditySettings>(settings);
  switch (field) {
    case F::HumidityUnit:
      if (s.unit == kNoEntry) return std::monostate{};
      return s.unit;
    case F::TemperatureLow:
      return number(s.temperatureLow);
    case F::TemperatureHigh:
      return number(s.temperatureHigh);
    case F::HumidityLow:
      return number(s.humidityLow);
    case F::HumidityHigh:
      return number(s.humidityHigh);
    case F::TemperatureOutputLow:
      return number(s.temperatureOutputLow);
    case F::TemperatureOutputHigh:
      return number(s.temperatureOutputHigh);
    case F::HumidityOutputLow:
      return number(s.humidityOutputLow);
    case F::HumidityOutputHigh:
      return number(s.humidityOutputHigh);
    case F::Tag:
      return s.tag;
    default:
      return std::monostate{};
  }
}

namespace {

std::vector<SettingsField> differingAmong(const DeviceSettings& a, const DeviceSettings& b,
                                          const std::vector<SettingsField>& fields) {
  std::vector<SettingsField> differing;
  if (a.index() != b.index()) return differing;
  for (const SettingsField field : fields)
    if (fieldValue(a, field) != fieldValue(b, field)) differing.push_back(field);
  return differing;
}

}  // namespace

std::vector<SettingsField> differingFields(const DeviceSettings& a, const DeviceSettings& b,
                                           const LaidOutModel& model) {
  if (layoutOf(a) != model.layout) return {};
  return differingAmong(a, b, comparedFields(model));
}

std::vector<SettingsField> differingFields(const DeviceSettings& a, const DeviceSettings& b) {
  return differingAmong(a, b, fieldsOf(layoutOf(a)));
}

std::optional<SensorType> decodedSensorType(std::uint16_t inputConfig) {
  constexpr int kLastRtdSubtype = 1;
  constexpr int kLastThermocoupleSubtype = 6;
  const int subtype = transmitter::sensorSubtype(inputConfig);
  switch (transmitter::sensorClass(inputConfig)) {
    case transmitter::kResistance:
      return SensorType::Resistance;
    case transmitter::kVoltage:
      return SensorType::Voltage;
    case transmitter::kRtd:
      return subtype > kLastRtdSubtype ? std::nullopt : sensorTypeAt(subtype);
    default:
      if (subtype > kLastThermocoupleSubtype) return std::nullopt;
      return sensorTypeAt(entryOf(SensorType::ThermocoupleB) + subtype);
  }
}

TransmitterSettings decodeForCopy(const SettingsImages& images, const LaidOutModel& model,
                                  SensorType presentSensorType) {
  return decodeTransmitter(images.SettingsImage, model, DecodingRule::ForCopy, presentSensorType);
}

DeviceSettings decodeSettings(const SettingsImages& images, const LaidOutModel& model) {
  switch (model.layout) {
    case Layout::Indicator:
      return decodeIndicator(images.IndicatorCopy);
    case Layout::Humidity:
      return decodeHumidity(images.HumidityCopy, model);
    case Layout::Transmitter:
      break;
  }
  return decodeTransmitter(images.SettingsImage, model, DecodingRule::AsShown, SensorType::Pt100);
}

}  // namespace tadjust
