#include "edit/group_fields.h"

#include <variant>

#include "numbers/number_text.h"

namespace tadjust {

namespace {

using F = SettingsField;
using Control = std::variant<QLineEdit * Form1::*, QComboBox * Form1::*, QCheckBox * Form1::*>;

struct FieldControl {
  SettingsField field;
  Control control;
};

// Every layout's fields and the controls that hold them, in the order of the group's rows.
const FieldControl kTransmitterControls[] = {
    {F::SensorType, &Form1::ComboBox1},
    {F::RangeLow, &Form1::Edit1},
    {F::RangeHigh, &Form1::Edit2},
    {F::Connection, &Form1::ComboBox2},
    {F::WireResistance, &Form1::Edit3},
    {F::ColdJunctionTemperature, &Form1::Edit3},
    {F::TemperatureOffset, &Form1::Edit4},
    {F::FilterTime, &Form1::ComboBox3},
    {F::OutputReversed, &Form1::ComboBox4},
    {F::FailureHigh, &Form1::ComboBox5},
    {F::Tag, &Form1::Edit5},
};
const FieldControl kIndicatorControls[] = {
    {F::DisplayLow, &Form1::Edit1},      {F::DisplayHigh, &Form1::Edit2},
    {F::Precision, &Form1::ComboBox2},   {F::AlarmLow, &Form1::Edit3},
    {F::AlarmLowOn, &Form1::CheckBox3},  {F::AlarmHigh, &Form1::Edit4},
    {F::AlarmHighOn, &Form1::CheckBox4}, {F::Tag, &Form1::Edit5},
};
const FieldControl kHumidityControls[] = {
    {F::HumidityUnit, &Form1::ComboBox1},       {F::TemperatureLow, &Form1::Edit1},
    {F::TemperatureHigh, &Form1::Edit2},        {F::HumidityLow, &Form1::Edit19},
    {F::HumidityHigh, &Form1::Edit3},           {F::TemperatureOutputLow, &Form1::Edit4},
    {F::TemperatureOutputHigh, &Form1::Edit20}, {F::HumidityOutputLow, &Form1::Edit21},
    {F::HumidityOutputHigh, &Form1::Edit22},    {F::Tag, &Form1::Edit5},
};

template <std::size_t N>
QWidget* find(const Form1& form, const FieldControl (&table)[N], SettingsField field) {
  for (const FieldControl& entry : table) {
    if (entry.field != field) continue;
    return std::visit([&form](auto member) -> QWidget* { return form.*member; }, entry.control);
  }
  return nullptr;
}

// Reads the layout's controls through the table.
class GroupReader {
 public:
  GroupReader(const Form1& form, Layout layout) : form_(form), layout_(layout) {}

  SettingNumber number(SettingsField field) const {
    return number_text::readDecimal(box(field)->text());
  }
  int entry(SettingsField field) const { return list(field)->currentIndex(); }
  bool listShown(SettingsField field) const { return !list(field)->isHidden(); }
  bool checked(SettingsField field) const {
    return static_cast<const QCheckBox*>(controlOf(form_, layout_, field))->isChecked();
  }
  std::string text(SettingsField field) const { return box(field)->text().toStdString(); }

 private:
  const QLineEdit* box(SettingsField field) const {
    return static_cast<const QLineEdit*>(controlOf(form_, layout_, field));
  }
  const QComboBox* list(SettingsField field) const {
    return static_cast<const QComboBox*>(controlOf(form_, layout_, field));
  }

  const Form1& form_;
  Layout layout_;
};

TransmitterSettings readTransmitter(const GroupReader& group) {
  TransmitterSettings s;
  s.sensorType = sensorTypeAt(group.entry(F::SensorType));
  s.rangeLow = group.number(F::RangeLow);
  s.rangeHigh = group.number(F::RangeHigh);
  if (group.listShown(F::Connection)) s.connection = group.entry(F::Connection);
  if (s.sensorType && s.connection) {
    const SensorType type = *s.sensorType;
    const bool resistanceInput = isResistanceThermometer(type) || type == SensorType::Resistance;
    if (resistanceInput && *s.connection == 0) s.wireResistance = group.number(F::WireResistance);
    if (isThermocouple(type) && *s.connection == 1)
      s.coldJunctionTemperature = group.number(F::ColdJunctionTemperature);
  }
  if (s.sensorType && isTemperatureSensor(*s.sensorType))
    s.temperatureOffset = group.number(F::TemperatureOffset);
  s.filterIndex = group.entry(F::FilterTime);
  s.outputReversed = group.entry(F::OutputReversed) == 1;
  s.failureHigh = group.entry(F::FailureHigh) == 1;
  s.tag = group.text(F::Tag);
  return s;
}

IndicatorSettings readIndicator(const GroupReader& group) {
  IndicatorSettings s;
  s.displayLow = group.number(F::DisplayLow);
  s.displayHigh = group.number(F::DisplayHigh);
  s.precision = group.entry(F::Precision);
  s.alarmLow = group.number(F::AlarmLow);
  s.alarmHigh = group.number(F::AlarmHigh);
  s.alarmLowOn = group.checked(F::AlarmLowOn);
  s.alarmHighOn = group.checked(F::AlarmHighOn);
  s.tag = group.text(F::Tag);
  return s;
}

// The output boxes are read for every humidity model: the block carries their words whether
// the model shows the rows or not.
HumiditySettings readHumidity(const GroupReader& group, const LaidOutModel& model) {
  HumiditySettings s;
  if (model.model.unitChoice != UnitChoice::None) s.unit = group.entry(F::HumidityUnit);
  s.temperatureLow = group.number(F::TemperatureLow);
  s.temperatureHigh = group.number(F::TemperatureHigh);
  s.humidityLow = group.number(F::HumidityLow);
  s.humidityHigh = group.number(F::HumidityHigh);
  s.temperatureOutputLow = group.number(F::TemperatureOutputLow);
  s.temperatureOutputHigh = group.number(F::TemperatureOutputHigh);
  s.humidityOutputLow = group.number(F::HumidityOutputLow);
  s.humidityOutputHigh = group.number(F::HumidityOutputHigh);
  s.tag = group.text(F::Tag);
  return s;
}

}  // namespace

DeviceSettings readEditableGroup(const Form1& form, const LaidOutModel& model) {
  const GroupReader group(form, model.layout);
  switch (model.layout) {
    case Layout::Indicator:
      return readIndicator(group);
    case Layout::Humidity:
      return readHumidity(group, model);
    case Layout::Transmitter:
      break;
  }
  return readTransmitter(group);
}

QWidget* controlOf(const Form1& form, Layout layout, SettingsField field) {
  switch (layout) {
    case Layout::Indicator:
      return find(form, kIndicatorControls, field);
    case Layout::Humidity:
      return find(form, kHumidityControls, field);
    case Layout::Transmitter:
      break;
  }
  return find(form, kTransmitterControls, field);
}

QString rowCaption(const Form1& form, const QWidget* control) {
  for (const FormRow& row : form.editableRows()) {
    if (control == nullptr || (row.input != control && row.alternateInput != control)) continue;
    QString caption = row.caption->text().trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    return caption.trimmed();
  }
  return {};
}

QString fieldCaption(const Form1& form, Layout layout, SettingsField field) {
  const QWidget* control = controlOf(form, layout, field);
  const QString caption = rowCaption(form, control);
  if (caption.isEmpty() && control != nullptr) return control->objectName();
  return caption;
}

}  // namespace tadjust
