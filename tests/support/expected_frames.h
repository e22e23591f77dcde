#pragma once

// What a write of a model sends, read by the tests on their own from the protocol rather than
// from the program's layout table: "W" and 64 bytes for the indicator, "w" and 64 bytes for the
// humidity models, "W" and 192 bytes for every other name; and the outgoing block the program
// keeps it in.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/device_catalogue.h"
#include "image/settings_image.h"
#include "support/model_sets.h"

namespace tadjust::testing {

struct ExpectedFrame {
  std::uint8_t command;
  std::size_t blockSize;
};

inline ExpectedFrame expectedFrame(std::string_view model) {
  if (isIndicator(model)) return {'W', kSmallBlockSize};
  if (isHumidityModel(model)) return {'w', kSmallBlockSize};
  return {'W', kTransmitterBlockSize};
}

inline Bytes expectedOutgoingBlock(std::string_view model, SettingsImages& images) {
  if (isIndicator(model)) return images.IndicatorBlock;
  if (isHumidityModel(model)) return images.HumidityBlock;
  return images.TransmitterBlock;
}

}  // namespace tadjust::testing
