#include "edit/copy_for_editing.h"

#include <QStringList>
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>

#include "catalogue/device_catalogue.h"
#include "edit/group_fields.h"
#include "image/device_settings.h"
#include "image/raw_scales.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"
#include "ui/box_text.h"
#include "ui/controls.h"
#include "ui/unit_texts.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

QString integerText(long long value) { return number_text::integer(value); }
QString realText(double value) { return number_text::general(value); }

using F = SettingsField;

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

void showTag(Form1& f, Layout layout, const std::string& tag) {
  setTagField(f, layout, QString::fromStdString(tag));
}

// A whole number of the settings as integer text.
QString wholeText(const SettingNumber& number) {
  return number_text::integer(number ? static_cast<long long>(number->toDouble()) : 0);
}

void copyIndicator(Form1& f, SettingsImages& images, const LaidOutModel& model, EditState& edit) {
  std::copy_n(images.IndicatorCopy.begin(), kSmallBlockSize, images.IndicatorBlock.begin());
  const auto s = std::get<IndicatorSettings>(decodeSettings(images, model));
  constexpr Layout kLayout = Layout::Indicator;
  setFieldText(f, kLayout, F::DisplayLow, wholeText(s.displayLow));
  setFieldText(f, kLayout, F::DisplayHigh, wholeText(s.displayHigh));
  setFieldText(f, kLayout, F::AlarmLow, wholeText(s.alarmLow));
  setFieldText(f, kLayout, F::AlarmHigh, wholeText(s.alarmHigh));
  setFieldChecked(f, kLayout, F::AlarmLowOn, s.alarmLowOn);
  setFieldChecked(f, kLayout, F::AlarmHighOn, s.alarmHighOn);
  showTag(f, kLayout, s.tag);
  selectFieldEntry(f, kLayout, F::Precision, s.precision);
  edit.EditRangeLow = s.displayLow.value_or(Decimal()).toDouble();
  edit.EditRangeHigh = s.displayHigh.value_or(Decimal()).toDouble();
}

// The humidity models keep EditRangeLow and EditRangeHigh as they are.
void copyHumidity(Form1& f, SettingsImages& images, const LaidOutModel& model) {
  std::copy_n(images.HumidityCopy.begin(), kSmallBlockSize, images.HumidityBlock.begin());
  const ConstBytes block = images.HumidityBlock;
  const auto s = std::get<HumiditySettings>(decodeSettings(images, model));
  constexpr Layout kLayout = Layout::Humidity;
  setFieldText(f, kLayout, F::TemperatureLow, wholeText(s.temperatureLow));
  setFieldText(f, kLayout, F::TemperatureHigh, wholeText(s.temperatureHigh));
  setFieldText(f, kLayout, F::HumidityLow, wholeText(s.humidityLow));
  setFieldText(f, kLayout, F::HumidityHigh, wholeText(s.humidityHigh));
  // The output words go into their boxes for every humidity model, shown or not: the block
  // carries them back.
  setFieldText(f, kLayout, F::TemperatureOutputLow, integerText(humidity::TempOutLow.get(block)));
  setFieldText(f, kLayout, F::TemperatureOutputHigh, integerText(humidity::TempOutHigh.get(block)));
  setFieldText(f, kLayout, F::HumidityOutputLow, integerText(humidity::HumOutLow.get(block)));
  setFieldText(f, kLayout, F::HumidityOutputHigh, integerText(humidity::HumOutHigh.get(block)));
  showTag(f, kLayout, s.tag);
  // The whole word is the index: a unit the list does not offer selects nothing. The unit
  // labels stay; only the user's choice in the list switches them.
  selectFieldEntry(f, kLayout, F::HumidityUnit, humidity::HumidityUnit.get(block));
}

// The copy of a temperature transmitter (and of any name outside the catalogue).
class TransmitterCopy {
 public:
  TransmitterCopy(Form1& f, SettingsImages& images, const LaidOutModel& model,
                  const CopyForEditing::Sources& sources)
      : f_(f),
        images_(images),
        laidOut_(model),
        model_(model.model),
        deviceSensorType_(sources.decoder.DeviceSensorType),
        en_(f.UseEnglish) {}

  void copy(EditState& edit, WindowEvents& events) {
    std::copy_n(images_.SettingsImage.begin(), kTransmitterBlockSize,
                images_.TransmitterBlock.begin());
    s_ = decodeForCopy(images_, laidOut_, edit.EditSensorType);
    edit.EditSensorType = s_.sensorType.value_or(edit.EditSensorType);
    selectFieldEntry(f_, kLayout, F::SensorType, entryOf(edit.EditSensorType));

    const int connection = s_.connection.value_or(0);
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
    setFieldText(f_, kLayout, F::RangeLow, realText(shownFactor * range.low));
    setFieldText(f_, kLayout, F::RangeHigh, realText(shownFactor * range.high));

    copyWireRow(edit.EditSensorType);
    selectFieldEntry(f_, kLayout, F::FilterTime, s_.filterIndex);
    selectFieldEntry(f_, kLayout, F::OutputReversed, s_.outputReversed ? 1 : 0);
    selectFieldEntry(f_, kLayout, F::FailureHigh, s_.failureHigh ? 1 : 0);
    showTag(f_, kLayout, s_.tag);
    if (model_.probe) lockFixedSensor(events);
  }

 private:
  static constexpr Layout kLayout = Layout::Transmitter;

  struct Range {
    double low;
    double high;
  };

  static double valueOf(const SettingNumber& number) {
    return number.value_or(Decimal()).toDouble();
  }

  bool seriesSensorModel() const { return model_.specialSensorList; }

  Range copyTemperatureInput(int connection) {
    setUnit({f_.Label6, f_.Label7}, unit_texts::Celsius);
    setShown(
        {f_.Label3, f_.Label5, f_.Label9, f_.ComboBox2, f_.Edit3, f_.Edit4, f_.Label8, f_.Label10},
        true);
    if (isThermocouple(deviceSensorType_)) {
      f_.Label3->setText(window_texts::ColdJunctionCompCaption.in(en_));
      fillList(f_.ComboBox2, window_texts::Compensations, window_texts::Compensations.size(), en_);
      selectFieldEntry(f_, kLayout, F::Connection, connection);
      // Internal compensation needs no cold-junction temperature.
      if (f_.ComboBox2->currentIndex() == 0) setShown({f_.Label5, f_.Edit3, f_.Label8}, false);
    } else {
      f_.Label3->setText(window_texts::SensorConnectionCaption.in(en_));
      fillConnections(connection);
      // Only a 2-wire connection has a lead resistance to correct.
      if (f_.ComboBox2->currentIndex() > 0) setShown({f_.Label5, f_.Edit3, f_.Label8}, false);
    }
    setFieldText(f_, kLayout, F::TemperatureOffset, realText(valueOf(s_.temperatureOffset)));
    return {valueOf(s_.rangeLow), valueOf(s_.rangeHigh)};
  }

  // A series without a voltage scale (only a product code that names no model gets here) keeps
  // the range the group had.
  Range copyVoltageInput(Range present) {
    setUnit({f_.Label6, f_.Label7}, unit_texts::Millivolt);
    setShown(
        {f_.Label3, f_.Label5, f_.Label9, f_.ComboBox2, f_.Edit3, f_.Edit4, f_.Label8, f_.Label10},
        false);
    if (!s_.rangeLow || !s_.rangeHigh) return present;
    return {valueOf(s_.rangeLow), valueOf(s_.rangeHigh)};
  }

  Range copyResistanceInput(int connection) {
    setUnit({f_.Label6, f_.Label7}, unit_texts::Ohm);
    setShown({f_.Label3, f_.ComboBox2}, true);
    setShown({f_.Label9, f_.Label10, f_.Edit4}, false);
    f_.Label3->setText(window_texts::SensorConnectionCaption.in(en_));
    fillConnections(connection);
    return {valueOf(s_.rangeLow), valueOf(s_.rangeHigh)};
  }

  void fillConnections(int connection) {
    const std::size_t count = model_.twoWireOnly ? 1 : window_texts::Connections.size();
    fillList(f_.ComboBox2, window_texts::Connections, count, en_);
    selectFieldEntry(f_, kLayout, F::Connection, connection);
  }

  // The wire-resistance row follows the connection the list now shows. Its captions and value
  // are set whatever the row's visibility (a voltage input keeps it hidden); a resistance input
  // with a 2-wire connection shows it, as a 2-wire resistance thermometer does.
  void copyWireRow(SensorType sensorType) {
    if (shows(f_.ComboBox2, window_texts::Connections[0])) {
      f_.Label5->setText(window_texts::WireResistanceCaption.in(en_));
      setUnit({f_.Label8}, unit_texts::Ohm);
      setFieldText(f_, kLayout, F::WireResistance, realText(valueOf(s_.wireResistance)));
      if (sensorType == SensorType::Resistance) setShown({f_.Label5, f_.Edit3, f_.Label8}, true);
    } else if (shows(f_.ComboBox2, window_texts::Compensations[1])) {
      f_.Label5->setText(window_texts::ColdJunctionTempCaption.in(en_));
      setUnit({f_.Label8}, unit_texts::Celsius);
      setFieldText(f_, kLayout, F::ColdJunctionTemperature,
                   realText(valueOf(s_.coldJunctionTemperature)));
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
  const LaidOutModel& laidOut_;
  ModelTraits model_;
  SensorType deviceSensorType_;
  bool en_;
  TransmitterSettings s_;
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
      copyIndicator(form_, images, model, edit_);
      break;
    case Layout::Humidity:
      copyHumidity(form_, images, model);
      break;
    case Layout::Transmitter:
      TransmitterCopy(form_, images, model, sources_).copy(edit_, events_);
      break;
  }
  record_.copiedFrom = copiedFrom;
  if (sources_.copied) sources_.copied(copiedFrom);
}

}  // namespace tadjust
