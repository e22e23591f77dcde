#pragma once

// Short ways to what the settings' tests name: a catalogue model by name as the settings view
// lays it out, and a decimal written as its text.

#include <string_view>

#include "catalogue/device_catalogue.h"
#include "image/layout.h"
#include "numbers/decimal.h"

namespace tadjust::testing {

inline LaidOutModel modelNamed(std::string_view name, unsigned series) {
  const DeviceModel model = findDeviceModelByName(name).value_or(DeviceModel{});
  return {model, series, layoutOf(model.family)};
}

inline Decimal n(const char* text) { return Decimal::parse(text).value(); }

}  // namespace tadjust::testing
