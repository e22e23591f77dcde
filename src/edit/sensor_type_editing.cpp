#include "edit/sensor_type_editing.h"

#include <cmath>
#include <optional>

#include "edit/box_numbers.h"
#include "edit/validation_limits.h"
#include "image/raw_scales.h"
#include "ui/bilingual_text.h"
#include "ui/controls.h"
#include "ui/unit_texts.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

// A choice words two captions in English otherwise than the device group and the copy do
// ("Cold junction comp.:", "Wire resistance:").
constexpr BilingualText kCompensationCaption{"Cold junction compens.:", "Komp. zimnych końców:"};
constexpr BilingualText kCableResistanceCaption{"Cable resistance:", "Rezystancja przewodów:"};

bool isOneOf(const QString& text, const BilingualText& entry) {
  return text == entry.in(true) || text == entry.in(false);
}

}  // namespace

SensorTypeEditing::SensorTypeEditing(Form1& form, EditState& state, const SettingsViewState& view,
                                     ValueValidation& validation)
    : form_(form), state_(state), view_(view), validation_(validation) {}

void SensorTypeEditing::ComboBox1Change() {
  if (!editedModel(view_.model).unitChoice) {
    sensorTypeChanged();
    return;
  }
  const bool relativeHumidity = form_.ComboBox1->currentIndex() == kRelativeHumidity;
  const HumidityDefaults defaults =
      relativeHumidity ? kRelativeHumidityDefaults : kDewPointDefaults;
  setUnit({form_.Label43, form_.Label8},
          relativeHumidity ? unit_texts::RelativeHumidity : unit_texts::DewPoint);
  box_numbers::show(form_.Edit19, box_numbers::integerText(defaults.low));
  box_numbers::show(form_.Edit3, box_numbers::integerText(defaults.high));
}

void SensorTypeEditing::sensorTypeChanged() {
  const std::optional<SensorType> chosen = sensorTypeAt(form_.ComboBox1->currentIndex());
  if (!chosen) return;
  const SensorType sensorType = *chosen;
  const EditedModel model = editedModel(view_.model);
  showUnitsAndOffsetRow(sensorType);
  fillConnectionRow(sensorType, model);
  state_.EditSensorType = sensorType;
  writeDefaultRange(sensorType, model);
  ComboBox2Change();
  validation_.Edit1Change();
  box_numbers::show(form_.Edit3, QStringLiteral("0"));
}

void SensorTypeEditing::showUnitsAndOffsetRow(SensorType sensorType) {
  const bool temperature = isTemperatureSensor(sensorType);
  setUnit({form_.Label6, form_.Label7}, temperature                         ? unit_texts::Celsius
                                        : sensorType == SensorType::Voltage ? unit_texts::Millivolt
                                                                            : unit_texts::Ohm);
  setShown({form_.Label9, form_.Label10, form_.Edit4}, temperature);
}

void SensorTypeEditing::fillConnectionRow(SensorType sensorType, const EditedModel& model) {
  const bool en = form_.UseEnglish;
  QComboBox* connection = form_.ComboBox2;
  connection->clear();
  if (sensorType == SensorType::Voltage) {
    form_.Label3->clear();
    setShown({form_.Label3, connection}, false);
    return;
  }
  if (isThermocouple(sensorType)) {
    form_.Label3->setText(kCompensationCaption.in(en));
    for (const BilingualText& entry : window_texts::Compensations)
      connection->addItem(entry.in(en));
  } else {
    form_.Label3->setText(window_texts::SensorConnectionCaption.in(en));
    const std::size_t entries = model.twoWireOnly ? 1 : window_texts::Connections.size();
    for (std::size_t i = 0; i < entries; ++i)
      connection->addItem(window_texts::Connections[i].in(en));
  }
  connection->setCurrentIndex(0);
  setShown({form_.Label3, connection}, true);
}

// Temperatures as integers (the lower value rounded up, the upper down), millivolts and ohms as
// decimal text; RKN-40F3 shows its resistance at five times the device's value. A series
// without a table keeps the texts: the validation that follows sets both to 0.
void SensorTypeEditing::writeDefaultRange(SensorType sensorType, const EditedModel& model) {
  const std::optional<SensorRange> range = sensorRange(view_.model.series, sensorType);
  if (!range) return;
  if (isTemperatureSensor(sensorType)) {
    box_numbers::show(form_.Edit1, box_numbers::integerText(std::ceil(range->low)));
    box_numbers::show(form_.Edit2, box_numbers::integerText(std::floor(range->high)));
    return;
  }
  const double factor = model.seriesSensor && sensorType == SensorType::Resistance
                            ? raw_scales::kSeriesSensorFactor
                            : 1;
  box_numbers::show(form_.Edit1, number_text::general(range->low * factor));
  box_numbers::show(form_.Edit2, number_text::general(range->high * factor));
}

void SensorTypeEditing::ComboBox2Change() {
  if (editedModel(view_.model).family == EditedFamily::Indicator) return;
  const bool en = form_.UseEnglish;
  const QString shown = form_.ComboBox2->currentText();
  if (isOneOf(shown, window_texts::Connections[0])) {
    form_.Label5->setText(kCableResistanceCaption.in(en));
    setUnit({form_.Label8}, unit_texts::Ohm);
  } else if (isOneOf(shown, window_texts::Compensations[1])) {
    form_.Label5->setText(window_texts::ColdJunctionTempCaption.in(en));
    setUnit({form_.Label8}, unit_texts::Celsius);
  } else {
    setShown({form_.Label5, form_.Label8, form_.Edit3}, false);
    return;
  }
  setShown({form_.Label5, form_.Label8, form_.Edit3}, true);
}

}  // namespace tadjust
