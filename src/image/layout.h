#pragma once

// The three layouts of the settings image, and what tells them apart: the block a write sends,
// its command letter, where the device's serial number stands, its tag field, and which of the
// program's copies of the read the block is compared with. The one place that chooses these by
// the model's family.
//
//  - transmitter layout: every temperature model, and every name outside the catalogue;
//  - indicator layout: GWA-43;
//  - humidity layout: 935-JYRA, ARR/A, ARR/V, ARR-43.

#include <cstddef>
#include <cstdint>

#include "catalogue/device_catalogue.h"
#include "image/settings_image.h"

namespace tadjust {

enum class Layout { Transmitter, Indicator, Humidity };

Layout layoutOf(ModelFamily family);

struct LayoutParticulars {
  std::uint8_t writeCommand;       // "W" or "w"
  std::size_t blockSize;           // the bytes after the write command: 192 or 64
  std::size_t serialNumberOffset;  // in the image read
  TextField tag;                   // in the block
  bool writesOverTheCopy;          // the block carries the read's other bytes back
};

const LayoutParticulars& particularsOf(Layout layout);

// The layout's outgoing block: TransmitterBlock, IndicatorBlock or HumidityBlock.
Bytes outgoingBlock(Layout layout, SettingsImages& images);
ConstBytes outgoingBlock(Layout layout, const SettingsImages& images);
// The bytes of the last read that a written block is compared with: the image itself, or the
// indicator's or humidity models' copy of its first 128 bytes.
ConstBytes readCopy(Layout layout, const SettingsImages& images);

// The model the settings view is laid out for, looked up once per layout: its catalogue entry
// (an unnamed current-output transmitter for a name outside the catalogue), the series of the
// product code, and its layout. Every model-dependent decision reads it.
struct LaidOutModel {
  DeviceModel model;
  unsigned series = 0;
  Layout layout = Layout::Transmitter;
};

}  // namespace tadjust
