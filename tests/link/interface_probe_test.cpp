#include "link/interface_probe.h"

#include <gtest/gtest.h>

#include "support/discovery_fakes.h"
#include "support/recording_pause.h"

namespace tadjust {
namespace {

using namespace std::chrono_literals;

struct ProbeCase {
  const char* port;
  bool answers;
  std::vector<Milliseconds> pauses;  // the handshake's pauses
};

// Only a port whose box answers both handshake bytes is the box; every port that opened is
// closed again, and the probe waits 50 ms after each byte it sends.
TEST(InterfaceProbe, OnlyTheFullHandshakeFindsTheBoxAndEveryPortIsClosedAgain) {
  const ProbeCase cases[] = {
      {"COM5", true, {50ms, 50ms}},
      {"COM6", false, {50ms, 50ms}},  // answers "?" only
      {"COM7", false, {50ms}},        // silent
      {"COM8", false, {}},            // does not exist
  };
  for (const ProbeCase& c : cases) {
    FakeSerialPort port;
    port.ports = {
        {"COM5", Handshake::Full}, {"COM6", Handshake::QuestionOnly}, {"COM7", Handshake::Silent}};
    RecordingPause pause;
    FakeSerialPortMap portMap;
    InterfaceProbe probe(portMap);
    PortLine line{port, pause};
    EXPECT_EQ(probe.ProbeInterface(line, c.port), c.answers) << c.port;
    EXPECT_EQ(pause.durations, c.pauses) << c.port;
    EXPECT_FALSE(port.IsOpen()) << c.port;
    EXPECT_EQ(port.closes, c.pauses.empty() ? 0 : 1) << c.port;
  }
}

TEST(InterfaceProbe, CandidatesComeFromTheMapOrTheFallbackWalk) {
  FakeSerialPortMap portMap;
  InterfaceProbe probe(portMap);
  portMap.map = {{{"\\Device\\VCP0", "COM5"}, {"\\Device\\Serial0", "COM1"}}};
  QStringList listed;
  ASSERT_TRUE(probe.ListSerialPorts(listed));
  EXPECT_EQ(listed, QStringList{"VCP0:COM5"});
  EXPECT_EQ(probe.CandidatePorts(), QStringList{"VCP0:COM5"});

  portMap.map.reset();
  EXPECT_FALSE(probe.ListSerialPorts(listed));
  const QStringList fallback = probe.CandidatePorts();
  ASSERT_EQ(fallback.size(), 255);
  EXPECT_EQ(fallback.front(), "COM1");
  EXPECT_EQ(fallback.back(), "COM255");
}

}  // namespace
}  // namespace tadjust
