#pragma once

// A new choice in the sensor-type list ComboBox1 or the connection list ComboBox2 of the
// "Editable settings" group lays the group out anew for it: the range units, the connection
// list's meaning and entries, the temperature-offset and wire-resistance rows, and the default
// range of the new sensor, which is then validated. On the humidity models with a unit choice,
// ComboBox1 switches the humidity rows between relative humidity and dew point.
//
// The handlers run only on a choice the user makes (QComboBox::activated); a selection made by
// program code (the layout, the decoder, the copy) runs none of them.
//
// The connection row's caption Label3 is shown whenever ComboBox2 is shown and hidden with it.

#include "edit/edit_state.h"
#include "edit/value_validation.h"
#include "ui/form1.h"
#include "view/settings_view.h"

namespace tadjust {

class SensorTypeEditing {
 public:
  // validation: the range boxes are validated after a new sensor type.
  SensorTypeEditing(Form1& form, EditState& state, const SettingsViewState& view,
                    ValueValidation& validation);

  // A new choice in ComboBox1: the humidity unit of ARR/A, ARR/V and ARR-43 (new unit labels and
  // humidity range, not validated), otherwise the sensor type (sensorTypeChanged).
  void ComboBox1Change();
  // Lays the group out for the selected sensor type, sets EditSensorType, writes the sensor's
  // default range for the current series, lays out the wire-resistance row (ComboBox2Change),
  // validates the range (Edit1Change) and sets Edit3 to 0.
  void sensorTypeChanged();
  // A new choice in ComboBox2: shows the wire-resistance row for a 2-wire connection, the
  // cold-junction temperature row for external compensation, and hides it otherwise. The value
  // in Edit3 is kept. Nothing on the indicator, where ComboBox2 is the display precision.
  void ComboBox2Change();

 private:
  void showUnitsAndOffsetRow(SensorType sensorType);
  void fillConnectionRow(SensorType sensorType, const EditedModel& model);
  void writeDefaultRange(SensorType sensorType, const EditedModel& model);

  Form1& form_;
  EditState& state_;
  const SettingsViewState& view_;
  ValueValidation& validation_;
};

}  // namespace tadjust
