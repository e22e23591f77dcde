#include "link/frame_sender.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tadjust {
namespace {

using namespace std::chrono_literals;
using Sent = std::vector<std::pair<std::uint8_t, Milliseconds>>;

// Remembers every command byte with the pause that followed it.
class CommandRecorder final : public SerialPort {
 public:
  Sent sent;
  bool OpenPort(const std::string&) override { return true; }
  void SendCommand(std::uint8_t byte, Milliseconds pause) override {
    sent.push_back({byte, pause});
  }
  bool WriteBlock(int) override { return true; }
  int ReadAvailable(int) override { return 0; }
  int BytesRead() const override { return 0; }
  void PurgeInput() override {}
  void ClosePort() override {}
  bool IsOpen() const override { return true; }
};

TEST(FrameSender, SendsZeroDollarAndTheLetterEachWithItsPause) {
  CommandRecorder port;
  sendFrame(port, kReadCommand);
  EXPECT_EQ(port.sent, (Sent{{0, 20ms}, {'$', 20ms}, {'R', 20ms}}));

  port.sent.clear();
  sendFrame(port, kMeasureCommand, kMeasurePause);
  EXPECT_EQ(port.sent, (Sent{{0, 20ms}, {'$', 20ms}, {'S', 1000ms}}));
}

}  // namespace
}  // namespace tadjust
