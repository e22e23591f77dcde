// The in-process port on virtual time: opens by name, 2400-baud pacing of the device's replies,
// reads that take only what has arrived, and the unplugged port.

#include "sim/simulated_serial_port.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link/frame_sender.h"
#include "sim/model_images.h"

namespace tadjust {
namespace {

using namespace std::chrono_literals;

class SimulatedSerialPortTest : public ::testing::Test {
 protected:
  SimulatedSerialPortTest()
      : simulated(*findSimulatedModel("RKA-49")),
        device(simulated.model, makeModelImage(simulated, 1234)),
        port(clock, pause, PortNaming::Posix) {
    port.addPort("/dev/ttyUSB0", &device);
  }

  void sendFrame(char command) { tadjust::sendFrame(port, static_cast<std::uint8_t>(command)); }

  bool handshakeByte(std::uint8_t sent, std::uint8_t expected) {
    port.PurgeInput();
    port.TransmitBuffer[0] = sent;
    if (!port.WriteBlock(1)) return false;
    pause.pause(50ms);
    return port.ReadAvailable(1) == 1 && port.ReceiveBuffer[0] == expected;
  }

  SimulatedModel simulated;
  SimulatedDevice device;
  VirtualClock clock;
  VirtualPause pause{clock};
  SimulatedSerialPort port;
};

TEST_F(SimulatedSerialPortTest, OpensOnlyConfiguredNamesAndOneHandleAtATime) {
  EXPECT_FALSE(port.OpenPort("/dev/ttyUSB1"));
  EXPECT_TRUE(port.OpenPort("ftdi_sio:/dev/ttyUSB0"));
  EXPECT_EQ(clock.now(), 500ms);  // the settling pause
  EXPECT_FALSE(port.OpenPort("ttyUSB0"));
  EXPECT_TRUE(port.IsOpen());
  port.ClosePort();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(port.OpenPort("ttyUSB0"));

  ASSERT_EQ(port.opens().size(), 4u);
  EXPECT_FALSE(port.opens()[0].opened);
  EXPECT_TRUE(port.opens()[1].opened);
  EXPECT_EQ(port.opens()[1].displayName, "ftdi_sio:/dev/ttyUSB0");
  EXPECT_FALSE(port.opens()[2].opened);
  EXPECT_TRUE(port.opens()[3].opened);
  EXPECT_EQ(port.closeCount(), 1);
}

TEST(SimulatedSerialPortNaming, WindowsNamesOpenByTheirComPart) {
  VirtualClock clock;
  VirtualPause pause{clock};
  SimulatedSerialPort port(clock, pause, PortNaming::Windows);
  port.addPort("COM5");
  EXPECT_FALSE(port.OpenPort("COM51"));
  EXPECT_TRUE(port.OpenPort("VCP0:COM5"));
}

TEST_F(SimulatedSerialPortTest, HandshakeOverTheLine) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  EXPECT_TRUE(handshakeByte('?', '$'));
  EXPECT_TRUE(handshakeByte('#', '@'));
}

TEST_F(SimulatedSerialPortTest, ReplyArrivesPacedAt2400Baud) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  port.PurgeInput();
  sendFrame('R');
  // After the settling pause come three command bytes of one line time each and two pauses;
  // the reply starts once the "R" has arrived, while the program sits in its last pause.
  const Nanoseconds replyStart = 500ms + 2 * CommandPause + 3 * lineTime(1);
  EXPECT_EQ(port.sent().size(), 3u);
  EXPECT_EQ(port.sent()[2].at, replyStart);

  clock.advance(replyStart + lineTime(100) - clock.now());
  EXPECT_EQ(port.queuedCount(), 100u);
  ASSERT_EQ(port.ReadAvailable(40), 1);
  EXPECT_EQ(port.BytesRead(), 40);
  EXPECT_TRUE(std::equal(port.ReceiveBuffer.begin(), port.ReceiveBuffer.begin() + 40,
                         device.image().begin()));

  // All 256 bytes take 256 × 10 / 2400 s, a little over a second.
  clock.advance(replyStart + lineTime(256) - 1ns - clock.now());
  EXPECT_EQ(port.queuedCount(), 215u);
  clock.advance(1ns);
  ASSERT_EQ(port.ReadAvailable(256), 1);
  EXPECT_EQ(port.BytesRead(), 216);
  EXPECT_TRUE(std::equal(port.ReceiveBuffer.begin(), port.ReceiveBuffer.begin() + 216,
                         device.image().begin() + 40));
  EXPECT_GT(lineTime(256), 1s);
}

TEST_F(SimulatedSerialPortTest, ReadOfNothingReturnsZeroAndPurges) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  EXPECT_EQ(port.ReadAvailable(256), 0);
  EXPECT_EQ(port.BytesRead(), 0);
  sendFrame('R');
  clock.advance(2s);
  port.PurgeInput();
  EXPECT_EQ(port.ReadAvailable(256), 0);
}

TEST_F(SimulatedSerialPortTest, WriteReadBackAndThePausesTheProgramAskedFor) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  port.SendCommand(0, CommandPause);
  port.SendCommand('$', CommandPause);
  port.SendCommand('W', 1000ms);
  ImageBytes written = device.image();
  transmitter::Tag.set(written, "NEW-TAG");
  for (std::size_t i = 0; i < kTransmitterBlockSize; ++i)
    port.SendCommand(written[i], CommandPause);
  EXPECT_EQ(device.writesStored(), 1);

  port.PurgeInput();
  sendFrame('R');
  clock.advance(11s);
  ASSERT_EQ(port.ReadAvailable(256), 1);
  EXPECT_EQ(port.BytesRead(), 256);
  EXPECT_TRUE(std::equal(written.begin(), written.end(), port.ReceiveBuffer.begin()));
  EXPECT_EQ(std::count(pause.durations.begin(), pause.durations.end(), 1000ms), 1);
}

TEST_F(SimulatedSerialPortTest, RepliesInFlightAreLostOnClose) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  sendFrame('R');
  port.ClosePort();
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  clock.advance(2s);
  EXPECT_EQ(port.ReadAvailable(256), 0);
}

TEST_F(SimulatedSerialPortTest, UnpluggedPortFailsAndCannotBeOpenedUntilPluggedIn) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  sendFrame('R');
  port.unplug();
  clock.advance(2s);
  EXPECT_EQ(port.ReadAvailable(256), 0);
  port.TransmitBuffer[0] = '?';
  EXPECT_FALSE(port.WriteBlock(1));
  EXPECT_TRUE(port.IsOpen());
  port.ClosePort();
  EXPECT_FALSE(port.OpenPort("/dev/ttyUSB0"));
  port.plugIn();
  EXPECT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  EXPECT_TRUE(handshakeByte('?', '$'));
}

TEST_F(SimulatedSerialPortTest, AnUnplugUnderTheOpenPortClosesItAndIsToldBetweenHandlers) {
  int told = 0;
  port.SetConnectionLostHandler([&] { ++told; });
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  port.unplug();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(told, 0);
  port.deliverEvents();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(told, 1);
  port.deliverEvents();
  EXPECT_EQ(told, 1);

  // Closed by the program before the message loop ran: nothing to tell.
  port.plugIn();
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  port.unplug();
  port.ClosePort();
  port.deliverEvents();
  EXPECT_EQ(told, 1);
}

TEST_F(SimulatedSerialPortTest, APlugInStartsTheDeviceOnANewFrame) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  sendFrame('W');
  port.SendCommand(0x55, CommandPause);
  port.unplug();
  port.deliverEvents();
  port.plugIn();
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  // Without the reset these bytes would be taken as the rest of the write's block.
  sendFrame('R');
  clock.advance(2s);
  EXPECT_EQ(port.ReadAvailable(256), 1);
  EXPECT_EQ(port.BytesRead(), 256);
}

TEST_F(SimulatedSerialPortTest, ARefusedPortDoesNotOpen) {
  port.denyAccess("ftdi_sio:/dev/ttyUSB0");
  EXPECT_FALSE(port.OpenPort("/dev/ttyUSB0"));
  EXPECT_TRUE(port.OpenDenied());
  EXPECT_FALSE(port.OpenPort("/dev/ttyUSB9"));
  EXPECT_FALSE(port.OpenDenied()) << "a port that does not exist is no refusal";
}

TEST_F(SimulatedSerialPortTest, UnplugAfterBytesCutsTheLineInTheMiddleOfAWrite) {
  port.unplugAfterBytes(3 + 50);
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  const ImageBytes before = device.image();
  port.SendCommand(0, CommandPause);
  port.SendCommand('$', CommandPause);
  port.SendCommand('W', CommandPause);
  for (std::size_t i = 0; i < kTransmitterBlockSize; ++i) port.SendCommand(0x55, CommandPause);
  EXPECT_EQ(device.bytesReceived(), 53u);
  EXPECT_EQ(device.image(), before);
  EXPECT_FALSE(port.pluggedIn());
}

TEST_F(SimulatedSerialPortTest, UnplugAtATimeEndsTheLineThen) {
  ASSERT_TRUE(port.OpenPort("/dev/ttyUSB0"));
  sendFrame('R');
  const Nanoseconds replyStart = clock.now() - CommandPause;
  port.unplugAt(replyStart + lineTime(10));
  clock.advance(replyStart + lineTime(10) - 1ns - clock.now());
  EXPECT_TRUE(port.pluggedIn());
  EXPECT_EQ(port.queuedCount(), 9u);
  clock.advance(1ns);
  EXPECT_FALSE(port.pluggedIn());
  EXPECT_EQ(port.ReadAvailable(256), 0);
  port.ClosePort();
  EXPECT_FALSE(port.OpenPort("/dev/ttyUSB0"));
}

TEST_F(SimulatedSerialPortTest, PortWithoutABoxOpensButNeverAnswers) {
  port.addPort("/dev/ttyS0");
  ASSERT_TRUE(port.OpenPort("/dev/ttyS0"));
  EXPECT_FALSE(handshakeByte('?', '$'));
  EXPECT_EQ(device.bytesReceived(), 0u);
}

}  // namespace
}  // namespace tadjust
