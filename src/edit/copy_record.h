#pragma once

// Which device the outgoing blocks were copied from. The indicator's and the humidity models'
// blocks carry back to the device every byte the editable group does not show, their calibration
// words among them; a block copied from another device, or never filled, must not be written.
// The copy for editing records the device it copied from; before a write of such a block the
// write asks copyMatches with the device linked now, and refuses it when the answer is no.

#include <cstdint>
#include <optional>

#include "image/layout.h"
#include "image/settings_image.h"

namespace tadjust {

// What tells one linked device from another: the exchange's link (a new link may be another
// device, though the same model and serial number) and what the last read said of the device.
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

struct CopyRecord {
  // The device of the last copy; nothing before the first.
  std::optional<DeviceIdentity> copiedFrom;

  // True when the outgoing blocks were copied from the device identified by linkedNow (in
  // practice identifyDevice of the images, the layout and the link number as they are at
  // the write). False before any copy, after a new link, and when the last read names another
  // layout, product code or serial number than the copy did.
  bool copyMatches(const DeviceIdentity& linkedNow) const {
    return copiedFrom.has_value() && *copiedFrom == linkedNow;
  }
};

}  // namespace tadjust
