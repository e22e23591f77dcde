#pragma once

// Before a write, the question a technician must answer when the editable group was not taken
// from the device linked now — start values (a fresh program, or another model read), a copy of
// another device (the replacement done by hand), or a file opened onto another: every field the
// write will change on the device is listed (device value → value to be written, as the device
// group shows them), and only "Write" sends; Cancel, the default, sends nothing.
//
// The indicator's and the humidity models' blocks are never sent without a copy of the device
// linked now (EditedSettings refuses them first), so the question concerns the transmitters.

#include <QString>

#include "edit/edit_origin.h"
#include "image/settings_image.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "view/settings_view.h"

namespace tadjust {

class OriginQuestion {
 public:
  struct Sources {
    const SettingsImages& images;  // the device as the last read found it
    const SettingsViewState& view;
    const EditOrigin& origin;  // where the editable group came from
  };

  OriginQuestion(Form1& form, MessageBoxes& boxes, Sources sources);

  // Whether the block may be sent: at once when the group was taken from the device the last
  // read named, otherwise the technician's answer.
  bool confirm(ConstBytes block);

 private:
  Form1& form_;
  MessageBoxes& boxes_;
  Sources sources_;
};

}  // namespace tadjust
