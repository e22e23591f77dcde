#pragma once

// The device group's decoder as it was written from the image, step by step of the device
// group's description: the oracle the program's rows (view/settings_rows.h) are held against.
// It writes the texts and visibility straight into a window from the image, and decides, on
// every read, which rows of the editable group are visible.

#include "image/layout.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"
#include "ui/form1.h"
#include "ui/window_events.h"

namespace tadjust {

namespace testing {

struct ReferenceDecoderState {
  // The device's sensor type as decoded at the last read of a transmitter.
  SensorType DeviceSensorType = SensorType::Pt100;
};

void referenceShowDeviceSettings(Form1& form, const SettingsImages& images,
                                 const LaidOutModel& model, ReferenceDecoderState& decoder,
                                 WindowEvents& events);

}  // namespace testing

}  // namespace tadjust
