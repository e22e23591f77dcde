#include "link/serial_port.h"

namespace tadjust {

void PacedSerialPort::SendCommand(std::uint8_t byte, Milliseconds pause) {
  TransmitBuffer[0] = byte;
  // A lost command shows up later as a missing reply, so the result is not needed here.
  WriteBlock(1);
  pause_.pause(pause);
}

}  // namespace tadjust
