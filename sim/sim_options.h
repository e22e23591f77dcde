#pragma once

// The command line of t-adjust-sim.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/simulated_device.h"

namespace tadjust {

struct SimulatorOptions {
  std::string model = "RKA-49";
  unsigned series = 7;
  std::optional<std::uint16_t> serialNumber;
  std::optional<std::string> imageFile;
  std::optional<std::string> saveFile;
  bool randomImage = false;
  std::optional<std::uint32_t> seed;
  DeviceFaults faults;
  std::optional<std::uint64_t> unplugAfterBytes;
  std::optional<double> unplugAfterSeconds;
  // After an unplug, the port comes back under the same path this many seconds later.
  std::optional<double> replugAfterSeconds;
  // After an unplug, the box comes back at once on a new pseudo-terminal (another path).
  bool replugElsewhere = false;
  // Other devices, behind the same box: their settings images, each put in place of the device
  // before it, in turn, once that has received swapAfterBytes bytes, or at SIGUSR2.
  std::vector<std::string> swapImageFiles;
  std::optional<std::uint64_t> swapAfterBytes;
  bool exitOnClose = false;
  bool verbose = false;
  bool help = false;
};

struct SimulatorOptionsResult {
  bool ok = false;
  SimulatorOptions options;
  std::string error;
};

// Options as "--name value" or "--name=value"; arguments without the program name.
SimulatorOptionsResult parseSimulatorOptions(const std::vector<std::string>& arguments);

std::string simulatorUsage();

}  // namespace tadjust
