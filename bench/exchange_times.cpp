// How the exchange feels through the program: the real Application with the real serial port,
// pauses and exchange worker, against t-adjust-sim on a pseudo-terminal, the window shown (on
// the offscreen platform unless another is set).
//
// - The window's stalls: a 10 ms heartbeat timer on the window's thread notes the longest gap
//   between two of its beats during an interface search, the link, a read, a transmitter write
//   with its verification and a monitoring poll (target: no gap above 50 ms).
// - Read -> shown and Send -> verified of a transmitter (RKA-49), each beside the time its bytes
//   need on the wire (256 bytes of reply at 2400 baud: 1.07 s) and the pauses the protocol
//   prescribes (targets: read <= 1.3 s; Send -> verified <= pauses + one wire time per read +
//   0.8 s).
//
// Run: cmake --build --preset debug --target exchange_times t-adjust-sim &&
//      build/debug/bench/exchange_times [--runs N] [--sim PATH]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "link/qt_serial_port.h"

namespace tadjust {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kHeartbeatMs = 10;
constexpr double kStallGoalMs = 50;
constexpr double kReadGoalS = 1.3;
constexpr double kVerifyMarginS = 0.8;
constexpr int kWaitLimitMs = 30000;
// 256 bytes of 10 bits at 2400 baud.
constexpr double kReplyWireS = 256 * 10 / 2400.0;

// OK to every prompt of a search, a link and a write; any other question is noted.
class PromptAnswers final : public MessageBoxes {
 public:
  Answer ask(const QString& caption, const QString& text, Buttons buttons) override {
    if (buttons == Buttons::OkCancel) return Answer::Ok;
    unexpected.push_back(caption + ": " + text);
    return Answer::No;
  }
  void reportError(const QString& text) override { unexpected.push_back(text); }
  std::vector<QString> unexpected;
};

class NoPortMap final : public SerialPortMap {
 public:
  std::optional<std::vector<SerialPortEntry>> entries() override {
    return std::vector<SerialPortEntry>{};
  }
  PortNaming naming() const override { return nativePortNaming(); }
};

// The longest gap between two beats of a 10 ms timer on the window's thread since reset().
class Heartbeat {
 public:
  Heartbeat() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const Clock::time_point now = Clock::now();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
    timer_.start(kHeartbeatMs);
  }
  void reset() {
    last_ = Clock::now();
    longest_ = Clock::duration::zero();
  }
  Ms longest() const { return longest_; }

 private:
  QTimer timer_;
  Clock::time_point last_ = Clock::now();
  Clock::duration longest_{};
};

// The event loop runs until done() or the limit; the time it took.
std::optional<Seconds> runUntil(const std::function<bool()>& done) {
  const Clock::time_point start = Clock::now();
  QElapsedTimer limit;
  limit.start();
  while (!done()) {
    if (limit.elapsed() > kWaitLimitMs) return std::nullopt;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return Clock::now() - start;
}

class Simulator {
 public:
  explicit Simulator(const QString& program, const QString& model) {
    process_.start(program, {"--model", model});
    if (process_.waitForReadyRead(5000))
      terminal_ = QString::fromUtf8(process_.readLine()).trimmed();
  }
  ~Simulator() {
    process_.terminate();
    process_.waitForFinished(3000);
  }
  const QString& terminal() const { return terminal_; }

 private:
  QProcess process_;
  QString terminal_;
};

class Session {
 public:
  explicit Session(const QString& terminal) {
    QFile ini(QDir(directory_.path()).filePath("T-adjust.ini"));
    if (ini.open(QIODevice::WriteOnly)) ini.write("[ComPort]\nName=" + terminal.toUtf8() + "\n");
    app_.emplace(Platform{port_, pause_, answers_, events_, portMap_, directory_.path(), dialogs_,
                          QDir(directory_.path()).filePath("history")});
    app_->form().UseEnglish = true;
    app_->form().show();
    app_->form().Timer1->start();
  }

  Application& app() { return *app_; }
  Form1& form() { return app_->form(); }
  const std::vector<QString>& unexpected() const { return answers_.unexpected; }
  bool idle() {
    const ExchangeState& state = app_->controller().state();
    return !state.ReadPending && !state.exchangeUnderWay;
  }

 private:
  BlockingPause pause_;
  QtSerialPort port_{pause_};
  PromptAnswers answers_;
  QtWindowEvents events_;
  NoPortMap portMap_;
  QTemporaryDir directory_;
  QtFileDialogs dialogs_;
  std::optional<Application> app_;
};

struct Stall {
  const char* what;
  Ms longest;
};

bool search(Session& session) {
  session.app().controller().BitBtn1Click();
  return runUntil([&] { return caption(session.form().BitBtn1) == "Connect"; }).has_value();
}

bool link(Session& session) {
  session.app().controller().BitBtn1Click();
  return runUntil([&] { return session.app().controller().state().DeviceLinked && session.idle(); })
      .has_value();
}

std::optional<Seconds> read(Session& session) {
  session.app().controller().ReadAgainClick();
  return runUntil([&] { return session.idle(); });
}

std::optional<Seconds> writeAndVerify(Session& session, int run) {
  session.app().copy().BitBtn3Click();
  session.form().Edit5->setText(QStringLiteral("TIMED %1").arg(run));
  session.app().writer().BitBtn4Click();
  const std::optional<Seconds> took = runUntil([&] { return session.idle(); });
  if (session.form().Label41->text() != "Settings written and verified.") return std::nullopt;
  return took;
}

int run(int runs, const QString& simulatorProgram) {
  Heartbeat heartbeat;
  std::vector<Stall> stalls;
  int status = 0;
  const auto fail = [&](const char* what) {
    std::fprintf(stderr, "exchange_times: %s\n", what);
    status = 1;
  };

  const Seconds readPauses = 3 * CommandPause;
  const Seconds writePauses =
      2 * CommandPause + kWritePause + kWriteDataWait + CommandPause * kTransmitterBlockSize;
  {
    Simulator simulator(simulatorProgram, "RKA-49");
    if (simulator.terminal().isEmpty()) {
      fail("t-adjust-sim did not start");
      return status;
    }
    Session session(simulator.terminal());
    heartbeat.reset();
    if (!search(session)) fail("the box was not found");
    stalls.push_back({"interface search", heartbeat.longest()});
    heartbeat.reset();
    if (!link(session)) fail("the device was not linked");
    stalls.push_back({"link", heartbeat.longest()});

    std::printf("transmitter RKA-49 over %s\n", qPrintable(simulator.terminal()));
    std::printf("read -> shown: wire %.3f s + pauses %.3f s; goal <= %.2f s\n", kReplyWireS,
                readPauses.count(), kReadGoalS);
    Ms readStall{0};
    for (int i = 1; i <= runs && status == 0; ++i) {
      heartbeat.reset();
      const std::optional<Seconds> took = read(session);
      readStall = std::max(readStall, heartbeat.longest());
      if (!took) {
        fail("a read did not end");
        break;
      }
      std::printf("  read %d: %.3f s (%s)\n", i, took->count(),
                  took->count() <= kReadGoalS ? "met" : "NOT met");
    }
    stalls.push_back({"read", readStall});

    // Both reads of the Send (the check that the device is the one read, then the read-back)
    // need their reply's wire time; the reads' own requests are among the pauses.
    const int reads = 2;
    const Seconds sendPauses = writePauses + reads * readPauses;
    const double sendGoal = sendPauses.count() + reads * kReplyWireS + kVerifyMarginS;
    std::printf(
        "Send -> verified: pauses %.3f s (write %.3f s, %d read requests), wire %d x %.3f s; goal "
        "<= %.3f s\n",
        sendPauses.count(), writePauses.count(), reads, reads, kReplyWireS, sendGoal);
    Ms writeStall{0};
    for (int i = 1; i <= runs && status == 0; ++i) {
      heartbeat.reset();
      const std::optional<Seconds> took = writeAndVerify(session, i);
      writeStall = std::max(writeStall, heartbeat.longest());
      if (!took) {
        fail("a write was not verified");
        break;
      }
      std::printf("  Send %d: %.3f s (%s)\n", i, took->count(),
                  took->count() <= sendGoal ? "met" : "NOT met");
    }
    stalls.push_back({"transmitter write and verification", writeStall});
    for (const QString& question : session.unexpected())
      std::fprintf(stderr, "exchange_times: asked %s\n", qPrintable(question));
  }
  if (status == 0) {
    Simulator simulator(simulatorProgram, "ARR/A");
    Session session(simulator.terminal());
    if (!search(session) || !link(session)) fail("the humidity model was not linked");
    session.form().CheckBox5->setChecked(true);
    heartbeat.reset();
    if (!runUntil([&] { return !session.form().Edit24->text().isEmpty(); }))
      fail("no monitoring reading came");
    stalls.push_back(
        {"monitoring poll (from switching it on to the reading)", heartbeat.longest()});
  }

  std::printf("the window's longest stall (10 ms heartbeat; goal <= %.0f ms):\n", kStallGoalMs);
  for (const Stall& stall : stalls) {
    std::printf("  %-55s %7.1f ms (%s)\n", stall.what, stall.longest.count(),
                stall.longest.count() <= kStallGoalMs ? "met" : "NOT met");
  }
  return status;
}

}  // namespace
}  // namespace tadjust

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApplication(argc, argv);
  int runs = 3;
  QString simulator = TADJUST_SIM_PATH;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--runs") {
      runs = std::max(1, std::atoi(argv[i + 1]));
    } else if (name == "--sim") {
      simulator = argv[i + 1];
    } else {
      std::fprintf(stderr, "usage: exchange_times [--runs N] [--sim PATH-OF-t-adjust-sim]\n");
      return 2;
    }
  }
  return tadjust::run(runs, simulator);
}
