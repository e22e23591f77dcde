#pragma once

// The editable group's fields: which control of the group holds which named setting, for each
// layout — the one table that knows it. For every field it also gives the unit label of its row
// and the validation handler of its box. From it the group is read into settings values, set from
// them (the copy for edition, a settings file, a commissioning row), its boxes are validated in
// row order, the limits' tooltips find their boxes, and a field gets the caption its row shows.
//
// The group's boxes hold number texts in the system's format; a text that is not a number reads
// as no number, which the encoder refuses, naming the field. Nothing here judges a value.

#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <span>
#include <variant>
#include <vector>

#include "edit/validation_limits.h"
#include "image/device_settings.h"
#include "ui/form1.h"

namespace tadjust {

class SensorTypeEditing;
class ValueValidation;

// A box's handler of the window's editChange event (ValueValidation::Edit1Change, ...).
using BoxValidation = void (ValueValidation::*)();

using GroupControl = std::variant<QLineEdit * Form1::*, QComboBox * Form1::*, QCheckBox * Form1::*>;

struct GroupField {
  SettingsField field;
  GroupControl control;
  QLabel* Form1::*unit = nullptr;      // the row's unit label; none for rows without a unit
  BoxValidation validation = nullptr;  // a number box's handler; none for lists, checks, the tag
};

// The layout's fields in the order of the group's rows. The transmitter's Edit3 holds the lead
// resistance or the cold-junction temperature, as the connection list says.
std::span<const GroupField> groupFields(Layout layout);

// The settings the editable group holds now, for the model it is laid out for. A transmitter's
// connection is read where its row is shown, the lead resistance and the cold-junction
// temperature where the connection stores them, the correction for temperature sensors.
DeviceSettings readEditableGroup(const Form1& form, const LaidOutModel& model);

// The control that holds the field in the layout; null for a field the layout has not.
QWidget* controlOf(const Form1& form, Layout layout, SettingsField field);
QLineEdit* boxOf(const Form1& form, Layout layout, SettingsField field);
// The unit label of the field's row; null where the row has none.
QLabel* unitLabelOf(const Form1& form, Layout layout, SettingsField field);

// The humidity check that a setting's box gets.
SettingsField humidityFieldOf(HumidityBox box);

// Every number box of the layout once, with its validation handler, in the order of the rows:
// a lower value comes before the upper one that is checked against it.
struct ValidatedBox {
  QLineEdit* box;
  BoxValidation validation;
};
std::vector<ValidatedBox> validatedBoxes(const Form1& form, Layout layout);

// Sets a field's control as a copy does it, without running any handler: a box's text, a list's
// entry (an index the list has not selects nothing), a check box's state.
void setFieldText(Form1& form, Layout layout, SettingsField field, const QString& text);
void selectFieldEntry(Form1& form, Layout layout, SettingsField field, long long index);
void setFieldChecked(Form1& form, Layout layout, SettingsField field, bool checked);
// The tag, shown whole: a device's tag may hold more characters than the user may type, and a
// write sends it back whole.
void setTagField(Form1& form, Layout layout, const QString& tag);

// The caption of the row that holds the control, as the window shows it now, without its
// closing colon ("Lower range value"); empty when no row holds it.
QString rowCaption(const Form1& form, const QWidget* control);

// The field's caption as the window shows it now; the control's name where no row shows one.
QString fieldCaption(const Form1& form, Layout layout, SettingsField field);

// The connection list shows the 2-wire entry, in either language.
bool showsTwoWire(const QComboBox* connection);

// Enters named settings into the editable group as the technician would: each list chosen (its
// handler run when the choice is new, so the group lays itself out for it), each number typed
// with the system's decimal separator, the tag brought to what the device stores, and every
// shown box then validated as on leaving it. What validation corrected is returned, so the window
// can say it.
struct EntryCorrection {
  SettingsField field;
  QString entered;  // the value's text as it was typed into the box
  QString shown;    // the box's text after validation
};

class SettingsEntry {
 public:
  SettingsEntry(Form1& form, SensorTypeEditing& choices, ValueValidation& validation);

  // Enters settings of the layout the group is laid out for (model); returns the corrections.
  std::vector<EntryCorrection> enter(const DeviceSettings& settings, const LaidOutModel& model);

 private:
  void choose(QComboBox* list, int entry, void (SensorTypeEditing::*handler)());
  void enterLists(const DeviceSettings& settings, Layout layout);
  std::vector<SettingsField> typeNumbers(const DeviceSettings& settings, Layout layout);

  Form1& form_;
  SensorTypeEditing& choices_;
  ValueValidation& validation_;
};

}  // namespace tadjust
