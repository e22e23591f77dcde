#include "link/qt_serial_port.h"

#include <algorithm>

#include "link/port_name.h"

#ifndef _WIN32
#include <termios.h>
#endif

namespace tadjust {

namespace {

// A write that cannot complete ends after 1000 ms per byte plus 1000 ms.
constexpr Milliseconds kWriteTimeoutPerByte{1000};
constexpr Milliseconds kWriteTimeoutConstant{1000};

int writeTimeoutMs(int count) {
  return static_cast<int>((kWriteTimeoutPerByte * count + kWriteTimeoutConstant).count());
}

bool configureLine(QSerialPort& port) {
  const bool lineSet = port.setBaudRate(kBaudRate) && port.setDataBits(QSerialPort::Data8) &&
                       port.setParity(QSerialPort::NoParity) &&
                       port.setStopBits(QSerialPort::OneStop) &&
                       port.setFlowControl(QSerialPort::NoFlowControl);
  // DTR and RTS are held inactive where the driver has them; a pseudo-terminal has neither
  // and refuses the request, which is harmless.
  port.setDataTerminalReady(false);
  port.setRequestToSend(false);
  port.clearError();
  return lineSet;
}

}  // namespace

QtSerialPort::QtSerialPort(Pause& pause) : pause_(pause) {}

QtSerialPort::~QtSerialPort() { ClosePort(); }

bool QtSerialPort::OpenPort(const std::string& displayName) {
  // One handle: a port still open from before would otherwise stay open and locked.
  ClosePort();
  port_.setPortName(QString::fromStdString(systemPortName(displayName, nativePortNaming())));
  port_.setReadBufferSize(kInputQueueSize);
  if (!port_.open(QIODevice::ReadWrite)) {
    port_.clearError();
    return false;
  }
  if (!configureLine(port_)) {
    ClosePort();
    return false;
  }
  pause_.pause(kPortSettlingPause);
  return true;
}

void QtSerialPort::SendCommand(std::uint8_t byte, Milliseconds pause) {
  TransmitBuffer[0] = byte;
  // A lost command shows up later as a missing reply, so the result is not needed here.
  WriteBlock(1);
  pause_.pause(pause);
}

bool QtSerialPort::WriteBlock(int count) {
  if (!port_.isOpen() || count <= 0 || count > kOutputQueueSize) return false;
  const qint64 written = port_.write(reinterpret_cast<const char*>(TransmitBuffer.data()), count);
  if (written != count) {
    port_.clearError();
    return false;
  }
  const bool handedOver =
      port_.bytesToWrite() == 0 || port_.waitForBytesWritten(writeTimeoutMs(count));
  if (!handedOver) {
    port_.clearError();
    return false;
  }
  return drainOutput();
}

// Qt hands the bytes to the driver; the pause after a command starts once they have left the
// line, as the devices expect.
bool QtSerialPort::drainOutput() {
#ifdef _WIN32
  return true;
#else
  return tcdrain(static_cast<int>(port_.handle())) == 0;
#endif
}

void QtSerialPort::pollInput() {
  // An empty poll reports a time-out; line errors are cleared here too and not reported.
  port_.waitForReadyRead(0);
  port_.clearError();
}

int QtSerialPort::ReadAvailable(int largestCount) {
  bytesRead_ = 0;
  if (!port_.isOpen()) return 0;
  pollInput();
  const qint64 queued = port_.bytesAvailable();
  if (queued < 1) {
    PurgeInput();
    return 0;
  }
  const qint64 wanted = std::clamp<qint64>(std::min<qint64>(largestCount, queued), 0,
                                           static_cast<qint64>(ReceiveBuffer.size()));
  const qint64 got = port_.read(reinterpret_cast<char*>(ReceiveBuffer.data()), wanted);
  if (got < 0) {
    // A read that fails counts as nothing arrived, never as a reply.
    port_.clearError();
    PurgeInput();
    return 0;
  }
  bytesRead_ = static_cast<int>(got);
  return 1;
}

int QtSerialPort::BytesRead() const { return bytesRead_; }

void QtSerialPort::PurgeInput() {
  if (!port_.isOpen()) return;
  // Take what the driver already holds into Qt's buffer first, so both are discarded together.
  pollInput();
  port_.clear(QSerialPort::Input);
  port_.clearError();
}

void QtSerialPort::ClosePort() {
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool QtSerialPort::IsOpen() const { return port_.isOpen(); }

}  // namespace tadjust
