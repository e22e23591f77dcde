// The serial operations against a real pseudo-terminal: the port under test opens the slave
// side, the test plays the interface box on the master side.

#include "link/qt_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QTest>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/process_cpu_time.h"
#include "support/recording_pause.h"

namespace tadjust {
namespace {

using namespace std::chrono_literals;

constexpr auto kArrivalLimit = 2s;

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    slavePath_ = ptsname(master_);
    // Raw 8-bit transfer, so no byte is translated or held back by the line discipline. The
    // observer stays open to count what is queued on the slave side.
    observer_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios attributes{};
    tcgetattr(observer_, &attributes);
    cfmakeraw(&attributes);
    tcsetattr(observer_, TCSANOW, &attributes);
  }
  ~PseudoTerminal() {
    if (observer_ >= 0) close(observer_);
    if (master_ >= 0) close(master_);
  }

  const std::string& slavePath() const { return slavePath_; }

  void send(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Bytes written by the master need a moment to reach the slave's input queue.
  bool waitUntilQueued(int count) const {
    const auto deadline = std::chrono::steady_clock::now() + kArrivalLimit;
    while (std::chrono::steady_clock::now() < deadline) {
      int queued = 0;
      if (ioctl(observer_, FIONREAD, &queued) == 0 && queued >= count) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }

  std::vector<std::uint8_t> receive(std::size_t count) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = std::chrono::steady_clock::now() + kArrivalLimit;
    while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd readable{master_, POLLIN, 0};
      if (poll(&readable, 1, 10) == 1 && (readable.revents & POLLIN)) {
        std::uint8_t byte = 0;
        if (read(master_, &byte, 1) == 1) bytes.push_back(byte);
      }
    }
    return bytes;
  }

  void hangUp() {
    close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  int observer_ = -1;
  std::string slavePath_;
};

std::vector<std::uint8_t> received(const SerialPort& port) {
  return {port.ReceiveBuffer.begin(), port.ReceiveBuffer.begin() + port.BytesRead()};
}

class QtSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(port.OpenPort(terminal.slavePath())); }

  PseudoTerminal terminal;
  RecordingPause pause;
  QtSerialPort port{pause};
};

TEST_F(QtSerialPortTest, OpenSettlesTheLineAndACommandArrivesBeforeItsPause) {
  EXPECT_TRUE(port.IsOpen());
  ASSERT_EQ(pause.durations, std::vector<Milliseconds>{kPortSettlingPause});

  port.SendCommand('?', Milliseconds{20});
  EXPECT_EQ(port.TransmitBuffer[0], '?');
  EXPECT_EQ(terminal.receive(1), std::vector<std::uint8_t>{'?'});
  EXPECT_EQ(pause.durations.back(), Milliseconds{20});

  port.TransmitBuffer[0] = 0;
  port.TransmitBuffer[1] = '$';
  port.TransmitBuffer[2] = 'R';
  EXPECT_TRUE(port.WriteBlock(3));
  EXPECT_EQ(terminal.receive(3), (std::vector<std::uint8_t>{0, '$', 'R'}));
}

TEST_F(QtSerialPortTest, ReadTakesWhatIsQueuedUpToTheLargestCount) {
  std::vector<std::uint8_t> reply(40);
  for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<std::uint8_t>(200 + i);
  terminal.send(reply);
  ASSERT_TRUE(terminal.waitUntilQueued(40));

  EXPECT_EQ(port.ReadAvailable(256), 1);
  EXPECT_EQ(received(port), reply);
}

TEST_F(QtSerialPortTest, ReadWithLargestCountOneLeavesTheRestQueued) {
  terminal.send({1, 2, 3, 4, 5});
  ASSERT_TRUE(terminal.waitUntilQueued(5));

  EXPECT_EQ(port.ReadAvailable(1), 1);
  EXPECT_EQ(received(port), std::vector<std::uint8_t>{1});
  EXPECT_EQ(port.ReadAvailable(256), 1);
  EXPECT_EQ(received(port), (std::vector<std::uint8_t>{2, 3, 4, 5}));
}

TEST_F(QtSerialPortTest, ReadWithNothingQueuedReturnsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(port.ReadAvailable(256), 0);
  EXPECT_EQ(port.BytesRead(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(QtSerialPortTest, PurgeDiscardsWhatTheDriverAndTheReadLeftQueued) {
  terminal.send({1, 2, 3, 4, 5, 6});
  ASSERT_TRUE(terminal.waitUntilQueued(6));
  ASSERT_EQ(port.ReadAvailable(1), 1);

  port.PurgeInput();
  EXPECT_EQ(port.ReadAvailable(256), 0);

  terminal.send({7});
  ASSERT_TRUE(terminal.waitUntilQueued(1));
  EXPECT_EQ(port.ReadAvailable(256), 1);
  EXPECT_EQ(received(port), std::vector<std::uint8_t>{7});
}

TEST_F(QtSerialPortTest, AnUnpluggedPeerReadsAsNothingArrived) {
  terminal.hangUp();
  EXPECT_EQ(port.ReadAvailable(256), 0);
  EXPECT_EQ(port.BytesRead(), 0);
  port.SendCommand('#', Milliseconds{50});  // must not hang on a line that is gone
  EXPECT_EQ(pause.durations.back(), Milliseconds{50});
}

// The box unplugged: the line hangs up, and Qt's read notifier would fire without end (read ->
// 0, POLLHUP). The port is closed from the message loop and the loss told once; the process is
// idle from then on.
TEST_F(QtSerialPortTest, AHungUpLineIsClosedAndToldOnceAndLeavesTheProcessIdle) {
  int told = 0;
  port.SetConnectionLostHandler([&] { ++told; });
  port.SendCommand('?', Milliseconds{20});
  terminal.hangUp();

  ASSERT_TRUE(QTest::qWaitFor([&] { return !port.IsOpen(); }, 1000));
  EXPECT_EQ(told, 1);
  const auto before = testing::processCpuTime();
  QTest::qWait(1000);
  EXPECT_LT(testing::processCpuTime() - before, 200ms);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(port.ReadAvailable(256), 0);
}

TEST_F(QtSerialPortTest, AClosedPortIsNotToldLost) {
  int told = 0;
  port.SetConnectionLostHandler([&] { ++told; });
  // The line goes while an operation is under way; the program closes the port before the
  // message loop runs again, as a probe does.
  terminal.hangUp();
  EXPECT_EQ(port.ReadAvailable(1), 0);
  port.ClosePort();
  QTest::qWait(100);
  EXPECT_EQ(told, 0);
}

TEST_F(QtSerialPortTest, APortInUseIsNotTakenForARefusal) {
  RecordingPause otherPause;
  QtSerialPort other{otherPause};
  EXPECT_FALSE(other.OpenPort(terminal.slavePath()));
  EXPECT_FALSE(other.OpenDenied());
}

TEST_F(QtSerialPortTest, ANewOpenReleasesThePortItHeld) {
  EXPECT_TRUE(port.OpenPort(terminal.slavePath()));
  port.ClosePort();
  EXPECT_FALSE(port.IsOpen());

  RecordingPause otherPause;
  QtSerialPort other{otherPause};
  EXPECT_TRUE(other.OpenPort(terminal.slavePath()));
}

TEST(QtSerialPortOpen, APortThatDoesNotExistDoesNotOpen) {
  RecordingPause pause;
  QtSerialPort port{pause};
  EXPECT_FALSE(port.OpenPort("/dev/pts/no-such-port"));
  EXPECT_FALSE(port.OpenPort("ftdi_sio:/dev/ttyUSB-none"));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.OpenDenied());
  EXPECT_TRUE(pause.durations.empty());
  EXPECT_EQ(port.ReadAvailable(256), 0);
}

}  // namespace
}  // namespace tadjust
