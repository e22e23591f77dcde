#include "edit/copy_for_editing.h"

#include <QStringList>
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>

#include "catalogue/device_catalogue.h"
#include "image/raw_scales.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"
#include "ui/box_text.h"
#include "ui/controls.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

constexpr int kLastRtdSubtype = 1;

QString integerText(long long value) { return number_text::integer(value); }
QString realText(double value) { return number_text::general(value); }

// A word that names no entry leaves the list without a selection.
void selectEntry(QComboBox* list, long long index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? static_cast<int>(index) : -1);
}

template <class Texts>
void fillList(QComboBox* list, const Texts& entries, std::size_t count, bool useEnglish) {
  QStringList texts;
  for (std::size_t i = 0; i < count; ++i) texts << entries[i].in(useEnglish);
  list->clear();
  list->addItems(texts);
}

bool shows(const QComboBox* list, const BilingualText& entry) {
  const QString text = list->currentText();
  return text == QString::fromUtf8(entry.english) || text == QString::fromUtf8(entry.polish);
}

void showTag(Form1& f, const TextField& tag, ConstBytes bytes) {
  // A tag may hold more characters than the user may type; it is shown whole, so a write sends
  // it back whole.
  setBoxTextWhole(f.Edit5, QString::fromStdString(tag.get(bytes)), kTagTypingLimit);
}

void copyIndicator(Form1& f, SettingsImages& images, EditState& edit) {
  std::copy_n(images.IndicatorCopy.begin(), kSmallBlockSize, images.IndicatorBlock.begin());
  const ConstBytes block = images.IndicatorBlock;
  const int low = indicator::DisplayLow.get(block);
  const int high = indicator::DisplayHigh.get(block);
  setBoxText(f.Edit1, integerText(low));
  setBoxText(f.Edit2, integerText(high));
  setBoxText(f.Edit3, integerText(indicator::AlarmLow.get(block)));
  setBoxText(f.Edit4, integerText(indicator::AlarmHigh.get(block)));
  const std::uint16_t alarms = indicator::AlarmFlags.get(block);
  f.CheckBox3->setChecked((alarms & 1u) != 0);
  f.CheckBox4->setChecked((alarms & 2u) != 0);
  showTag(f, indicator::Tag, block);
  selectEntry(f.ComboBox2, indicator::Precision.get(block));
  edit.EditRangeLow = low;
  edit.EditRangeHigh = high;
}

// The humidity models keep EditRangeLow and EditRangeHigh as they are.
void copyHumidity(Form1& f, SettingsImages& images) {
  std::copy_n(images.HumidityCopy.begin(), kSmallBlockSize, images.HumidityBlock.begin());
  const ConstBytes block = images.HumidityBlock;
  // Hundredths to whole units, the quotient truncated toward zero (-40,50 shows -40).
  setBoxText(f.Edit1, integerText(humidity::TempRangeLow.get(block) / 100));
  setBoxText(f.Edit2, integerText(humidity::TempRangeHigh.get(block) / 100));
  setBoxText(f.Edit19, integerText(humidity::HumRangeLow.get(block) / 100));
  setBoxText(f.Edit3, integerText(humidity::HumRangeHigh.get(block) / 100));
  setBoxText(f.Edit4, integerText(humidity::TempOutLow.get(block)));
  setBoxText(f.Edit20, integerText(humidity::TempOutHigh.get(block)));
  setBoxText(f.Edit21, integerText(humidity::HumOutLow.get(block)));
  setBoxText(f.Edit22, integerText(humidity::HumOutHigh.get(block)));
  showTag(f, humidity::Tag, block);
  // The whole word is the index: a unit the list does not offer selects nothing. The unit
  // labels stay; only the user's choice in the list switches them.
  selectEntry(f.ComboBox1, humidity::HumidityUnit.get(block));
}

// The sensor type InputConfig names, or nothing for a resistance-thermometer subtype the
// program never writes, which leaves the present sensor type in force. Thermocouple subtype 7
// (never written either) gives 9, the voltage input.
std::optional<SensorType> sensorTypeOf(std::uint16_t inputConfig) {
  const int subtype = transmitter::sensorSubtype(inputConfig);
  switch (transmitter::sensorClass(inputConfig)) {
    case transmitter::kResistance:
      return SensorType::Resistance;
    case transmitter::kVoltage:
      return SensorType::Voltage;
    case transmitter::kRtd:
      if (subtype > kLastRtdSubtype) return std::nullopt;
      return sensorTypeAt(subtype);
    default:
      return sensorTypeAt(entryOf(SensorType::ThermocoupleB) + subtype);
  }
}

// The copy of a temperature transmitter (and of any name outside the catalogue).
class TransmitterCopy {
 public:
  TransmitterCopy(Form1& f, SettingsImages& images, const ModelTraits& model,
                  const CopyForEditing::Sources& sources)
      : f_(f),
        images_(images),
        block_(images.TransmitterBlock),
        model_(model),
        series_(sources.view.model.series),
        deviceSensorType_(sources.decoder.DeviceSensorType),
        en_(f.UseEnglish) {}

  void copy(EditState& edit, WindowEvents& events) {
    std::copy_n(images_.SettingsImage.begin(), kTransmitterBlockSize,
                images_.TransmitterBlock.begin());
    const std::uint16_t inputConfig = transmitter::InputConfig.get(block_);
    if (const std::optional<SensorType> type = sensorTypeOf(inputConfig))
      edit.EditSensorType = *type;
    selectEntry(f_.ComboBox1, entryOf(edit.EditSensorType));

    const int connection = transmitter::connectionCode(inputConfig);
    Range range{edit.EditRangeLow, edit.EditRangeHigh};
    if (isTemperatureSensor(edit.EditSensorType)) {
      range = copyTemperatureInput(connection);
    } else if (edit.EditSensorType == SensorType::Voltage) {
      range = copyVoltageInput(range);
    } else {
      range = copyResistanceInput(connection);
    }
    edit.EditRangeLow = range.low;
    edit.EditRangeHigh = range.high;
    // The series-sensor model shows its resistance range as its sensor's series resistance.
    const double shownFactor = seriesSensorModel() && edit.EditSensorType == SensorType::Resistance
                                   ? raw_scales::kSeriesSensorFactor
                                   : 1;
    setBoxText(f_.Edit1, realText(shownFactor * range.low));
    setBoxText(f_.Edit2, realText(shownFactor * range.high));

    copyWireRow(edit.EditSensorType);
    selectEntry(f_.ComboBox3, transmitter::FilterTimeIndex.get(block_));
    selectEntry(f_.ComboBox4, (inputConfig & transmitter::kOutputReversedBit) ? 1 : 0);
    selectEntry(f_.ComboBox5, (inputConfig & transmitter::kFailureHighBit) ? 1 : 0);
    showTag(f_, transmitter::Tag, block_);
    if (model_.probe) lockFixedSensor(events);
  }

 private:
  struct Range {
    double low;
    double high;
  };

  bool seriesSensorModel() const { return model_.specialSensorList; }

  Range copyTemperatureInput(int connection) {
    setUnit({f_.Label6, f_.Label7}, "[°C]");
    setShown(
        {f_.Label3, f_.Label5, f_.Label9, f_.ComboBox2, f_.Edit3, f_.Edit4, f_.Label8, f_.Label10},
        true);
    if (isThermocouple(deviceSensorType_)) {
      f_.Label3->setText(window_texts::ColdJunctionCompCaption.in(en_));
      fillList(f_.ComboBox2, window_texts::Compensations, window_texts::Compensations.size(), en_);
      selectEntry(f_.ComboBox2, connection);
      // Internal compensation needs no cold-junction temperature.
      if (f_.ComboBox2->currentIndex() == 0) setShown({f_.Label5, f_.Edit3, f_.Label8}, false);
    } else {
      f_.Label3->setText(window_texts::SensorConnectionCaption.in(en_));
      fillConnections(connection);
      // Only a 2-wire connection has a lead resistance to correct.
      if (f_.ComboBox2->currentIndex() > 0) setShown({f_.Label5, f_.Edit3, f_.Label8}, false);
    }
    const double offset = raw_scales::tempOffsetFromRaw(transmitter::TempOffsetRaw.get(block_));
    setBoxText(f_.Edit4, realText(number_text::round2(offset)));
    return {raw_scales::temperatureFromRaw(transmitter::RangeLowRaw.get(block_)),
            raw_scales::temperatureFromRaw(transmitter::RangeHighRaw.get(block_))};
  }

  // A series without a voltage scale (only a product code that names no model gets here) keeps
  // the range the group had.
  Range copyVoltageInput(Range present) {
    setUnit({f_.Label6, f_.Label7}, "[mV]");
    setShown(
        {f_.Label3, f_.Label5, f_.Label9, f_.ComboBox2, f_.Edit3, f_.Edit4, f_.Label8, f_.Label10},
        false);
    const auto low = raw_scales::voltageFromRaw(transmitter::RangeLowRaw.get(block_), series_);
    const auto high = raw_scales::voltageFromRaw(transmitter::RangeHighRaw.get(block_), series_);
    if (!low || !high) return present;
    return {*low, *high};
  }

  Range copyResistanceInput(int connection) {
    setUnit({f_.Label6, f_.Label7}, "[Ohm]");
    setShown({f_.Label3, f_.ComboBox2}, true);
    setShown({f_.Label9, f_.Label10, f_.Edit4}, false);
    f_.Label3->setText(window_texts::SensorConnectionCaption.in(en_));
    fillConnections(connection);
    return {raw_scales::resistanceFromRaw(transmitter::RangeLowRaw.get(block_)),
            raw_scales::resistanceFromRaw(transmitter::RangeHighRaw.get(block_))};
  }

  void fillConnections(int connection) {
    const std::size_t count = model_.twoWireOnly ? 1 : window_texts::Connections.size();
    fillList(f_.ComboBox2, window_texts::Connections, count, en_);
    selectEntry(f_.ComboBox2, connection);
  }

  // The wire-resistance row follows the connection the list now shows. Its captions and value
  // are set whatever the row's visibility (a voltage input keeps it hidden); a resistance input
  // with a 2-wire connection shows it, as a 2-wire resistance thermometer does.
  void copyWireRow(SensorType sensorType) {
    if (shows(f_.ComboBox2, window_texts::Connections[0])) {
      f_.Label5->setText(window_texts::WireResistanceCaption.in(en_));
      f_.Label8->setText(QStringLiteral("[Ohm]"));
      setBoxText(f_.Edit3, realText(raw_scales::wireResistanceFromRaw(
                               transmitter::WireResistanceRaw.get(block_), seriesSensorModel())));
      if (sensorType == SensorType::Resistance) setShown({f_.Label5, f_.Edit3, f_.Label8}, true);
    } else if (shows(f_.ComboBox2, window_texts::Compensations[1])) {
      f_.Label5->setText(window_texts::ColdJunctionTempCaption.in(en_));
      f_.Label8->setText(QString::fromUtf8("[°C]"));
      setBoxText(
          f_.Edit3,
          realText(raw_scales::temperatureFromRaw(transmitter::ColdJunctionTempRaw.get(block_))));
    } else {
      setShown({f_.Label5, f_.Label8, f_.Edit3}, false);
    }
  }

  // The fixed-sensor probes have one sensor: no sensor choice, no connection, no lead
  // resistance, in either group.
  void lockFixedSensor(WindowEvents& events) {
    setShown({f_.Label23, f_.Label24, f_.Label32, f_.Edit11, f_.Edit12}, false);
    setShown({f_.Label3, f_.Label5, f_.Label8, f_.Edit3, f_.ComboBox2}, false);
    f_.ComboBox1->setEnabled(false);
    f_.ComboBox1->setCurrentIndex(0);
    events.processPendingMessages();
  }

  Form1& f_;
  SettingsImages& images_;
  ConstBytes block_;
  ModelTraits model_;
  unsigned series_;
  SensorType deviceSensorType_;
  bool en_;
};

}  // namespace

CopyForEditing::CopyForEditing(Form1& form, EditState& edit, CopyRecord& record,
                               WindowEvents& events, Sources sources)
    : form_(form), edit_(edit), record_(record), events_(events), sources_(std::move(sources)) {}

void CopyForEditing::BitBtn3Click() {
  const LaidOutModel& model = sources_.view.model;
  SettingsImages& images = sources_.images;
  // Taken before the fixed-sensor probes' repaint, which lets other events run.
  const DeviceIdentity copiedFrom = identifyDevice(images, model.layout, sources_.linkNumber());
  switch (model.layout) {
    case Layout::Indicator:
      copyIndicator(form_, images, edit_);
      break;
    case Layout::Humidity:
      copyHumidity(form_, images);
      break;
    case Layout::Transmitter:
      TransmitterCopy(form_, images, model.model, sources_).copy(edit_, events_);
      break;
  }
  record_.copiedFrom = copiedFrom;
  if (sources_.copied) sources_.copied(copiedFrom);
}

}  // namespace tadjust
