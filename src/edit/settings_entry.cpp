#include "edit/settings_entry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "edit/group_fields.h"
#include "numbers/number_text.h"
#include "ui/box_text.h"

namespace tadjust {

namespace {

using F = SettingsField;

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
