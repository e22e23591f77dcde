#include "view/settings_rows.h"

#include <QStringList>
#include <algorithm>
#include <array>

#include "catalogue/device_catalogue.h"
#include "image/device_identity.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"
#include "ui/unit_texts.h"
#include "ui/window_texts.h"
#include "view/row_captions.h"
#include "view/settings_view.h"

namespace tadjust {

namespace {

using F = SettingsField;

constexpr BilingualText kOn{"on", "wł."};
constexpr BilingualText kOff{"off", "wył."};
constexpr char kNone[] = "–";

// The device group's rows.
enum Row {
  kProductCodeRow,
  kSerialNumberRow,
  kSensorTypeRow,
  kRangeLowRow,
  kRangeHighRow,
  kConnectionRow,
  kSecondInputRow,  // lead resistance, cold junction, the indicator's low alarm, ...
  kOffsetRow,
  kFilterRow,
  kOutputRow,
  kFailureRow,
  kTagRow,
};

QString withoutColon(const BilingualText& caption, bool english) {
  QString text = caption.in(english);
  if (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text;
}

// What the device group shows for a code no list entry and no text names: a question mark with
// the code, so that no earlier text stands in for it.
QString unknownValue(long long code) { return QStringLiteral("? (%1)").arg(code); }

class Wording {
 public:
  explicit Wording(const SettingsWording& wording) : w_(wording) {}

  bool english() const { return w_.english; }
  QString caption(const BilingualText& text) const { return withoutColon(text, w_.english); }

  QString number(const Decimal& value) const {
    return QString::fromStdString(
        number_text::formatGeneral(value.toDouble(), w_.decimalSeparator));
  }
  QString number(const SettingNumber& value) const {
    return value ? number(*value) : QString::fromUtf8(kNone);
  }

  // A list entry as the list shows it; in a document, a number in it with the language's
  // separator.
  template <std::size_t N>
  QString listEntry(const std::array<const char*, N>& entries, int entry) const {
    if (entry < 0 || entry >= static_cast<int>(N)) return unknownValue(entry);
    QString text = QString::fromUtf8(entries[static_cast<std::size_t>(entry)]);
    if (!w_.listEntriesAsListed) text.replace(QLatin1Char(','), QLatin1Char(w_.decimalSeparator));
    return text;
  }
  template <std::size_t N>
  QString entry(const std::array<BilingualText, N>& entries, int entry) const {
    if (entry < 0 || entry >= static_cast<int>(N)) return unknownValue(entry);
    return entries[static_cast<std::size_t>(entry)].in(w_.english);
  }
  QString flag(bool on) const { return (on ? kOn : kOff).in(w_.english); }

 private:
  SettingsWording w_;
};

SettingText text(QString caption, QString value, const char* unit = nullptr) {
  return {std::move(caption), std::move(value), unit ? QString::fromUtf8(unit) : QString()};
}

// --- transmitters ----------------------------------------------------------------------------

enum class Input { ResistanceThermometer, Thermocouple, Voltage, Resistance };

Input inputOf(const TransmitterSettings& s) {
  int kind = transmitter::kRtd;
  if (s.sensorType) {
    if (isThermocouple(*s.sensorType)) kind = transmitter::kThermocouple;
    if (*s.sensorType == SensorType::Voltage) kind = transmitter::kVoltage;
    if (*s.sensorType == SensorType::Resistance) kind = transmitter::kResistance;
  } else if (s.unknownSensor) {
    kind = s.unknownSensor->inputKind;
  }
  switch (kind) {
    case transmitter::kThermocouple:
      return Input::Thermocouple;
    case transmitter::kVoltage:
      return Input::Voltage;
    case transmitter::kResistance:
      return Input::Resistance;
    default:
      return Input::ResistanceThermometer;
  }
}

bool temperatureInput(Input input) {
  return input == Input::ResistanceThermometer || input == Input::Thermocouple;
}

const char* rangeUnit(Input input) {
  switch (input) {
    case Input::Voltage:
      return unit_texts::Millivolt;
    case Input::Resistance:
      return unit_texts::Ohm;
    default:
      return unit_texts::Celsius;
  }
}

const char* outputUnit(const LaidOutModel& model) {
  return model.model.family == ModelFamily::VoltageOutput ? "[V]" : "[mA]";
}

// The range as the settings hold it (a read holds the device group's hundredths), a voltage
// on a series without a scale as its raw word.
QString transmitterRange(const TransmitterSettings& s, bool low, const Wording& w) {
  if (s.unscaledRange && inputOf(s) == Input::Voltage)
    return unknownValue(low ? s.unscaledRange->low : s.unscaledRange->high);
  return w.number(low ? s.rangeLow : s.rangeHigh);
}

QString sensorTypeText(const TransmitterSettings& s, const LaidOutModel& model, const Wording& w) {
  if (s.sensorType) {
    const QStringList entries = sensorTypeEntries(model, w.english());
    const int entry = entryOf(*s.sensorType);
    if (entry < entries.size()) return entries[entry];
    return unknownValue(entry);
  }
  if (s.unknownSensor) return unknownValue(s.unknownSensor->subtype);
  return QString::fromUtf8(kNone);
}

SettingText transmitterText(const TransmitterSettings& s, SettingsField field,
                            const LaidOutModel& model, const Wording& w) {
  const Input input = inputOf(s);
  switch (field) {
    case F::SensorType:
      return text(w.caption(window_texts::SensorTypeCaption), sensorTypeText(s, model, w));
    case F::RangeLow:
      return text(w.caption(window_texts::LowerRangeCaption), transmitterRange(s, true, w),
                  rangeUnit(input));
    case F::RangeHigh:
      return text(w.caption(window_texts::UpperRangeCaption), transmitterRange(s, false, w),
                  rangeUnit(input));
    case F::Connection: {
      const int code = s.connection.value_or(kNoEntry);
      if (input == Input::Thermocouple) {
        return text(
            w.caption(window_texts::ColdJunctionCompCaption),
            s.connection ? w.entry(window_texts::Compensations, code) : QString::fromUtf8(kNone));
      }
      return text(
          w.caption(window_texts::SensorConnectionCaption),
          s.connection ? w.entry(window_texts::Connections, code) : QString::fromUtf8(kNone));
    }
    case F::WireResistance:
      return text(w.caption(window_texts::WireResistanceCaption), w.number(s.wireResistance),
                  unit_texts::Ohm);
    case F::ColdJunctionTemperature:
      return text(w.caption(window_texts::ColdJunctionTempCaption),
                  w.number(s.coldJunctionTemperature), unit_texts::Celsius);
    case F::TemperatureOffset:
      return text(w.caption(window_texts::TemperatureOffsetCaption), w.number(s.temperatureOffset),
                  unit_texts::Celsius);
    case F::FilterTime:
      return text(w.caption(window_texts::FilterTimeCaption),
                  w.listEntry(window_texts::FilterTimes, s.filterIndex), unit_texts::Seconds);
    case F::OutputReversed: {
      const bool voltage = model.model.family == ModelFamily::VoltageOutput;
      return text(w.caption(window_texts::OutputSignalCaption),
                  voltage ? w.listEntry(window_texts::VoltageDirections, s.outputReversed)
                          : w.listEntry(window_texts::CurrentDirections, s.outputReversed),
                  outputUnit(model));
    }
    case F::FailureHigh: {
      const bool voltage = model.model.family == ModelFamily::VoltageOutput;
      return text(w.caption(window_texts::FailureIndicationCaption),
                  voltage ? w.listEntry(window_texts::VoltageFailureLevels, s.failureHigh)
                          : w.listEntry(window_texts::CurrentFailureLevels, s.failureHigh),
                  outputUnit(model));
    }
    case F::Tag:
      return text(w.caption(window_texts::TagCaption), QString::fromStdString(s.tag));
    default:
      return {};
  }
}

// Which of a transmitter's fields each row shows, as the device group shows the read: the
// connection and second input of a resistance or temperature input, the correction of a
// temperature sensor; neither on a fixed-sensor probe.
std::vector<DeviceGroupRow> transmitterRows(const TransmitterSettings& s, const LaidOutModel& model,
                                            const Wording& w) {
  const Input input = inputOf(s);
  std::vector<DeviceGroupRow> rows;
  const auto add = [&](int row, SettingsField field) {
    rows.push_back({row, transmitterText(s, field, model, w), std::nullopt, {field}});
  };
  add(kSensorTypeRow, F::SensorType);
  add(kRangeLowRow, F::RangeLow);
  add(kRangeHighRow, F::RangeHigh);
  if (s.connection && input != Input::Voltage) add(kConnectionRow, F::Connection);
  if (s.wireResistance) add(kSecondInputRow, F::WireResistance);
  if (s.coldJunctionTemperature) add(kSecondInputRow, F::ColdJunctionTemperature);
  if (temperatureInput(input)) add(kOffsetRow, F::TemperatureOffset);
  add(kFilterRow, F::FilterTime);
  add(kOutputRow, F::OutputReversed);
  add(kFailureRow, F::FailureHigh);
  add(kTagRow, F::Tag);
  return rows;
}

// --- the indicator -----------------------------------------------------------------------------

SettingText indicatorText(const IndicatorSettings& s, SettingsField field, const Wording& w) {
  switch (field) {
    case F::DisplayLow:
      return text(w.caption(window_texts::LowerRangeCaption), w.number(s.displayLow));
    case F::DisplayHigh:
      return text(w.caption(window_texts::UpperRangeCaption), w.number(s.displayHigh));
    case F::Precision:
      return text(w.caption(row_captions::Precision), QString::number(s.precision));
    case F::AlarmLow:
      return text(w.caption(row_captions::AlarmLow), w.number(s.alarmLow));
    case F::AlarmHigh:
      return text(w.caption(row_captions::AlarmHigh), w.number(s.alarmHigh));
    case F::AlarmLowOn:
      return text(w.caption(row_captions::AlarmLow), w.flag(s.alarmLowOn));
    case F::AlarmHighOn:
      return text(w.caption(row_captions::AlarmHigh), w.flag(s.alarmHighOn));
    case F::Tag:
      return text(w.caption(window_texts::TagCaption), QString::fromStdString(s.tag));
    default:
      return {};
  }
}

std::vector<DeviceGroupRow> indicatorRows(const IndicatorSettings& s, const Wording& w) {
  return {
      {kRangeLowRow, indicatorText(s, F::DisplayLow, w), std::nullopt, {F::DisplayLow}},
      {kRangeHighRow, indicatorText(s, F::DisplayHigh, w), std::nullopt, {F::DisplayHigh}},
      {kConnectionRow, indicatorText(s, F::Precision, w), std::nullopt, {F::Precision}},
      {kSecondInputRow,
       indicatorText(s, F::AlarmLow, w),
       s.alarmLowOn,
       {F::AlarmLow, F::AlarmLowOn}},
      {kOffsetRow,
       indicatorText(s, F::AlarmHigh, w),
       s.alarmHighOn,
       {F::AlarmHigh, F::AlarmHighOn}},
      {kTagRow, indicatorText(s, F::Tag, w), std::nullopt, {F::Tag}},
  };
}

// --- the humidity models -----------------------------------------------------------------------

// The unit row's caption: the device group's start caption where the model has no unit choice
// (935-JYRA).
const BilingualText& unitCaption(const LaidOutModel& model) {
  switch (model.model.unitChoice) {
    case UnitChoice::HumidityUnit:
      return row_captions::HumidityUnitShown;
    case UnitChoice::PhysicalUnits:
      return row_captions::PhysicalUnits;
    case UnitChoice::None:
      break;
  }
  return window_texts::SensorTypeCaption;
}

const BilingualText& outputCaption(SettingsField field, const LaidOutModel& model) {
  const bool current = model.model.output == OutputKind::Current;
  switch (field) {
    case F::TemperatureOutputLow:
      return current ? row_captions::LowerCurrentT : row_captions::LowerVoltageT;
    case F::TemperatureOutputHigh:
      return current ? row_captions::UpperCurrentT : row_captions::UpperVoltageT;
    case F::HumidityOutputLow:
      return current ? row_captions::LowerCurrentH : row_captions::LowerVoltageH;
    default:
      return current ? row_captions::UpperCurrentH : row_captions::UpperVoltageH;
  }
}

SettingText humidityText(const HumiditySettings& s, SettingsField field, const LaidOutModel& model,
                         const Wording& w) {
  const bool dewPoint = s.unit == 1;
  const char* humidityUnit = dewPoint ? unit_texts::DewPoint : unit_texts::RelativeHumidity;
  const char* signalUnit = model.model.output == OutputKind::Current ? "[uA]" : "[mV]";
  switch (field) {
    case F::HumidityUnit:
      return text(w.caption(unitCaption(model)),
                  s.unit == kNoEntry ? QString::fromUtf8(kNone)
                                     : QString::fromUtf8(dewPoint ? "°Cdp" : "%RH"));
    case F::TemperatureLow:
      return text(w.caption(row_captions::LowerTemperature), w.number(s.temperatureLow),
                  unit_texts::Celsius);
    case F::TemperatureHigh:
      return text(w.caption(row_captions::UpperTemperature), w.number(s.temperatureHigh),
                  unit_texts::Celsius);
    case F::HumidityLow:
      return text(w.caption(row_captions::LowerHumidity), w.number(s.humidityLow), humidityUnit);
    case F::HumidityHigh:
      return text(w.caption(row_captions::UpperHumidity), w.number(s.humidityHigh), humidityUnit);
    case F::TemperatureOutputLow:
      return text(w.caption(outputCaption(field, model)), w.number(s.temperatureOutputLow),
                  signalUnit);
    case F::TemperatureOutputHigh:
      return text(w.caption(outputCaption(field, model)), w.number(s.temperatureOutputHigh),
                  signalUnit);
    case F::HumidityOutputLow:
      return text(w.caption(outputCaption(field, model)), w.number(s.humidityOutputLow),
                  signalUnit);
    case F::HumidityOutputHigh:
      return text(w.caption(outputCaption(field, model)), w.number(s.humidityOutputHigh),
                  signalUnit);
    case F::Tag:
      return text(w.caption(window_texts::TagCaption), QString::fromStdString(s.tag));
    default:
      return {};
  }
}

std::vector<DeviceGroupRow> humidityRows(const HumiditySettings& s, const LaidOutModel& model,
                                         const Wording& w) {
  std::vector<DeviceGroupRow> rows;
  const auto add = [&](int row, SettingsField field) {
    rows.push_back({row, humidityText(s, field, model, w), std::nullopt, {field}});
  };
  add(kSensorTypeRow, F::HumidityUnit);
  add(kRangeLowRow, F::TemperatureLow);
  add(kRangeHighRow, F::TemperatureHigh);
  add(kConnectionRow, F::HumidityLow);
  add(kSecondInputRow, F::HumidityHigh);
  if (model.model.output != OutputKind::None) {
    add(kOffsetRow, F::TemperatureOutputLow);
    add(kFilterRow, F::TemperatureOutputHigh);
    add(kOutputRow, F::HumidityOutputLow);
    add(kFailureRow, F::HumidityOutputHigh);
  }
  add(kTagRow, F::Tag);
  return rows;
}

}  // namespace

SettingsWording SettingsWording::window(bool english) {
  return {english, number_text::systemDecimalSeparator(), true};
}

SettingsWording SettingsWording::document(bool english) {
  return {english, english ? '.' : ',', false};
}

QString SettingText::valueWithUnit() const {
  return unit.isEmpty() ? value : value + QLatin1Char(' ') + unit;
}

SettingsImages imagesOfRead(const std::array<std::uint8_t, kSettingsImageSize>& image) {
  SettingsImages images;
  images.SettingsImage = image;
  settleProductCode(images);
  refreshLayoutCopies(images);
  return images;
}

DeviceRead deviceReadOf(const SettingsImages& images, const LaidOutModel& model) {
  // The product code as the layout's own field holds it (the small layouts' at offset 64).
  std::uint16_t productCode = transmitter::ProductCode.get(images.SettingsImage);
  if (model.layout == Layout::Indicator)
    productCode = indicator::ProductCode.get(images.IndicatorCopy);
  if (model.layout == Layout::Humidity)
    productCode = humidity::ProductCode.get(images.HumidityCopy);
  const DeviceIdentity identity = identifyDevice(images, model.layout, 0);
  return {productCode, identity.serialNumber, decodeSettings(images, model)};
}

std::vector<DeviceGroupRow> deviceGroupRows(const DeviceRead& read, const LaidOutModel& model,
                                            const SettingsWording& wording) {
  const Wording w(wording);
  std::vector<DeviceGroupRow> rows{
      {kProductCodeRow,
       text(w.caption(window_texts::ProductCodeCaption), QString::number(read.productCode)),
       std::nullopt,
       {}},
      {kSerialNumberRow,
       text(w.caption(window_texts::SerialNumberCaption), QString::number(read.serialNumber)),
       std::nullopt,
       {}},
  };
  std::vector<DeviceGroupRow> settings;
  if (const auto* s = std::get_if<TransmitterSettings>(&read.settings)) {
    settings = transmitterRows(*s, model, w);
  } else if (const auto* s = std::get_if<IndicatorSettings>(&read.settings)) {
    settings = indicatorRows(*s, w);
  } else {
    settings = humidityRows(std::get<HumiditySettings>(read.settings), model, w);
  }
  rows.insert(rows.end(), settings.begin(), settings.end());
  return rows;
}

SettingText settingText(const DeviceSettings& settings, SettingsField field,
                        const LaidOutModel& model, const SettingsWording& wording) {
  const Wording w(wording);
  if (const auto* s = std::get_if<TransmitterSettings>(&settings))
    return transmitterText(*s, field, model, w);
  if (const auto* s = std::get_if<IndicatorSettings>(&settings)) return indicatorText(*s, field, w);
  return humidityText(std::get<HumiditySettings>(settings), field, model, w);
}

SettingText storedSettingText(std::string_view key, std::string_view storedText,
                              const DeviceSettings& context, const LaidOutModel& model,
                              const SettingsWording& wording) {
  const QString asStored = QString::fromUtf8(storedText.data(), qsizetype(storedText.size()));
  const std::optional<SettingsField> field = fieldNamed(key);
  const std::vector<SettingsField> fields = fieldsOf(layoutOf(context));
  if (!field || std::find(fields.begin(), fields.end(), *field) == fields.end())
    return {QString::fromUtf8(key.data(), qsizetype(key.size())), asStored, {}};
  DeviceSettings settled = context;
  SettingText shown = settingText(settled, *field, model, wording);
  if (storedText.empty()) {
    shown.value = QString::fromUtf8(kNone);
    shown.unit.clear();
  } else if (setFieldText(settled, *field, storedText)) {
    shown = settingText(settled, *field, model, wording);
  } else {
    shown.value = asStored;
  }
  return shown;
}

}  // namespace tadjust
