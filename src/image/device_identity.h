#pragma once

// Which device a read came from: what tells one linked device from another.

#include <cstdint>

#include "image/layout.h"
#include "image/settings_image.h"

namespace tadjust {

// The exchange's link (a new link may be another device, though the same model and serial
// number) and what the read says of the device.
struct DeviceIdentity {
  unsigned linkNumber = 0;  // the exchange's count of link commands at the read
  Layout layout = Layout::Transmitter;
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;

  friend bool operator==(const DeviceIdentity&, const DeviceIdentity&) = default;
};

// The device whose settings the images hold now: the settled product code, and the serial
// number where the layout keeps it (offset 66 of IndicatorCopy or HumidityCopy for the indicator
// and the humidity models, 194 of SettingsImage for the transmitters).
DeviceIdentity identifyDevice(const SettingsImages& images, Layout layout, unsigned linkNumber);

}  // namespace tadjust
