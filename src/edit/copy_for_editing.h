#pragma once

// "Copy for edition" (BitBtn3): puts the settings last read into the editable group, so every
// edit starts from the device's present configuration, and fills the outgoing block of the
// model's layout with the bytes read. The indicator's and the humidity models' writes later
// overwrite only the edited fields of their block, so every byte the group does not show goes
// back as it was read; the transmitters' write rebuilds its block from the group.
//
// The copy never talks to the device and validates nothing: values outside the limits are
// corrected when the user clicks into or leaves their box. Lists are selected by program code,
// which runs none of the choice handlers of the sensor type and connection.

#include <functional>

#include "edit/copy_record.h"
#include "edit/edit_state.h"
#include "image/settings_image.h"
#include "ui/form1.h"
#include "ui/window_events.h"
#include "view/device_group.h"
#include "view/settings_view.h"

namespace tadjust {

class CopyForEditing {
 public:
  struct Sources {
    SettingsImages& images;                // read as the last read left it; the blocks are written
    const SettingsViewState& view;         // the current series
    const DecoderState& decoder;           // DeviceSensorType of the last read
    std::function<unsigned()> linkNumber;  // the exchange's present link
    // Told once the group holds the copy of the device named (where the group came from).
    std::function<void(const DeviceIdentity& copiedFrom)> copied = {};
  };

  CopyForEditing(Form1& form, EditState& edit, CopyRecord& record, WindowEvents& events,
                 Sources sources);

  // The whole copy, by the model label's text: the indicator, the humidity models, and every
  // other name (the temperature transmitters, and names outside the catalogue). Records the
  // device copied from in the copy record.
  void BitBtn3Click();

 private:
  Form1& form_;
  EditState& edit_;
  CopyRecord& record_;
  WindowEvents& events_;
  Sources sources_;
};

}  // namespace tadjust
