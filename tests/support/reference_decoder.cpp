#include "support/reference_decoder.h"

#include <iterator>
#include <optional>

#include "catalogue/device_catalogue.h"
#include "image/raw_scales.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"
#include "ui/box_text.h"
#include "ui/controls.h"
#include "ui/window_texts.h"

namespace tadjust::testing {

namespace {

QString decimal(long long value) { return number_text::integer(value); }
QString real(double value) { return number_text::general(value); }

// What the device group shows for a value the program never writes and has no text for: a
// question mark with the raw value, so that no earlier text stands in for it.
QString unknownValue(long long raw) { return QStringLiteral("? (%1)").arg(raw); }

QString entry(const QComboBox* list, long long index) {
  if (index < 0 || index >= list->count()) return unknownValue(index);
  return list->itemText(static_cast<int>(index));
}

template <class Texts>
QString textOf(const Texts& texts, int code, bool useEnglish) {
  if (code < 0 || code >= static_cast<int>(std::size(texts))) return unknownValue(code);
  return texts[static_cast<std::size_t>(code)].in(useEnglish);
}

QString tagText(const TextField& tag, ConstBytes bytes) {
  return QString::fromStdString(tag.get(bytes));
}

void hideEditableRows(Form1& f) {
  setRowsShown(f.editableRows(), false);
  setShown({f.Label44, f.GroupBox3}, false);
}

void showIndicator(Form1& f, const SettingsImages& images) {
  const ConstBytes copy = images.IndicatorCopy;
  setBoxText(f.Edit6, decimal(indicator::ProductCode.get(copy)));
  setBoxText(f.Edit7, decimal(indicator::SerialNumber.get(copy)));
  setBoxText(f.Edit9, decimal(indicator::DisplayLow.get(copy)));
  setBoxText(f.Edit10, decimal(indicator::DisplayHigh.get(copy)));
  setBoxText(f.Edit11, decimal(indicator::Precision.get(copy)));
  setBoxText(f.Edit12, decimal(indicator::AlarmLow.get(copy)));
  setBoxText(f.Edit13, decimal(indicator::AlarmHigh.get(copy)));
  const std::uint16_t alarms = indicator::AlarmFlags.get(copy);
  f.CheckBox1->setChecked((alarms & 1u) != 0);
  f.CheckBox2->setChecked((alarms & 2u) != 0);
  setBoxText(f.Edit17, tagText(indicator::Tag, copy));
  setShown({f.Label2, f.Edit1, f.Label4, f.Edit2, f.Label3, f.ComboBox2, f.Label5, f.Edit3,
            f.CheckBox3, f.Label9, f.Edit4, f.CheckBox4, f.Label17, f.Edit5},
           true);
}

void showHumidity(Form1& f, const SettingsImages& images, const ModelTraits& model) {
  const ConstBytes copy = images.HumidityCopy;
  setShown({f.Label20, f.Edit8, f.Label1, f.ComboBox1}, true);
  const bool dewPoint = (humidity::HumidityUnit.get(copy) & 1u) != 0;
  const char* unit = dewPoint ? "[°Cdp]" : "[%RH]";
  // A reading is shown only under the unit it was measured in.
  if (f.Label46->text() != QString::fromUtf8(unit)) {
    f.Edit23->clear();
    f.Edit24->clear();
  }
  setUnit({f.Label44, f.Label32, f.Label46}, unit);
  setBoxText(f.Edit8, QString::fromUtf8(dewPoint ? "°Cdp" : "%RH"));
  setShown({f.Label2, f.Label4, f.Label3, f.Label5, f.Label17, f.Label6, f.Label7, f.Label43,
            f.Label8, f.Edit1, f.Edit2, f.Edit19, f.Edit3, f.Edit5, f.GroupBox3, f.Label44},
           true);

  setBoxText(f.Edit6, decimal(humidity::ProductCode.get(copy)));
  setBoxText(f.Edit7, decimal(humidity::SerialNumber.get(copy)));
  // Hundredths to whole units, the quotient truncated toward zero.
  setBoxText(f.Edit9, decimal(humidity::TempRangeLow.get(copy) / 100));
  setBoxText(f.Edit10, decimal(humidity::TempRangeHigh.get(copy) / 100));
  setBoxText(f.Edit11, decimal(humidity::HumRangeLow.get(copy) / 100));
  setBoxText(f.Edit12, decimal(humidity::HumRangeHigh.get(copy) / 100));
  setBoxText(f.Edit17, tagText(humidity::Tag, copy));

  if (model.humidityOutputRows) {
    setShown({f.Label9, f.Label11, f.Label13, f.Label15, f.Label10, f.Label12, f.Label14, f.Label16,
              f.Edit4, f.Edit20, f.Edit21, f.Edit22},
             true);
  }
  // The layout shows the device's output rows for every humidity model with an output, 935-JYRA
  // too: they get the device's words, never what an earlier model left in them.
  if (model.output != OutputKind::None) {
    setBoxText(f.Edit13, decimal(humidity::TempOutLow.get(copy)));
    setBoxText(f.Edit14, decimal(humidity::TempOutHigh.get(copy)));
    setBoxText(f.Edit15, decimal(humidity::HumOutLow.get(copy)));
    setBoxText(f.Edit16, decimal(humidity::HumOutHigh.get(copy)));
  }
}

enum class SensorKind { Rtd, Thermocouple, Voltage, Resistance };

struct DecodedSensor {
  SensorKind kind;
  // The sensor type, or nothing for a subtype the program never writes (an RTD subtype above 1,
  // thermocouple subtype 7).
  std::optional<SensorType> type;
  int subtype;
};

DecodedSensor decodeSensor(std::uint16_t inputConfig) {
  const int subtype = transmitter::sensorSubtype(inputConfig);
  std::optional<SensorType> type;
  switch (transmitter::sensorClass(inputConfig)) {
    case transmitter::kResistance:
      type = SensorType::Resistance;
      break;
    case transmitter::kVoltage:
      type = SensorType::Voltage;
      break;
    case transmitter::kRtd:
      if (subtype <= 1) type = sensorTypeAt(subtype);
      break;
    default:
      if (subtype <= 6) type = sensorTypeAt(entryOf(SensorType::ThermocoupleB) + subtype);
      break;
  }
  switch (transmitter::sensorClass(inputConfig)) {
    case transmitter::kResistance:
      return {SensorKind::Resistance, type, subtype};
    case transmitter::kVoltage:
      return {SensorKind::Voltage, type, subtype};
    case transmitter::kRtd:
      return {SensorKind::Rtd, type, subtype};
    default:
      return {SensorKind::Thermocouple, type, subtype};
  }
}

// The transmitter's settings as the device group shows them.
class TransmitterView {
 public:
  TransmitterView(Form1& f, const SettingsImages& images, unsigned currentSeries,
                  const ModelTraits& model)
      : f_(f),
        image_(images.SettingsImage),
        series_(currentSeries),
        en_(f.UseEnglish),
        seriesSensorModel_(model.specialSensorList) {}

  void show(ReferenceDecoderState& decoder) {
    setShown({f_.Label1,    f_.Label2,    f_.Label3,    f_.Label4,    f_.Label5,  f_.Label6,
              f_.Label7,    f_.Label8,    f_.Label9,    f_.Label10,   f_.Label11, f_.Label12,
              f_.Label13,   f_.Label14,   f_.Label15,   f_.Label16,   f_.Label17, f_.ComboBox1,
              f_.ComboBox2, f_.ComboBox3, f_.ComboBox4, f_.ComboBox5, f_.Edit1,   f_.Edit2,
              f_.Edit3,     f_.Edit4,     f_.Edit5},
             true);
    setBoxText(f_.Edit6, decimal(transmitter::ProductCode.get(image_)));
    setBoxText(f_.Edit7, decimal(transmitter::SerialNumber.get(image_)));

    const std::uint16_t inputConfig = transmitter::InputConfig.get(image_);
    const DecodedSensor sensor = decodeSensor(inputConfig);
    // An unknown subtype leaves the decoded sensor type of the last read as it was.
    if (sensor.type) decoder.DeviceSensorType = *sensor.type;
    setBoxText(f_.Edit8, sensor.type ? entry(f_.ComboBox1, entryOf(*sensor.type))
                                     : unknownValue(sensor.subtype));

    const int connection = transmitter::connectionCode(inputConfig);
    switch (sensor.kind) {
      case SensorKind::Rtd:
      case SensorKind::Thermocouple:
        showTemperatureInput(sensor.kind, connection);
        break;
      case SensorKind::Voltage:
        showVoltageInput();
        break;
      case SensorKind::Resistance:
        showResistanceInput();
        break;
    }

    setBoxText(f_.Edit14, entry(f_.ComboBox3, transmitter::FilterTimeIndex.get(image_)));
    setBoxText(f_.Edit15,
               entry(f_.ComboBox4, (inputConfig & transmitter::kOutputReversedBit) ? 1 : 0));
    setBoxText(f_.Edit16,
               entry(f_.ComboBox5, (inputConfig & transmitter::kFailureHighBit) ? 1 : 0));
    setBoxText(f_.Edit17, tagText(transmitter::Tag, image_));
  }

 private:
  void showTemperatureInput(SensorKind kind, int connection) {
    setUnit({f_.Label30, f_.Label31}, "[°C]");
    setShown({f_.Label23, f_.Label24, f_.Label25, f_.Edit11, f_.Edit12, f_.Edit13, f_.Label32,
              f_.Label33},
             true);
    setBoxText(f_.Edit9,
               real(raw_scales::temperatureFromRaw(transmitter::RangeLowRaw.get(image_))));
    setBoxText(f_.Edit10,
               real(raw_scales::temperatureFromRaw(transmitter::RangeHighRaw.get(image_))));
    const double offset = raw_scales::tempOffsetFromRaw(transmitter::TempOffsetRaw.get(image_));
    setBoxText(f_.Edit13, real(number_text::round2(offset)));

    if (kind == SensorKind::Rtd) {
      f_.Label23->setText(window_texts::SensorConnectionCaption.in(en_));
      setBoxText(f_.Edit11, textOf(window_texts::Connections, connection, en_));
      if (connection == 0) {
        showWireResistance();
      } else {
        hideWireRow();
      }
    } else {
      f_.Label23->setText(window_texts::ColdJunctionCompCaption.in(en_));
      setBoxText(f_.Edit11, textOf(window_texts::Compensations, connection, en_));
      if (connection == 1) {
        showColdJunctionTemperature();
      } else {
        hideWireRow();
      }
    }
  }

  void showVoltageInput() {
    setUnit({f_.Label30, f_.Label31}, "[mV]");
    setShown({f_.Label23, f_.Label24, f_.Label25, f_.Edit11, f_.Edit12, f_.Edit13, f_.Label32,
              f_.Label33},
             false);
    setBoxText(f_.Edit9, voltageText(transmitter::RangeLowRaw.get(image_)));
    setBoxText(f_.Edit10, voltageText(transmitter::RangeHighRaw.get(image_)));
  }

  // A series without a voltage scale (only a product code that names no model gets here) shows
  // the raw word rather than a number of some other scale.
  QString voltageText(std::uint16_t raw) const {
    const std::optional<double> millivolts = raw_scales::voltageFromRaw(raw, series_);
    return millivolts ? real(number_text::round2(*millivolts)) : unknownValue(raw);
  }

  void showResistanceInput() {
    setUnit({f_.Label30, f_.Label31}, "[Ohm]");
    setShown({f_.Label23, f_.Edit11}, true);
    setShown({f_.Edit13, f_.Label33, f_.Label25}, false);
    f_.Label23->setText(window_texts::SensorConnectionCaption.in(en_));
    setBoxText(f_.Edit11, window_texts::Connections[0].in(en_));
    setBoxText(f_.Edit9, resistanceText(transmitter::RangeLowRaw.get(image_)));
    setBoxText(f_.Edit10, resistanceText(transmitter::RangeHighRaw.get(image_)));
    showWireResistance();
  }

  QString resistanceText(std::uint16_t raw) const {
    const double ohm = number_text::round2(raw_scales::resistanceFromRaw(raw));
    return real(seriesSensorModel_ ? ohm * raw_scales::kSeriesSensorFactor : ohm);
  }

  void showWireResistance() {
    setShown({f_.Edit12, f_.Label32, f_.Label24}, true);
    f_.Label24->setText(window_texts::WireResistanceCaption.in(en_));
    f_.Label32->setText(QStringLiteral("[Ohm]"));
    setBoxText(f_.Edit12, real(raw_scales::wireResistanceFromRaw(
                              transmitter::WireResistanceRaw.get(image_), seriesSensorModel_)));
  }

  void showColdJunctionTemperature() {
    setShown({f_.Edit12, f_.Label32, f_.Label24}, true);
    f_.Label24->setText(window_texts::ColdJunctionTempCaption.in(en_));
    f_.Label32->setText(QString::fromUtf8("[°C]"));
    setBoxText(f_.Edit12,
               real(raw_scales::temperatureFromRaw(transmitter::ColdJunctionTempRaw.get(image_))));
  }

  void hideWireRow() { setShown({f_.Edit12, f_.Label32, f_.Label24}, false); }

  Form1& f_;
  ConstBytes image_;
  unsigned series_;
  bool en_;
  bool seriesSensorModel_;
};

// The fixed-sensor probes have one sensor: no sensor choice, no connection, no lead resistance.
void showFixedSensor(Form1& f, WindowEvents& events) {
  setShown(
      {f.Label23, f.Label24, f.Label3, f.Label5, f.Label8, f.Label32, f.Edit11, f.Edit12, f.Edit3},
      false);
  f.ComboBox1->setEnabled(false);
  f.ComboBox1->setCurrentIndex(0);
  f.ComboBox2->hide();
  events.processPendingMessages();
}

}  // namespace

void referenceShowDeviceSettings(Form1& form, const SettingsImages& images,
                                 const LaidOutModel& laidOut, ReferenceDecoderState& decoder,
                                 WindowEvents& events) {
  hideEditableRows(form);
  const ModelTraits& model = laidOut.model;
  switch (laidOut.layout) {
    case Layout::Indicator:
      showIndicator(form, images);
      break;
    case Layout::Humidity:
      showHumidity(form, images, model);
      break;
    case Layout::Transmitter:
      TransmitterView(form, images, laidOut.series, model).show(decoder);
      break;
  }
  if (model.probe) showFixedSensor(form, events);
}

}  // namespace tadjust::testing
