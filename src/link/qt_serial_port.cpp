#include "link/qt_serial_port.h"

#include <algorithm>

#include "link/port_name.h"

#ifndef _WIN32
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
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

// Qt reports a port it may not take as PermissionError also when another program holds its lock
// file; only the system's own answer tells that this user may not open the device at all.
// Windows says the same for a port in use, so it never counts as a denial there.
bool accessDenied(QSerialPort::SerialPortError error, const std::string& systemName) {
#ifdef _WIN32
  (void)error;
  (void)systemName;
  return false;
#else
  return error == QSerialPort::PermissionError && access(systemName.c_str(), R_OK | W_OK) != 0 &&
         (errno == EACCES || errno == EPERM);
#endif
}

}  // namespace

QtSerialPort::QtSerialPort(Pause& pause) : PacedSerialPort(pause) {
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                   [this](QSerialPort::SerialPortError error) { noticeError(error); });
}

QtSerialPort::~QtSerialPort() { ClosePort(); }

bool QtSerialPort::OpenPort(const std::string& displayName) {
  // One handle: a port still open from before would otherwise stay open and locked.
  ClosePort();
  openDenied_ = false;
  openFoundNoPort_ = false;
  const std::string systemName = systemPortName(displayName, nativePortNaming());
  port_.setPortName(QString::fromStdString(systemName));
  port_.setReadBufferSize(kInputQueueSize);
  if (!port_.open(QIODevice::ReadWrite)) {
    openDenied_ = accessDenied(port_.error(), systemName);
    openFoundNoPort_ = port_.error() == QSerialPort::DeviceNotFoundError;
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
  // Last: what the close itself reports about a lost line is no new loss.
  lossNoticed_ = false;
}

void QtSerialPort::noticeError(QSerialPort::SerialPortError error) {
  if (lossNoticed_ || !port_.isOpen() || !deviceGone(error)) return;
  lossNoticed_ = true;
  // Qt is still inside its own notification here: the port is closed once it has returned.
  QMetaObject::invokeMethod(
      &port_, [this] { closeLostPort(); }, Qt::QueuedConnection);
}

bool QtSerialPort::deviceGone(QSerialPort::SerialPortError error) const {
  if (error == QSerialPort::ResourceError) return true;
#ifdef _WIN32
  return false;
#else
  // A line that is gone reads as end of file: Qt calls it a read error, the system a hang-up.
  if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return false;
  pollfd line{static_cast<int>(port_.handle()), POLLIN, 0};
  return poll(&line, 1, 0) == 1 && (line.revents & POLLHUP) != 0;
#endif
}

void QtSerialPort::closeLostPort() {
  // The program may have closed the port itself in the meantime.
  if (!lossNoticed_) return;
  ClosePort();
  reportConnectionLost();
}

bool QtSerialPort::IsOpen() const { return port_.isOpen(); }

}  // namespace tadjust
