#include "edit/group_fields.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>
#include <variant>

#include "edit/sensor_type_editing.h"
#include "edit/value_validation.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"
#include "ui/box_text.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

using F = SettingsField;
using V = ValueValidation;

// Every layout's fields, the controls that hold them, their rows' units and their boxes'
// handlers, in the order of the group's rows.
const GroupField kTransmitterFields[] = {
    {F::SensorType, &Form1::ComboBox1},
    {F::RangeLow, &Form1::Edit1, &Form1::Label6, &V::Edit1Change},
    {F::RangeHigh, &Form1::Edit2, &Form1::Label7, &V::Edit2Change},
    {F::Connection, &Form1::ComboBox2},
    {F::WireResistance, &Form1::Edit3, &Form1::Label8, &V::Edit3Change},
    {F::ColdJunctionTemperature, &Form1::Edit3, &Form1::Label8, &V::Edit3Change},
    {F::TemperatureOffset, &Form1::Edit4, &Form1::Label10, &V::Edit4Change},
    {F::FilterTime, &Form1::ComboBox3},
    {F::OutputReversed, &Form1::ComboBox4},
    {F::FailureHigh, &Form1::ComboBox5},
    {F::Tag, &Form1::Edit5},
};
const GroupField kIndicatorFields[] = {
    {F::DisplayLow, &Form1::Edit1, nullptr, &V::Edit1Change},
    {F::DisplayHigh, &Form1::Edit2, nullptr, &V::Edit2Change},
    {F::Precision, &Form1::ComboBox2},
    {F::AlarmLow, &Form1::Edit3, nullptr, &V::Edit3Change},
    {F::AlarmLowOn, &Form1::CheckBox3},
    {F::AlarmHigh, &Form1::Edit4, nullptr, &V::Edit4Change},
    {F::AlarmHighOn, &Form1::CheckBox4},
    {F::Tag, &Form1::Edit5},
};
const GroupField kHumidityFields[] = {
    {F::HumidityUnit, &Form1::ComboBox1},
    {F::TemperatureLow, &Form1::Edit1, &Form1::Label6, &V::Edit1Change},
    {F::TemperatureHigh, &Form1::Edit2, &Form1::Label7, &V::Edit2Change},
    {F::HumidityLow, &Form1::Edit19, &Form1::Label43, &V::Edit19Change},
    {F::HumidityHigh, &Form1::Edit3, &Form1::Label8, &V::Edit3Change},
    {F::TemperatureOutputLow, &Form1::Edit4, &Form1::Label10, &V::Edit4Change},
    {F::TemperatureOutputHigh, &Form1::Edit20, &Form1::Label12, &V::Edit20Change},
    {F::HumidityOutputLow, &Form1::Edit21, &Form1::Label14, &V::Edit21Change},
    {F::HumidityOutputHigh, &Form1::Edit22, &Form1::Label16, &V::Edit22Change},
    {F::Tag, &Form1::Edit5},
};

const GroupField* entryOf(Layout layout, SettingsField field) {
  for (const GroupField& entry : groupFields(layout))
    if (entry.field == field) return &entry;
  return nullptr;
}

QWidget* controlIn(const Form1& form, const GroupControl& control) {
  return std::visit([&form](auto member) -> QWidget* { return form.*member; }, control);
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

// The list entry a list field's value stands for.
std::optional<int> entryOfField(const DeviceSettings& settings, SettingsField field) {
  if (const auto* s = std::get_if<TransmitterSettings>(&settings)) {
    switch (field) {
      case F::SensorType:
        return s->sensorType ? std::optional(entryOf(*s->sensorType)) : std::nullopt;
      case F::Connection:
        return s->connection;
      case F::FilterTime:
        return s->filterIndex;
      case F::OutputReversed:
        return s->outputReversed ? 1 : 0;
      case F::FailureHigh:
        return s->failureHigh ? 1 : 0;
      default:
        return std::nullopt;
    }
  }
  if (const auto* s = std::get_if<IndicatorSettings>(&settings))
    return field == F::Precision ? std::optional(s->precision) : std::nullopt;
  const auto& s = std::get<HumiditySettings>(settings);
  return field == F::HumidityUnit ? std::optional(s.unit) : std::nullopt;
}

QString boxTextOf(const Decimal& value) {
  QString text = QString::fromStdString(value.toString());
  text.replace(QLatin1Char('.'), QLatin1Char(number_text::systemDecimalSeparator()));
  return text;
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

std::span<const GroupField> groupFields(Layout layout) {
  switch (layout) {
    case Layout::Indicator:
      return kIndicatorFields;
    case Layout::Humidity:
      return kHumidityFields;
    case Layout::Transmitter:
      break;
  }
  return kTransmitterFields;
}

QWidget* controlOf(const Form1& form, Layout layout, SettingsField field) {
  const GroupField* entry = entryOf(layout, field);
  return entry != nullptr ? controlIn(form, entry->control) : nullptr;
}

QLineEdit* boxOf(const Form1& form, Layout layout, SettingsField field) {
  return qobject_cast<QLineEdit*>(controlOf(form, layout, field));
}

QLabel* unitLabelOf(const Form1& form, Layout layout, SettingsField field) {
  const GroupField* entry = entryOf(layout, field);
  return entry != nullptr && entry->unit != nullptr ? form.*(entry->unit) : nullptr;
}

SettingsField humidityFieldOf(HumidityBox box) {
  switch (box) {
    case HumidityBox::Edit1:
      return F::TemperatureLow;
    case HumidityBox::Edit2:
      return F::TemperatureHigh;
    case HumidityBox::Edit19:
      return F::HumidityLow;
    case HumidityBox::Edit3:
      return F::HumidityHigh;
    case HumidityBox::Edit4:
      return F::TemperatureOutputLow;
    case HumidityBox::Edit20:
      return F::TemperatureOutputHigh;
    case HumidityBox::Edit21:
      return F::HumidityOutputLow;
    case HumidityBox::Edit22:
      break;
  }
  return F::HumidityOutputHigh;
}

std::vector<ValidatedBox> validatedBoxes(const Form1& form, Layout layout) {
  std::vector<ValidatedBox> boxes;
  for (const GroupField& entry : groupFields(layout)) {
    if (entry.validation == nullptr) continue;
    auto* box = qobject_cast<QLineEdit*>(controlIn(form, entry.control));
    const bool listed = std::any_of(boxes.begin(), boxes.end(),
                                    [box](const ValidatedBox& b) { return b.box == box; });
    if (box != nullptr && !listed) boxes.push_back({box, entry.validation});
  }
  return boxes;
}

void setFieldText(Form1& form, Layout layout, SettingsField field, const QString& text) {
  if (QLineEdit* box = boxOf(form, layout, field)) setBoxText(box, text);
}

void selectFieldEntry(Form1& form, Layout layout, SettingsField field, long long index) {
  auto* list = qobject_cast<QComboBox*>(controlOf(form, layout, field));
  if (list == nullptr) return;
  list->setCurrentIndex(index >= 0 && index < list->count() ? static_cast<int>(index) : -1);
}

void setFieldChecked(Form1& form, Layout layout, SettingsField field, bool checked) {
  if (auto* check = qobject_cast<QCheckBox*>(controlOf(form, layout, field)))
    check->setChecked(checked);
}

void setTagField(Form1& form, Layout layout, const QString& tag) {
  if (QLineEdit* box = boxOf(form, layout, F::Tag)) setBoxTextWhole(box, tag, kTagTypingLimit);
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

bool showsTwoWire(const QComboBox* connection) {
  const BilingualText& twoWire = window_texts::Connections[0];
  const QString shown = connection->currentText();
  return shown == twoWire.in(true) || shown == twoWire.in(false);
}

SettingsEntry::SettingsEntry(Form1& form, SensorTypeEditing& choices, ValueValidation& validation)
    : form_(form), choices_(choices), validation_(validation) {}

void SettingsEntry::choose(QComboBox* list, int entry, void (SensorTypeEditing::*handler)()) {
  if (entry < 0 || entry >= list->count() || list->currentIndex() == entry) return;
  list->setCurrentIndex(entry);
  if (handler != nullptr) (choices_.*handler)();
}

// The lists first, in row order: a new sensor type lays the group out anew and writes its
// default range, which the numbers typed afterwards replace.
void SettingsEntry::enterLists(const DeviceSettings& settings, Layout layout) {
  for (const SettingsField field : fieldsOf(layout)) {
    if (!holdsField(settings, field)) continue;
    QWidget* control = controlOf(form_, layout, field);
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      const auto entry = entryOfField(settings, field);
      if (!entry) continue;
      if (list == form_.ComboBox1) {
        choose(list, *entry, &SensorTypeEditing::ComboBox1Change);
      } else if (list == form_.ComboBox2 && layout == Layout::Transmitter) {
        choose(list, *entry, &SensorTypeEditing::ComboBox2Change);
      } else {
        choose(list, *entry, nullptr);
      }
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
      check->setChecked(fieldText(settings, field) == "true");
    }
  }
}

std::vector<SettingsField> SettingsEntry::typeNumbers(const DeviceSettings& settings,
                                                      Layout layout) {
  std::vector<SettingsField> typed;
  for (const SettingsField field : fieldsOf(layout)) {
    if (!holdsField(settings, field)) continue;
    auto* box = qobject_cast<QLineEdit*>(controlOf(form_, layout, field));
    if (box == nullptr) continue;
    if (field == F::Tag) {
      setBoxTextWhole(box, QString::fromStdString(fieldText(settings, field)), kTagTypingLimit);
    } else {
      setBoxText(box, boxTextOf(*Decimal::parse(fieldText(settings, field))));
    }
    typed.push_back(field);
  }
  return typed;
}

std::vector<EntryCorrection> SettingsEntry::enter(const DeviceSettings& settings,
                                                  const LaidOutModel& model) {
  const Layout layout = model.layout;
  if (layoutOf(settings) != layout) return {};
  enterLists(settings, layout);
  const std::vector<SettingsField> typed = typeNumbers(settings, layout);
  validation_.validateShownBoxes();

  std::vector<EntryCorrection> corrections;
  for (const SettingsField field : typed) {
    const auto* box = static_cast<const QLineEdit*>(controlOf(form_, layout, field));
    // The tag, brought to what the device stores, is compared as text.
    if (field == F::Tag) {
      const QString entered = QString::fromStdString(fieldText(settings, field));
      if (box->text() != entered) corrections.push_back({field, entered, box->text()});
      continue;
    }
    const Decimal entered = *Decimal::parse(fieldText(settings, field));
    if (number_text::readDecimal(box->text()) != entered)
      corrections.push_back({field, boxTextOf(entered), box->text()});
  }
  return corrections;
}

}  // namespace tadjust
