#pragma once

// The write's encode step: the editable group made into the block the write sends, or the
// reason, in the chosen language, why nothing may be sent.
//
//  1. Every numeric box the group shows is validated as if the user had just left it (boxes may
//     hold texts an earlier model's layout left and nobody validated), and the tag brought to
//     what the device stores. When that changes any value, nothing is sent: the corrected
//     values stand in their boxes, EditNotice and the refusal list them, and the user sends
//     what they now see with the next press.
//  2. The indicator's and the humidity models' blocks carry back every byte the group does not
//     show, calibration words among them: they are sent only when "Copy for edition" took them
//     from the device linked now. A transmitter's block is rebuilt from the group and needs no
//     copy.
//  3. The group's values, as validation leaves them, are encoded into the layout's outgoing
//     block; a refusal names the box by its row's caption.
//  4. A transmitter's encoded sensor type becomes EditSensorType.
//
// It lives in the program rather than in the edit library because it answers the write
// (SettingsWriter's EncodedSettings) and asks the exchange which link is current; the edit
// library keeps to the group itself.

#include <functional>
#include <string>

#include "app/settings_writer.h"
#include "edit/copy_record.h"
#include "edit/edit_state.h"
#include "edit/value_validation.h"
#include "image/settings_encoder.h"
#include "image/settings_image.h"
#include "ui/form1.h"
#include "view/settings_view.h"

namespace tadjust {

class EditedSettings {
 public:
  struct Sources {
    SettingsImages& images;                // the copies read, and the outgoing blocks encoded into
    const SettingsViewState& view;         // the current series
    const CopyRecord& copyRecord;          // the device the copy was taken from
    std::function<unsigned()> linkNumber;  // the exchange's present link
  };

  EditedSettings(Form1& form, EditState& edit, ValueValidation& validation, Sources sources);

  // The encode step of SettingsWriter (run by every write, "Repeat writing?" too).
  EncodedSettings encodeForWrite();

 private:
  bool copiedFromLinkedDevice(Layout layout) const;
  QString noCopyReason() const;
  QString refusalReason(const EncodingRefusal& refusal) const;
  QString text(const BilingualText& t) const;

  Form1& form_;
  EditState& edit_;
  ValueValidation& validation_;
  Sources sources_;
};

}  // namespace tadjust
