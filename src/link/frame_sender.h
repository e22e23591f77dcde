#pragma once

#include <cstdint>

#include "link/device_protocol.h"
#include "link/serial_port.h"

namespace tadjust {

// Sends a request to the device: 0, "$" and the command letter, each byte followed by
// CommandPause; the letter by lastPause instead where the device needs longer to answer.
void sendFrame(SerialPort& port, std::uint8_t command, Milliseconds lastPause = CommandPause);

}  // namespace tadjust
