#pragma once

// What a settings read shows in the window, once the reply is in the settings image and its
// product code settled: both groups laid out anew when the code differs from the one last laid
// out, then the device group decoded. The exchange controller runs it on every reply.

#include <cstdint>

#include "image/settings_image.h"
#include "ui/form1.h"
#include "ui/window_events.h"
#include "view/device_group.h"
#include "view/settings_view.h"

namespace tadjust {

// Returns whether the groups were laid out anew: the editable group then holds the start values
// of the model read.
bool showSettingsRead(Form1& form, const SettingsImages& images, std::uint16_t& lastLaidOutCode,
                      SettingsViewState& view, DecoderState& decoder, WindowEvents& events);

}  // namespace tadjust
