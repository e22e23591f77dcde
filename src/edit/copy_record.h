#pragma once

// Which device the outgoing blocks were copied from. The indicator's and the humidity models'
// blocks carry back to the device every byte the editable group does not show, their calibration
// words among them; a block copied from another device, or never filled, must not be written.
// The copy for editing records the device it copied from; before a write of such a block the
// write asks copyMatches with the device linked now, and refuses it when the answer is no.

#include <optional>

#include "image/device_identity.h"

namespace tadjust {

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
