#pragma once

// The exchange's pacing, off the window's thread. Everything sent with pauses — the handshake
// probes, link and read requests, the write's head and block, the monitoring poll — is a job
// handed to the worker whole ("send these frames with these pauses, then report"); the worker
// runs the jobs one after the other on the thread that owns the serial port, exactly as the
// protocol paces them, and reports back on the window's thread. The window's thread keeps the
// exchange's state and the dialogs and never sleeps for a pause.
//
// After a read request the worker also watches the input queue where the bytes arrive: once the
// 256-byte reply is whole and the line has stayed quiet for kReplyGuard, it takes the reply and
// tells the window at once, without waiting for the timer's eleventh tick.
//
// Two pacings share one code path: WorkerThread (the program: a QThread of its own owns the
// port, pauses are real) and CallersThread (tests and tools on virtual time: a job runs inside
// run(), its report at once, and the test looks at the input queue with pollReply()).
//
//   ExchangeWorker exchange(port, pause, Pacing::WorkerThread);
//   exchange.run([](PortLine& line) { sendFrame(line.port, kReadCommand); },
//                [] { /* on the window's thread, once the frame has been sent */ });

#include <QObject>
#include <QThread>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "link/device_protocol.h"
#include "link/pause.h"
#include "link/serial_port.h"

class QTimer;

namespace tadjust {

using Nanoseconds = std::chrono::nanoseconds;

inline constexpr std::size_t kReplySize = 256;

// The line must stay quiet this long after the reply's 256th byte before the reply counts as
// whole: six byte times at 2400 baud (10 bits each, 4.17 ms). A device sends its reply back to
// back, so a pause of more than a byte or two means it is done; six byte times also outlast the
// bursts in which a USB adapter hands over what it received (16 ms apart at the usual latency
// setting), and cost nothing beside the reply's 1.07 s.
inline constexpr std::chrono::milliseconds kReplyGuard{25};
// How often the worker looks at the input queue while a reply is awaited.
inline constexpr std::chrono::milliseconds kReplyLookInterval{5};

enum class Pacing { WorkerThread, CallersThread };

// What a job is given: the port and the protocol's pause, both used only on the worker's thread.
struct PortLine {
  SerialPort& port;
  Pause& pause;
};

// A settings reply as the collection takes it: up to 256 bytes, the rest zero.
struct SettingsReply {
  bool arrived = false;  // ReadAvailable found something (a failed read: nothing)
  int count = 0;         // bytes that arrived, at most 256
  std::array<std::uint8_t, kReplySize> bytes{};
};

class ExchangeWorker {
 public:
  using Work = std::function<void(PortLine&)>;

  ExchangeWorker(SerialPort& port, Pause& pause, Pacing pacing);
  // Lets the jobs handed over finish (a block is never cut in the middle), closes the port and
  // gives it back to the thread that made the worker.
  ~ExchangeWorker();
  ExchangeWorker(const ExchangeWorker&) = delete;
  ExchangeWorker& operator=(const ExchangeWorker&) = delete;

  // Runs work on the worker's thread after every job handed over before it; then done on the
  // window's thread.
  void run(Work work, std::function<void()> done = {});
  // A job that starts no exchange (the port's close): in order with the others, but the worker
  // is not busy for it, so a press that follows at once (Connect after Disconnect) is taken; a
  // job handed over after it runs after it.
  void runAside(Work work);
  // From inside a job: toWindow runs on the window's thread while the job goes on (progress).
  void tell(std::function<void()> toWindow);

  // True from run() until the job's done has run.
  bool busy() const { return jobsUnderWay_ > 0; }
  // Told on the window's thread whenever busy() changes.
  void setBusyChanged(std::function<void()> changed) { busyChanged_ = std::move(changed); }

  // From inside a job that has just sent a read request: watches the input queue, and once the
  // reply is whole takes it and calls whole with it on the window's thread. A new watch, or
  // takeReply, ends the one before.
  void watchReply(std::function<void(const SettingsReply&)> whole);
  // From inside a job: the reply of the last read request — what the watch took when it was
  // whole, otherwise what has arrived by now (the eleventh tick). Ends the watch.
  SettingsReply takeReply(PortLine& line);
  // CallersThread: one look at the input queue at the virtual time now, as the worker's own
  // timer looks every kReplyLookInterval.
  void pollReply(Nanoseconds now);

  // The port's report of a lost box, delivered on the window's thread.
  void setConnectionLostHandler(std::function<void()> handler);

 private:
  struct Watch {
    std::function<void(const SettingsReply&)> whole;
    int queued = -1;        // bytes queued at the last look
    Nanoseconds changedAt;  // when that count was first seen
  };

  void jobEnded(const std::function<void()>& done);
  void lookAtReply(Nanoseconds now);
  void startLooking();
  void stopLooking();
  SettingsReply readReply();
  Nanoseconds steadyNow() const;

  SerialPort& port_;
  PortLine line_;
  Pacing pacing_;
  int jobsUnderWay_ = 0;
  std::function<void()> busyChanged_;

  // The worker's side (its thread only).
  std::optional<Watch> watch_;
  std::optional<SettingsReply> taken_;
  QTimer* lookTimer_ = nullptr;

  QObject windowSide_;  // lives on the window's thread: reports are queued to it
  QThread thread_;
  QObject* workerSide_ = nullptr;  // lives on thread_: jobs are queued to it
};

}  // namespace tadjust
