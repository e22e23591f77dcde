#pragma once

// Shows the settings a device has just returned in the read-only device group and decides, on
// every read, which rows of the editable group are visible. The layout is chosen by the current
// model's family: the indicator layout, the humidity layout, or (any other name, names not in
// the catalogue too) the transmitter layout.

#include "image/layout.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"
#include "ui/form1.h"
#include "ui/window_events.h"

namespace tadjust {

struct DecoderState {
  // The device's sensor type as decoded at the last read of a transmitter.
  SensorType DeviceSensorType = SensorType::Pt100;
};

void showDeviceSettings(Form1& form, const SettingsImages& images, const LaidOutModel& model,
                        DecoderState& decoder, WindowEvents& events);

}  // namespace tadjust
