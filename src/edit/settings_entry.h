#pragma once

// Enters named settings into the editable group as the technician would: each list chosen (its
// handler run when the choice is new, so the group lays itself out for it), each number typed
// with the system's decimal separator, the tag brought to what the device stores, and every
// shown box then validated as on leaving it. What validation corrected is returned, so the window
// can say it.

#include <QString>
#include <vector>

#include "edit/sensor_type_editing.h"
#include "edit/value_validation.h"
#include "image/device_settings.h"
#include "ui/form1.h"

namespace tadjust {

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
