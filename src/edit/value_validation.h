#pragma once

// The validation of the eight numeric boxes of the "Editable settings" group (Edit1 to Edit4,
// Edit19 to Edit22), run when the user clicks into a box and when the focus leaves it (the
// window's editChange event). A validation reads the box with the system's decimal separator,
// puts the check's fallback in place of a text that is not a number, clamps the value to the
// limits of the model, series, sensor type and humidity unit, keeps lower and upper values apart,
// rounds it and writes it back. The user is not asked, but told: EditNotice, the status line at
// the group's foot, says what each box held and what it holds now ("Upper range value: "5000"
// changed to 1200."). Only a humidity model's partner box that holds no number is reported in a
// message box (and nothing changes).
//
// What a box holds depends on the layout: `edit/group_fields.cpp` has the table of which box
// holds which setting.
// The range checks of the temperature models and of the indicator keep their result in
// EditState (EditRangeLow, EditRangeHigh); the upper range and the alarm levels are checked
// against it.

#include <QLineEdit>
#include <QStringList>
#include <optional>
#include <vector>

#include "edit/edit_state.h"
#include "edit/edited_model.h"
#include "edit/group_fields.h"
#include "edit/value_checks.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "view/settings_view.h"

namespace tadjust {

class ValueValidation {
 public:
  // view: the current series, as the last layout stored it. boxes: where the conversion error
  // of a humidity partner box is reported.
  ValueValidation(Form1& form, EditState& state, const SettingsViewState& view,
                  MessageBoxes& boxes);

  // The window's editChange event: runs the handler of the box.
  void editChange(QLineEdit* edit);

  // Temperature models: Edit1Change runs Edit2Change afterwards. Indicator: Edit1Change and
  // Edit2Change run Edit3Change, then Edit4Change. Edit19Change to Edit22Change do nothing for
  // models that are not humidity models.
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void Edit4Change();
  void Edit19Change();
  void Edit20Change();
  void Edit21Change();
  void Edit22Change();

  // Validates every numeric box that the editable group shows as if the user had just left it,
  // so that an encoder reads only validated texts: boxes may hold texts that an earlier model's
  // layout or a copy put there and nobody has validated. The boxes are taken as the family shows
  // them, row by row from the top: Edit1, Edit2, Edit19 (humidity models), Edit3, Edit4, Edit20,
  // Edit21, Edit22. So a lower value is validated before the upper one is checked against it,
  // and a humidity model's lower humidity before the upper humidity takes it as its partner. A
  // box is shown when its own visibility flag is set (the group itself may be hidden).
  //
  // The tag box is brought to what the device will store (tagEdited) with them.
  //
  // Says whether every shown box now holds a number. It may not when a humidity pair check
  // stopped at a partner that is not a number, which is reported to the user as on leaving the
  // box. And lists what it changed, as EditNotice now says it: a write must not send a value the
  // user has not seen.
  struct ShownBoxes {
    bool allNumbers = true;
    QStringList corrections;
  };
  ShownBoxes validateShownBoxes();

  // The user's edit of the tag box Edit5: the text is brought at once to what the device will
  // store — cut to the layout's tag field, a character without a byte in the device's code page
  // made "?" — keeping the cursor where it was typed; EditNotice says so when the text changed.
  void tagEdited();

 private:
  // Every numeric box of the layout with its handler, in the order of the group's rows.
  std::vector<ValidatedBox> handlers() const;
  using BoxTexts = std::vector<QString>;
  // The texts of the boxes, in the order of handlers().
  BoxTexts boxTexts() const;
  // Which boxes validation gave another value than their texts before, as EditNotice says it.
  QStringList corrections(const BoxTexts& before) const;
  void say(const QStringList& corrections);
  // Brings the tag box to what the device will store; what changed, when it did.
  std::optional<QString> bringTagToField();

  EditedModel model() const;
  TemperatureRange temperatureRange(const EditedModel& model) const;
  // The selected humidity unit of a model with a unit choice (-1: none selected).
  int humidityUnit() const;
  void checkHumidityBox(HumidityBox box);
  QLineEdit* boxOf(HumidityBox box) const;

  Form1& form_;
  EditState& state_;
  const SettingsViewState& view_;
  MessageBoxes& boxes_;
};

}  // namespace tadjust
