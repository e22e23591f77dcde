#pragma once

// Serial ports by display name that answer the box's handshake or not, for the discovery's
// tests; the serial-port map comes from tests/support.

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "support/fake_serial_port_map.h"

namespace tadjust {

// Denied: the port exists, but the system refuses this user to open it.
enum class Handshake { Full, QuestionOnly, Silent, Denied };

class FakeSerialPort final : public SerialPort {
 public:
  std::map<std::string, Handshake> ports;  // the ports that exist
  std::vector<std::string> openAttempts;
  std::vector<std::string> opened;
  int closes = 0;

  bool OpenPort(const std::string& displayName) override {
    openAttempts.push_back(displayName);
    const auto port = ports.find(displayName);
    openDenied_ = port != ports.end() && port->second == Handshake::Denied;
    if (port == ports.end() || openDenied_) return false;
    opened.push_back(displayName);
    handshake_ = port->second;
    open_ = true;
    return true;
  }
  void SendCommand(std::uint8_t byte, Milliseconds) override {
    TransmitBuffer[0] = byte;
    WriteBlock(1);
  }
  bool WriteBlock(int count) override {
    if (!open_ || count != 1) return false;
    const std::uint8_t byte = TransmitBuffer[0];
    if (byte == '?' && handshake_ != Handshake::Silent) reply_ = '$';
    if (byte == '#' && handshake_ == Handshake::Full) reply_ = '@';
    return true;
  }
  int ReadAvailable(int largestCount) override {
    bytesRead_ = 0;
    if (!reply_ || largestCount < 1) {
      PurgeInput();
      return 0;
    }
    ReceiveBuffer[0] = *reply_;
    reply_.reset();
    bytesRead_ = 1;
    return 1;
  }
  int BytesRead() const override { return bytesRead_; }
  void PurgeInput() override { reply_.reset(); }
  void ClosePort() override {
    ++closes;
    open_ = false;
    reply_.reset();
  }
  bool IsOpen() const override { return open_; }

 private:
  Handshake handshake_ = Handshake::Silent;
  std::optional<std::uint8_t> reply_;
  bool open_ = false;
  int bytesRead_ = 0;
};

}  // namespace tadjust
