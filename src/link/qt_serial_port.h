#pragma once

#include <QSerialPort>

#include "link/serial_port.h"

namespace tadjust {

// The serial operations on Qt Serial Port.
class QtSerialPort final : public SerialPort {
 public:
  explicit QtSerialPort(Pause& pause);
  ~QtSerialPort() override;

  bool OpenPort(const std::string& displayName) override;
  void SendCommand(std::uint8_t byte, Milliseconds pause) override;
  bool WriteBlock(int count) override;
  int ReadAvailable(int largestCount) override;
  int BytesRead() const override;
  void PurgeInput() override;
  void ClosePort() override;
  bool IsOpen() const override;

 private:
  bool drainOutput();
  void pollInput();

  Pause& pause_;
  QSerialPort port_;
  int bytesRead_ = 0;
};

}  // namespace tadjust
