#pragma once

// Settings images such as a device of each model could hold: a plausible sensor, connection,
// range, filter, output direction, failure level and tag, the product code where the model's
// family keeps it, and a serial number. The linearisation tables are those of a device fresh
// from the factory (unused entries marked, no breakpoints); the program computes them anew on
// every write.
//
// Transmitters keep the product code at 192 and the serial number at 194. The indicator and the
// humidity models keep theirs at 64 and 66, with 0xFFFF (indicator) or 0 (humidity) at 192, the
// two forms a device of the small layouts is met with.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/device_catalogue.h"
#include "sim/simulated_device.h"

namespace tadjust {

struct SimulatedModel {
  DeviceModel model;
  std::uint16_t productCode;
};

// The model of a catalogue name ("RKA-49", "ARR/A") or of a product code ("9001", "15002").
// A name takes the given series (7, 9 or 10; the humidity models have their own codes).
std::optional<SimulatedModel> findSimulatedModel(std::string_view nameOrCode, unsigned series = 7);

// The serial number a simulated device carries unless told otherwise.
std::uint16_t defaultSerialNumber(const SimulatedModel& model);

ImageBytes makeModelImage(const SimulatedModel& model, std::uint16_t serialNumber);

// 256 bytes of noise from the seed: a device whose memory is garbage.
ImageBytes makeRandomImage(std::uint32_t seed);

}  // namespace tadjust
