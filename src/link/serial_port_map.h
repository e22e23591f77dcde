#pragma once

// The system's map of serial ports and the rule that picks, from it, the ports on which the
// interface box may sit. The box is a USB device with a virtual-COM-port driver: on Windows its
// ports are the map's entries named \Device\VCPn (shown as "VCP0:COM5"); on Linux the ports
// attached through USB (shown as "ftdi_sio:/dev/ttyUSB0"). Built-in serial ports are never
// candidates.

#include <optional>
#include <string>
#include <vector>

#include "link/port_name.h"

namespace tadjust {

// One entry of the map.
// Windows: the registry value name (\Device\VCP0, \Device\Serial0) and its data (COM5).
// Linux: the bus and driver of the port ("usb/ftdi_sio", "usb" when the driver is unknown,
// "platform/serial8250") and the port's device file (/dev/ttyUSB0).
struct SerialPortEntry {
  std::string deviceName;
  std::string portName;

  bool operator==(const SerialPortEntry&) const = default;
};

// The display names of the candidate ports, in the map's order.
std::vector<std::string> candidatePorts(const std::vector<SerialPortEntry>& map, PortNaming naming);

// The names tried when no map can be had: COM1..COM255 on Windows, /dev/ttyUSB0../dev/ttyUSB254
// elsewhere; 255 names either way.
std::vector<std::string> fallbackPortNames(PortNaming naming);

class SerialPortMap {
 public:
  virtual ~SerialPortMap() = default;
  // The entries in the order the system gives them; nothing when the map cannot be had.
  virtual std::optional<std::vector<SerialPortEntry>> entries() = 0;
  // The form of the entries, and of the names tried without a map.
  virtual PortNaming naming() const = 0;
};

// The map of the system the program runs on: the registry's SERIALCOMM key on Windows; the
// serial ports the system lists, with their bus and driver from sysfs, on Linux.
class SystemSerialPortMap final : public SerialPortMap {
 public:
  std::optional<std::vector<SerialPortEntry>> entries() override;
  PortNaming naming() const override { return nativePortNaming(); }
};

}  // namespace tadjust
