#pragma once

// The settings a write changes, field by field, for the write history: the settings of the
// read before the write against those of the block sent, compared as values over the fields the
// model shows, written down by the named settings' keys and texts in the device's units.

#include <vector>

#include "history/field_changes.h"
#include "image/layout.h"
#include "image/settings_image.h"

namespace tadjust {

// images: the read before the write (SettingsImage and the layout copies taken from it); sent:
// the block of the model's layout that went to the device.
std::vector<history::FieldChange> changesOfWrite(const SettingsImages& images,
                                                 const LaidOutModel& model, ConstBytes sent);

}  // namespace tadjust
