#pragma once

// Shows the settings a device has just returned in the read-only device group and decides, on
// every read, which rows of the editable group are visible. The image is decoded once
// (decodeSettings) and the device group shows the rows of the settings (settings_rows.h); the
// layout is the model's laid out: the indicator layout, the humidity layout, or (any other name,
// names not in the catalogue too) the transmitter layout.

#include <vector>

#include "image/layout.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"
#include "ui/form1.h"
#include "ui/window_events.h"
#include "view/settings_rows.h"

namespace tadjust {

struct DecoderState {
  // The device's sensor type as decoded at the last read of a transmitter; a code no list entry
  // names leaves it as it was.
  SensorType DeviceSensorType = SensorType::Pt100;
};

void showDeviceSettings(Form1& form, const SettingsImages& images, const LaidOutModel& model,
                        DecoderState& decoder, WindowEvents& events);

// Writes the rows into the device group: each row's caption, value and unit (or check box),
// shown; every row not among them hidden.
void fillDeviceGroup(Form1& form, const std::vector<DeviceGroupRow>& rows);

}  // namespace tadjust
