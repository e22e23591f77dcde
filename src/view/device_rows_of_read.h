#pragma once

// The rows the device group shows for a read that is no longer on screen (the read before a
// write, say): the read is laid out and decoded on a window of its own, never shown, exactly as
// the device group would show it, and its rows are taken as texts.

#include <array>
#include <cstdint>
#include <vector>

#include "image/settings_image.h"
#include "ui/shown_rows.h"

namespace tadjust {

// image: the 256 bytes of a read as the program keeps them (the product code settled).
std::vector<ShownRow> deviceRowsOfRead(const std::array<std::uint8_t, kSettingsImageSize>& image,
                                       bool useEnglish);

}  // namespace tadjust
