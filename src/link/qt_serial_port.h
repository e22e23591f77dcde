#pragma once

#include <QSerialPort>

#include "link/serial_port.h"

namespace tadjust {

// The serial operations on Qt Serial Port.
//
// A port whose device goes away (the box unplugged) is closed and reported from the message
// loop: Qt says so by ResourceError, or on POSIX by a hang-up of the line, whose read notifier
// would otherwise fire without end and keep the program's thread busy.
class QtSerialPort final : public PacedSerialPort {
 public:
  explicit QtSerialPort(Pause& pause);
  ~QtSerialPort() override;

  bool OpenPort(const std::string& displayName) override;
  bool WriteBlock(int count) override;
  int ReadAvailable(int largestCount) override;
  int BytesRead() const override;
  void PurgeInput() override;
  void ClosePort() override;
  bool IsOpen() const override;
  int QueuedCount() override;
  void moveToThread(QThread* thread) override;

 private:
  bool writeAndDrain(int count);
  bool drainOutput();
  void pollInput();
  void noticeError(QSerialPort::SerialPortError error);
  bool deviceGone(QSerialPort::SerialPortError error) const;
  void closeLostPort();

  QSerialPort port_;
  int bytesRead_ = 0;
  bool lossNoticed_ = false;  // a close of the lost port is on its way
};

}  // namespace tadjust
