#pragma once

// A serial-port map with the entries a test gives (or none, when the map cannot be had).

#include <optional>
#include <vector>

#include "link/serial_port_map.h"

namespace tadjust {

class FakeSerialPortMap final : public SerialPortMap {
 public:
  std::optional<std::vector<SerialPortEntry>> map = std::vector<SerialPortEntry>{};
  PortNaming form = PortNaming::Windows;

  std::optional<std::vector<SerialPortEntry>> entries() override { return map; }
  PortNaming naming() const override { return form; }
};

}  // namespace tadjust
