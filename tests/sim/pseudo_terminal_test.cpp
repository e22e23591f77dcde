// t-adjust-sim as a separate program on a real pseudo-terminal, with the program's own serial
// port as the client, in real time: the handshake, a link, a paced read of 256 bytes, a write
// and its read-back, the saved image, and the ways the simulator ends.

#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <chrono>
#include <filesystem>
#include <thread>

#include "link/frame_sender.h"
#include "link/pause.h"
#include "link/qt_serial_port.h"
#include "sim/image_file.h"
#include "sim/model_images.h"

namespace tadjust {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr Milliseconds kHandshakePause = kHandshakeReplyPause;
constexpr auto kReplyLimit = 5s;

class Simulator {
 public:
  explicit Simulator(const QStringList& arguments) {
    process_.start(TADJUST_SIM_PROGRAM, arguments);
    if (process_.waitForReadyRead(5000)) {
      path_ = QString::fromUtf8(process_.readLine()).trimmed().toStdString();
    }
  }
  ~Simulator() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  const std::string& path() const { return path_; }
  // SIGUSR1: every fault mended; true once the simulator has said so.
  bool mendFaults() {
    ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
    while (process_.waitForReadyRead(3000)) {
      if (process_.readLine().trimmed() == "faults mended") return true;
    }
    return false;
  }
  // Stops it as a user would; true when it ended cleanly.
  bool stop() {
    process_.terminate();
    return finishedCleanly();
  }
  bool finishedWith(int exitCode) {
    return process_.waitForFinished(3000) && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == exitCode;
  }
  bool finishedCleanly() {
    return process_.waitForFinished(3000) && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
  }

 private:
  QProcess process_;
  std::string path_;
};

class PseudoTerminalTest : public ::testing::Test {
 protected:
  bool handshakeByte(std::uint8_t sent, std::uint8_t expected) {
    port.PurgeInput();
    port.TransmitBuffer[0] = sent;
    if (!port.WriteBlock(1)) return false;
    pause.pause(kHandshakePause);
    return port.ReadAvailable(1) == 1 && port.ReceiveBuffer[0] == expected;
  }

  bool probe(const std::string& path) {
    if (!port.OpenPort(path)) return false;
    const bool answered = handshakeByte('?', '$') && handshakeByte('#', '@');
    port.ClosePort();
    return answered;
  }

  void sendFrame(char command) { tadjust::sendFrame(port, static_cast<std::uint8_t>(command)); }

  // Collects a reply of count bytes as it trickles in; the time is taken from the end of the
  // request until the last byte was there.
  ByteVector collect(std::size_t count, Clock::duration& took) {
    const Clock::time_point start = Clock::now();
    ByteVector reply;
    while (reply.size() < count && Clock::now() - start < kReplyLimit) {
      std::this_thread::sleep_for(10ms);
      if (port.ReadAvailable(static_cast<int>(count - reply.size())) == 1) {
        reply.insert(reply.end(), port.ReceiveBuffer.begin(),
                     port.ReceiveBuffer.begin() + port.BytesRead());
      }
    }
    took = Clock::now() - start;
    return reply;
  }

  ByteVector read(Clock::duration& took) {
    port.PurgeInput();
    sendFrame('R');
    return collect(kSettingsImageSize, took);
  }

  BlockingPause pause;
  QtSerialPort port{pause};
};

TEST_F(PseudoTerminalTest, HandshakeLinkPacedReadWriteAndReadBack) {
  const fs::path saved =
      fs::temp_directory_path() / ("t-adjust-sim-test-" + std::to_string(getpid()) + ".hex");
  Simulator simulator(
      {"--model", "RKA-49", "--serial", "4711", "--save", QString::fromStdString(saved.string())});
  ASSERT_FALSE(simulator.path().empty());

  // The interface search opens and closes the port; the simulator must outlive that.
  ASSERT_TRUE(probe(simulator.path()));
  ASSERT_TRUE(probe(simulator.path()));

  ASSERT_TRUE(port.OpenPort(simulator.path()));
  sendFrame('C');
  Clock::duration took{};
  const ByteVector image = read(took);
  ASSERT_EQ(image.size(), kSettingsImageSize);
  // 256 bytes at 2400 baud take 1.07 s; the request's last pause already holds 20 ms of it.
  EXPECT_GE(took, 1000ms);
  EXPECT_EQ(readU16(image, 192), 7001);
  EXPECT_EQ(readU16(image, 194), 4711);

  ByteVector block(image.begin(), image.begin() + kTransmitterBlockSize);
  transmitter::Tag.set(block, "WRITTEN");
  transmitter::FilterTimeIndex.set(block, 6);
  port.SendCommand(0, CommandPause);
  port.SendCommand('$', CommandPause);
  port.SendCommand('W', CommandPause);
  // Three blocks of 64 bytes: the simulator takes the data however it is cut.
  for (std::size_t at = 0; at < block.size(); at += kOutputQueueSize) {
    std::copy_n(block.begin() + static_cast<long>(at), kOutputQueueSize,
                port.TransmitBuffer.begin());
    ASSERT_TRUE(port.WriteBlock(kOutputQueueSize));
  }
  pause.pause(200ms);

  const ByteVector readBack = read(took);
  ASSERT_EQ(readBack.size(), kSettingsImageSize);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), readBack.begin()));
  EXPECT_TRUE(std::equal(image.begin() + kTransmitterBlockSize, image.end(),
                         readBack.begin() + kTransmitterBlockSize));
  port.ClosePort();

  const ImageFileResult file = loadImageFile(saved.string());
  ASSERT_TRUE(file.ok) << file.error;
  EXPECT_TRUE(std::equal(readBack.begin(), readBack.end(), file.image.begin()));
  fs::remove(saved);

  EXPECT_TRUE(simulator.stop());
}

TEST_F(PseudoTerminalTest, MonitoringRecordOfAHumidityModel) {
  Simulator simulator({"--model", "15002"});
  ASSERT_TRUE(port.OpenPort(simulator.path()));
  port.PurgeInput();
  sendFrame('S');
  sendFrame('A');
  Clock::duration took{};
  const ByteVector record = collect(kMonitorRecordSize, took);
  ASSERT_EQ(record.size(), kMonitorRecordSize);
  // A room: somewhere between 15 and 30 °C and 30 and 60 %RH.
  EXPECT_GT(readS16(record, 0), 1500);
  EXPECT_LT(readS16(record, 0), 3000);
  EXPECT_GT(readS16(record, 2), 3000);
  EXPECT_LT(readS16(record, 2), 6000);
}

TEST_F(PseudoTerminalTest, UnplugEndsTheSimulatorAndTakesThePortAway) {
  Simulator simulator({"--model", "GWA-43", "--unplug-after-bytes", "3"});
  ASSERT_TRUE(port.OpenPort(simulator.path()));
  sendFrame('C');
  EXPECT_TRUE(simulator.finishedCleanly());
  EXPECT_FALSE(fs::exists(simulator.path()));
  sendFrame('R');
  pause.pause(100ms);
  EXPECT_EQ(port.ReadAvailable(256), 0);
  port.ClosePort();
  EXPECT_FALSE(port.OpenPort(simulator.path()));
}

// The box unplugged and plugged in again: the program's open port hangs up, the path stays but
// opens no more, and after the replug time the port opens again and the device answers.
TEST_F(PseudoTerminalTest, ReplugBringsThePortBackUnderTheSamePath) {
  Simulator simulator(
      {"--model", "GWA-43", "--unplug-after-bytes", "3", "--replug-after-seconds", "1"});
  if (simulator.path().empty() && simulator.finishedWith(1)) {
    GTEST_SKIP() << "taking a port away and giving it back needs root";
  }
  ASSERT_FALSE(simulator.path().empty());
  ASSERT_TRUE(port.OpenPort(simulator.path()));
  sendFrame('C');
  sendFrame('R');
  pause.pause(100ms);
  EXPECT_EQ(port.ReadAvailable(256), 0);
  port.ClosePort();
  EXPECT_TRUE(fs::exists(simulator.path()));
  EXPECT_FALSE(port.OpenPort(simulator.path()));

  pause.pause(1200ms);
  ASSERT_TRUE(port.OpenPort(simulator.path()));
  EXPECT_TRUE(handshakeByte('?', '$'));
  Clock::duration took{};
  EXPECT_EQ(read(took).size(), kSettingsImageSize);
  EXPECT_TRUE(simulator.stop());
}

TEST_F(PseudoTerminalTest, TheMendSignalClearsEveryFault) {
  Simulator simulator({"--model", "RKA-49", "--no-box", "--short-reply", "3"});
  ASSERT_TRUE(port.OpenPort(simulator.path()));
  EXPECT_FALSE(handshakeByte('?', '$'));
  ASSERT_TRUE(simulator.mendFaults());
  EXPECT_TRUE(handshakeByte('?', '$'));
  EXPECT_TRUE(handshakeByte('#', '@'));
  Clock::duration took{};
  EXPECT_EQ(read(took).size(), kSettingsImageSize);
}

TEST_F(PseudoTerminalTest, ExitOnCloseEndsWithTheSession) {
  Simulator simulator({"--model", "RKA-59", "--exit-on-close"});
  ASSERT_TRUE(port.OpenPort(simulator.path()));
  ASSERT_TRUE(handshakeByte('?', '$'));
  port.ClosePort();
  EXPECT_TRUE(simulator.finishedCleanly());
}

TEST(PseudoTerminalProgram, RefusesWhatItCannotServe) {
  for (const QStringList& arguments :
       {QStringList{"--model", "RKA-4"}, QStringList{"--short-reply", "257"},
        QStringList{"--image", "/nonexistent/image.hex"}, QStringList{"--frobnicate"}}) {
    QProcess process;
    process.start(TADJUST_SIM_PROGRAM, arguments);
    ASSERT_TRUE(process.waitForFinished(3000));
    EXPECT_EQ(process.exitCode(), 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
  }
}

}  // namespace
}  // namespace tadjust
