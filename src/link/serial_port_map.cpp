#include "link/serial_port_map.h"

#include <algorithm>
#include <string_view>

namespace tadjust {

namespace {

constexpr int kFallbackPortCount = 255;

// Windows: value names are device-object paths; the first 8 characters are "\Device\".
constexpr std::size_t kDeviceDirectoryLength = 8;
constexpr std::string_view kVirtualComPortPrefix = "VCP";

// Linux: the bus part of a device name that marks a port attached through USB.
constexpr std::string_view kUsbBus = "usb";
constexpr std::string_view kUnknownUsbDriver = "USB";

std::optional<std::string> windowsCandidate(const SerialPortEntry& entry) {
  if (!entry.deviceName.starts_with('\\')) return entry.portName;
  const std::string device = entry.deviceName.size() > kDeviceDirectoryLength
                                 ? entry.deviceName.substr(kDeviceDirectoryLength)
                                 : std::string{};
  if (!device.starts_with(kVirtualComPortPrefix)) return std::nullopt;
  return device + ":" + entry.portName;
}

std::optional<std::string> linuxCandidate(const SerialPortEntry& entry) {
  const std::string_view device = entry.deviceName;
  const bool usbAttached =
      device == kUsbBus || (device.starts_with(kUsbBus) && device.substr(kUsbBus.size(), 1) == "/");
  if (!usbAttached) return std::nullopt;
  std::string_view driver = device.substr(std::min(device.size(), kUsbBus.size() + 1));
  if (driver.empty()) driver = kUnknownUsbDriver;
  return std::string(driver) + ":" + entry.portName;
}

}  // namespace

std::vector<std::string> candidatePorts(const std::vector<SerialPortEntry>& map,
                                        PortNaming naming) {
  std::vector<std::string> candidates;
  for (const SerialPortEntry& entry : map) {
    const std::optional<std::string> candidate =
        naming == PortNaming::Windows ? windowsCandidate(entry) : linuxCandidate(entry);
    if (candidate) candidates.push_back(*candidate);
  }
  return candidates;
}

std::vector<std::string> fallbackPortNames(PortNaming naming) {
  std::vector<std::string> names;
  names.reserve(kFallbackPortCount);
  for (int i = 0; i < kFallbackPortCount; ++i) {
    names.push_back(naming == PortNaming::Windows ? "COM" + std::to_string(i + 1)
                                                  : "/dev/ttyUSB" + std::to_string(i));
  }
  return names;
}

}  // namespace tadjust
