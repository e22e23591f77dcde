#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "link/device_protocol.h"
#include "link/pause.h"

namespace tadjust {

// Line and buffer constants of the interface box's serial line.
inline constexpr int kBaudRate = 2400;
inline constexpr int kInputQueueSize = 3000;
inline constexpr int kOutputQueueSize = 64;

// The serial operations of the program, on its one port handle. Every caller opens the port,
// sends command bytes with a pause after each, lets the reply accumulate in the input queue,
// and later takes what has arrived; nothing ever waits for data that has not arrived yet.
//
// The real operations run on Qt Serial Port (QtSerialPort); tests put the simulated device
// behind this interface. Callers close the port before they open another; a new open also
// releases what the port held, so a forgotten close never leaves a port open and locked.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the port by its display name ("COM5", "VCP0:COM5", "/dev/ttyUSB0",
  // "ftdi_sio:/dev/ttyUSB0") with 2400 baud 8N1, no flow control, DTR and RTS inactive, input
  // buffer 3000 bytes, then pauses 500 ms for the line to settle. False when it cannot be
  // opened or configured.
  virtual bool OpenPort(const std::string& displayName) = 0;

  // Puts the byte into TransmitBuffer[0], writes it, waits until it has been sent, then pauses.
  virtual void SendCommand(std::uint8_t byte, Milliseconds pause) = 0;

  // Writes the first count bytes of TransmitBuffer and waits until they have left; true only
  // when both the write and the wait succeeded.
  virtual bool WriteBlock(int count) = 0;

  // 1 when at least one byte was queued: reads up to largestCount of the queued bytes into the
  // start of ReceiveBuffer. 0 when nothing was queued (the input queue is then purged) or when
  // the read failed: a failed read counts as nothing arrived.
  virtual int ReadAvailable(int largestCount) = 0;

  // The number of bytes the last ReadAvailable placed into ReceiveBuffer.
  virtual int BytesRead() const = 0;

  // Discards what has arrived (the receive side only).
  virtual void PurgeInput() = 0;

  virtual void ClosePort() = 0;
  virtual bool IsOpen() const = 0;

  // True when the last OpenPort failed because the system refuses this user the port (on Linux
  // a user outside the port's group, usually "dialout"); false after any other outcome.
  bool OpenDenied() const { return openDenied_; }
  // True when the last OpenPort failed because no port of that name exists (the interface box
  // unplugged, or plugged into another port); false after any other outcome.
  bool OpenFoundNoPort() const { return openFoundNoPort_; }

  // Told when the device under the open port has gone (the interface box unplugged); the port
  // is closed by then. It is told between the program's handlers, never inside an operation.
  void SetConnectionLostHandler(std::function<void()> handler) {
    connectionLost_ = std::move(handler);
  }

  std::array<std::uint8_t, kOutputQueueSize> TransmitBuffer{};
  std::array<std::uint8_t, kInputQueueSize> ReceiveBuffer{};

 protected:
  void reportConnectionLost() {
    if (connectionLost_) connectionLost_();
  }

  bool openDenied_ = false;
  bool openFoundNoPort_ = false;

 private:
  std::function<void()> connectionLost_;
};

// A port that sends each command byte as a one-byte block and then pauses; the program's port
// and the simulated one both are. Their pause also takes the settling pause of every open.
class PacedSerialPort : public SerialPort {
 public:
  void SendCommand(std::uint8_t byte, Milliseconds pause) final;

 protected:
  explicit PacedSerialPort(Pause& pause) : pause_(pause) {}

  Pause& pause_;
};

}  // namespace tadjust
