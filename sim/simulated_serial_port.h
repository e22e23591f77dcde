#pragma once

// The program's serial operations with a simulated box and device behind them, in process and
// on virtual time, for fast tests of the program. Nothing here sleeps: the test moves the
// VirtualClock (clock.advance(1s) before each timer tick), and the program's own pauses move it
// through VirtualPause. The line runs at 2400 baud of that time: every byte takes 10 bit times
// (start, 8 data, stop), about 4.17 ms, in both directions, so a 256-byte reply needs a little
// over a second before ReadAvailable sees all of it.
//
//   VirtualClock clock;
//   VirtualPause pause{clock};
//   SimulatedDevice device{model, image};
//   SimulatedSerialPort port{clock, pause};
//   port.addPort("/dev/ttyUSB0", &device);

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/pause.h"
#include "link/port_name.h"
#include "link/serial_port.h"
#include "sim/simulated_device.h"

namespace tadjust {

using Nanoseconds = std::chrono::nanoseconds;

class VirtualClock {
 public:
  // Time since the clock was made.
  Nanoseconds now() const { return now_; }
  void advance(Nanoseconds duration) { now_ += duration; }

 private:
  Nanoseconds now_{0};
};

// A pause that does not sleep but moves the virtual clock on, and remembers what was asked.
class VirtualPause final : public Pause {
 public:
  explicit VirtualPause(VirtualClock& clock) : clock_(clock) {}
  void pause(Milliseconds duration) override {
    clock_.advance(duration);
    durations.push_back(duration);
  }
  std::vector<Milliseconds> durations;

 private:
  VirtualClock& clock_;
};

// The time one byte takes on the line at 2400 baud, 8N1: the time of byte number n (counting
// from 1) is computed whole, n * 10 s / 2400, so no rounding piles up over long replies.
Nanoseconds lineTime(std::uint64_t byteCount);

class SimulatedSerialPort final : public PacedSerialPort {
 public:
  struct OpenRecord {
    std::string displayName;
    bool opened;
    Nanoseconds at;
  };
  struct SentByte {
    std::uint8_t byte;
    Nanoseconds at;  // when the byte had left the line
  };

  // pause takes the 500 ms settling pause of every open and the pauses of SendCommand; give it
  // a VirtualPause on the same clock for a faithful timeline.
  SimulatedSerialPort(VirtualClock& clock, Pause& pause, PortNaming naming = nativePortNaming());

  // A port that exists under this name (as the system opens it; "ttyUSB0" and "/dev/ttyUSB0"
  // are the same on POSIX, "COM5" and "VCP0:COM5" on Windows). With a device, the box answers
  // on it; without, the port opens but nothing ever answers.
  void addPort(const std::string& name, SimulatedDevice* device = nullptr);

  // The port goes away as if its cable was pulled: the open handle can neither send nor
  // receive (reads find nothing, writes fail), replies under way are lost, and the port cannot
  // be opened again until plugIn(). The open handle is closed, and the loss reported, by the
  // next deliverEvents(), as the real port does from the message loop; until then IsOpen stays
  // true.
  void unplug();
  // The port comes back; the device behind it starts listening for a new frame (a frame or
  // block cut by the unplug is forgotten).
  void plugIn();
  // The box comes back on another port: the ports with a device take this name (the old one
  // is gone), then as plugIn().
  void plugInElsewhere(const std::string& name);
  // What the message loop would deliver between the program's handlers: an unplug under the
  // open port closes it and calls the connection-lost handler. SimulatedProgram runs it before
  // every tick.
  void deliverEvents();
  // The port exists but another program holds it: OpenPort fails, neither denied nor gone.
  void holdElsewhere(const std::string& name);
  // The port exists but this user may not open it: OpenPort fails with OpenDenied().
  void denyAccess(const std::string& name);
  // Unplugs once the device has received this many bytes in all (counted over every open).
  void unplugAfterBytes(std::uint64_t count) { unplugAfterBytes_ = count; }
  // Unplugs once the virtual clock reaches this time.
  void unplugAt(Nanoseconds time) { unplugAt_ = time; }
  bool pluggedIn();

  bool OpenPort(const std::string& displayName) override;
  bool WriteBlock(int count) override;
  int ReadAvailable(int largestCount) override;
  int BytesRead() const override { return bytesRead_; }
  void PurgeInput() override;
  void ClosePort() override;
  bool IsOpen() const override { return open_.has_value(); }

  // What happened, for the tests to look at.
  const std::vector<OpenRecord>& opens() const { return opens_; }
  int closeCount() const { return closeCount_; }
  // Every byte the program sent over an open port that was plugged in, in order.
  const std::vector<SentByte>& sent() const { return sent_; }
  // Bytes that have arrived and not yet been read or purged.
  std::size_t queuedCount();

 private:
  struct Port {
    std::string systemName;
    SimulatedDevice* device;
    bool accessDenied = false;
    bool heldElsewhere = false;
  };
  struct InFlight {
    std::uint8_t byte;
    Nanoseconds arrival;
  };

  Port* findPort(const std::string& displayName);
  void transmit(const std::uint8_t* bytes, std::size_t count);
  void deliverArrived();
  void checkUnplug();
  bool lineUp();

  VirtualClock& clock_;
  PortNaming naming_;
  std::vector<Port> ports_;
  std::optional<std::size_t> open_;  // index into ports_
  bool unplugged_ = false;
  bool lossToDeliver_ = false;  // unplugged while open, not yet closed and reported
  std::optional<std::uint64_t> unplugAfterBytes_;
  std::optional<Nanoseconds> unplugAt_;

  // The device's reply on its way: bytes leave one line time apart, the first one line time
  // after the device had the whole request. replyStart_ and replySent_ let every arrival be
  // computed from the start of the run of bytes, without rounding piling up.
  std::deque<InFlight> inFlight_;
  Nanoseconds replyStart_{0};
  std::uint64_t replySent_ = 0;
  std::deque<std::uint8_t> inputQueue_;
  int bytesRead_ = 0;

  std::vector<OpenRecord> opens_;
  int closeCount_ = 0;
  std::vector<SentByte> sent_;
};

}  // namespace tadjust
