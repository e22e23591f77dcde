// The exchange worker on the simulated port, in virtual time: a reply is taken once its 256
// bytes have arrived and the line has stayed quiet for the guard, never earlier; a short or
// missing reply is left for the eleventh tick; the jobs run in order and report after their
// work. The worker on its own thread is exercised end to end (tests/e2e).

#include "link/exchange_worker.h"

#include <gtest/gtest.h>

#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "link/frame_sender.h"
#include "sim/model_images.h"
#include "sim/simulated_serial_port.h"

namespace tadjust {
namespace {

using namespace std::chrono_literals;

class ExchangeWorkerTest : public ::testing::Test {
 protected:
  ExchangeWorkerTest()
      : simulated(*findSimulatedModel("RKA-49")),
        device(simulated.model, makeModelImage(simulated, 4321)),
        port(clock, pause, PortNaming::Posix) {
    port.addPort("/dev/ttyUSB0", &device);
    exchange.run([](PortLine& line) { line.port.OpenPort("/dev/ttyUSB0"); });
  }

  // The read request as the controller sends it, with the watch for its reply.
  void requestRead() {
    exchange.run([this](PortLine& line) {
      line.port.PurgeInput();
      sendFrame(line.port, kReadCommand);
      requestSent = clock.now();
      exchange.watchReply([this](const SettingsReply& reply) {
        whole = reply;
        wholeAt = clock.now();
      });
    });
  }

  // The worker looks at the queue every few milliseconds for this long.
  void lookFor(Nanoseconds duration) {
    for (Nanoseconds passed{0}; passed < duration; passed += kReplyLookInterval) {
      clock.advance(kReplyLookInterval);
      exchange.pollReply(clock.now());
    }
  }

  SimulatedModel simulated;
  SimulatedDevice device;
  VirtualClock clock;
  VirtualPause pause{clock};
  SimulatedSerialPort port;
  ExchangeWorker exchange{port, pause, Pacing::CallersThread};
  Nanoseconds requestSent{0};
  std::optional<SettingsReply> whole;
  Nanoseconds wholeAt{0};
};

TEST_F(ExchangeWorkerTest, AWholeReplyIsTakenOnceTheLineHasStayedQuietForTheGuard) {
  requestRead();
  // The last of the 256 bytes arrives 256 byte times after "R" has left (its pause follows).
  const Nanoseconds lastByte = requestSent - CommandPause + lineTime(256);
  lookFor(lastByte - clock.now());
  EXPECT_FALSE(whole) << "taken before the line was quiet";
  lookFor(3s);
  ASSERT_TRUE(whole);
  EXPECT_GE(wholeAt - lastByte, kReplyGuard);
  EXPECT_LE(wholeAt - lastByte, kReplyGuard + 2 * kReplyLookInterval);
  EXPECT_TRUE(whole->arrived);
  EXPECT_EQ(whole->count, 256);
  EXPECT_TRUE(std::equal(whole->bytes.begin(), whole->bytes.end(), device.image().begin()));

  // The collection on the eleventh tick finds the reply the watch took, not an empty queue.
  SettingsReply taken;
  exchange.run([&](PortLine& line) { taken = exchange.takeReply(line); });
  EXPECT_EQ(taken.count, 256);
  EXPECT_EQ(taken.bytes, whole->bytes);
}

TEST_F(ExchangeWorkerTest, AShortOrMissingReplyWaitsForTheEleventhTick) {
  for (const std::optional<std::size_t> length : {std::optional<std::size_t>{200}, {0}}) {
    SCOPED_TRACE(*length);
    whole.reset();
    device.faults().shortSettingsReply = length;
    requestRead();
    lookFor(11s);
    EXPECT_FALSE(whole);
    SettingsReply taken;
    exchange.run([&](PortLine& line) { taken = exchange.takeReply(line); });
    EXPECT_EQ(taken.arrived, *length > 0);
    EXPECT_EQ(taken.count, static_cast<int>(*length));
    EXPECT_EQ(taken.bytes[255], 0) << "bytes that did not arrive are zero";
  }
}

TEST_F(ExchangeWorkerTest, JobsRunInOrderAndReportAfterTheirWork) {
  std::vector<int> steps;
  exchange.run([&](PortLine&) { steps.push_back(1); }, [&] { steps.push_back(2); });
  exchange.run(
      [&](PortLine&) {
        steps.push_back(3);
        exchange.tell([&] { steps.push_back(4); });
      },
      [&] { steps.push_back(5); });
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_FALSE(exchange.busy());
}

// On its own thread: a close handed over aside keeps its place before the next job and leaves
// the worker idle, so the press that follows it is not refused as an exchange under way.
TEST_F(ExchangeWorkerTest, AJobAsideKeepsItsPlaceAndLeavesTheWorkerIdle) {
  ExchangeWorker worker(port, pause, Pacing::WorkerThread);
  std::vector<std::string> steps;  // the worker's thread writes, the test reads once done
  bool opened = false;
  worker.runAside([&](PortLine& line) {
    line.port.ClosePort();
    steps.push_back("close");
  });
  EXPECT_FALSE(worker.busy());
  worker.run(
      [&](PortLine& line) {
        steps.push_back(line.port.OpenPort("/dev/ttyUSB0") ? "open" : "not opened");
      },
      [&] { opened = true; });
  EXPECT_TRUE(worker.busy());
  ASSERT_TRUE(QTest::qWaitFor([&] { return opened; }, 5000));
  EXPECT_EQ(steps, (std::vector<std::string>{"close", "open"}));
  EXPECT_FALSE(worker.busy());
}

}  // namespace
}  // namespace tadjust
