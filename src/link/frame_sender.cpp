#include "link/frame_sender.h"

namespace tadjust {

void sendFrame(SerialPort& port, std::uint8_t command, Milliseconds lastPause) {
  port.SendCommand(kFrameStart, CommandPause);
  port.SendCommand(kFrameMark, CommandPause);
  port.SendCommand(command, lastPause);
}

}  // namespace tadjust
