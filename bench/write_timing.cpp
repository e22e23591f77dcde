// Times the write of a transmitter's settings through the program: the copied settings with a new
// tag, encoded by the program's own step and sent by the real SettingsWriter through the exchange
// worker's thread on the real QtSerialPort and blocking pause, against t-adjust-sim on a
// pseudo-terminal. It
// reports the seconds from the command byte "W" to the last of the 192 block bytes, against
// the protocol's 1000 ms after the command, the 1000 ms wait and 191 command pauses between the
// block bytes (5.820 s; a pseudo-terminal takes no wire time). Each write is read back and must
// agree.
//
// Run: cmake --build --preset release --target write_timing t-adjust-sim &&
//      build/release/bench/write_timing [--runs N] [--sim PATH]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "link/qt_serial_port.h"

namespace tadjust {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr int kWaitLimitMs = 30000;
constexpr double kGoal = 1.01;

// The real blocking pause, noting when each pause began: a command byte's pause begins once the
// byte has left the port. Used on the worker's thread only; read once the write has ended.
class NotedPause final : public Pause {
 public:
  struct Noted {
    Clock::time_point start, end;
    Milliseconds duration;
  };
  void pause(Milliseconds duration) override {
    const Clock::time_point start = Clock::now();
    real_.pause(duration);
    noted.push_back({start, Clock::now(), duration});
  }
  std::vector<Noted> noted;

 private:
  BlockingPause real_;
};

// OK to the link prompt; any other question means the run went wrong.
class LinkPromptAnswers final : public MessageBoxes {
 public:
  Answer ask(const QString& caption, const QString& text, Buttons) override {
    if (caption == "Linking with the device") return Answer::Ok;
    unexpected.push_back(caption + ": " + text);
    return Answer::No;
  }
  void reportError(const QString& text) override { unexpected.push_back(text); }
  std::vector<QString> unexpected;
};

class NoPortMap final : public SerialPortMap {
 public:
  std::optional<std::vector<SerialPortEntry>> entries() override { return std::nullopt; }
  PortNaming naming() const override { return nativePortNaming(); }
};

struct Options {
  int runs = 3;
  QString simulator = TADJUST_SIM_PATH;
};

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--runs") {
      options.runs = std::max(1, std::atoi(argv[i + 1]));
    } else if (name == "--sim") {
      options.simulator = argv[i + 1];
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

struct WriteTime {
  Seconds total{0};
  Seconds pausesOverrun{0};   // the pauses took this much longer than asked
  Seconds shortestMargin{1};  // the least by which one pause outlasted what was asked
  // Between the pauses: each byte handed to the port until it had left, the progress bar.
  Seconds between{0};
};

class Timing {
 public:
  explicit Timing(const QString& terminal)
      : app_({port_, pause_, boxes_, events_, portMap_, directory_.path(), dialogs_,
              QDir(directory_.path()).filePath("history")}) {
    app_.form().UseEnglish = true;
    app_.form().Edit18->setText(terminal);
  }

  bool link() {
    app_.controller().LinkDevice();
    if (!runUntilIdle() || !app_.controller().state().DeviceLinked) return false;
    app_.copy().BitBtn3Click();
    return boxes_.unexpected.empty();
  }

  // One write of the copied settings with a new tag, encoded by the program's own step, timed
  // from the command byte to the last block byte; nothing when the write did not go as it should.
  std::optional<WriteTime> write(int run) {
    app_.form().Edit5->setText(QStringLiteral("TIMED %1").arg(run));
    pause_.noted.clear();
    app_.writer().BitBtn4Click();
    // The block, then its read-back, taken as soon as it is whole.
    if (!runUntilIdle()) return std::nullopt;
    // The pauses: the check read's 0, "$", "R", then the write's 0, "$", "W" (1000 ms), the wait
    // (1000 ms), then one after each block byte.
    const auto write =
        std::find_if(pause_.noted.begin(), pause_.noted.end(),
                     [](const auto& noted) { return noted.duration == kWritePause; });
    if (write == pause_.noted.end()) return std::nullopt;
    const auto command = static_cast<std::size_t>(write - pause_.noted.begin());
    const std::size_t lastByte = command + 1 + kTransmitterBlockSize;
    if (pause_.noted.size() <= lastByte) return std::nullopt;
    WriteTime time;
    time.total = pause_.noted[lastByte].start - pause_.noted[command].start;
    for (std::size_t i = command; i < lastByte; ++i) {
      const Seconds margin = pause_.noted[i].end - pause_.noted[i].start - pause_.noted[i].duration;
      time.pausesOverrun += margin;
      time.shortestMargin = std::min(time.shortestMargin, margin);
      time.between += pause_.noted[i + 1].start - pause_.noted[i].end;
    }
    const bool verified = app_.form().Label41->text() == "Settings written and verified.";
    if (!verified || !boxes_.unexpected.empty()) return std::nullopt;
    return time;
  }

  const std::vector<QString>& unexpected() const { return boxes_.unexpected; }

 private:
  bool runUntilIdle() {
    QElapsedTimer limit;
    limit.start();
    const ExchangeState& state = app_.controller().state();
    while (state.ReadPending || state.exchangeUnderWay) {
      if (limit.elapsed() > kWaitLimitMs) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
  }

  NotedPause pause_;
  QtSerialPort port_{pause_};
  LinkPromptAnswers boxes_;
  QtWindowEvents events_;
  NoPortMap portMap_;
  QTemporaryDir directory_;
  QtFileDialogs dialogs_;  // never opened: the timing uses no menu
  Application app_;
};

int run(const Options& options) {
  QProcess simulator;
  simulator.start(options.simulator, {"--model", "RKA-49"});
  if (!simulator.waitForReadyRead(5000)) {
    std::fprintf(stderr, "write_timing: %s did not start\n", qPrintable(options.simulator));
    return 1;
  }
  const QString terminal = QString::fromUtf8(simulator.readLine()).trimmed();

  const Seconds prescribed =
      kWritePause + kWriteDataWait + CommandPause * static_cast<int>(kTransmitterBlockSize - 1);
  std::printf("transmitter write over %s: command byte to last block byte\n", qPrintable(terminal));
  std::printf("prescribed %.3f s (1000 + 1000 + 191 x %lld ms)\n", prescribed.count(),
              static_cast<long long>(CommandPause.count()));

  Timing timing(terminal);
  int status = 0;
  if (!timing.link()) {
    std::fprintf(stderr, "write_timing: the device was not linked\n");
    status = 1;
  }
  double worst = 0;
  Seconds shortestMargin{1};
  for (int i = 1; i <= options.runs && status == 0; ++i) {
    const std::optional<WriteTime> took = timing.write(i);
    if (!took) {
      std::fprintf(stderr, "write_timing: write %d was not verified\n", i);
      status = 1;
      break;
    }
    const double ratio = took->total / prescribed;
    worst = std::max(worst, ratio);
    shortestMargin = std::min(shortestMargin, took->shortestMargin);
    std::printf(
        "write %d: %.3f s, %.4f x prescribed (pauses overran by %.3f s, %.3f s between them); "
        "read back and verified\n",
        i, took->total.count(), ratio, took->pausesOverrun.count(), took->between.count());
  }
  for (const QString& question : timing.unexpected())
    std::fprintf(stderr, "write_timing: asked %s\n", qPrintable(question));
  if (status == 0) {
    std::printf("slowest %.4f x prescribed (goal <= %.2f): %s\n", worst, kGoal,
                worst <= kGoal ? "met" : "NOT met");
    // A pause is never shorter than prescribed: devices depend on it.
    std::printf("shortest pause: %+.3f ms beside what was asked (goal >= 0): %s\n",
                std::chrono::duration<double, std::milli>(shortestMargin).count(),
                shortestMargin.count() >= 0 ? "met" : "NOT met");
    if (shortestMargin.count() < 0) status = 1;
  }
  simulator.terminate();
  simulator.waitForFinished(3000);
  return status;
}

}  // namespace
}  // namespace tadjust

int main(int argc, char** argv) {
  // The window is never shown; the program runs without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApplication(argc, argv);
  tadjust::Options options;
  if (!tadjust::parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: write_timing [--runs N] [--sim PATH-OF-t-adjust-sim]\n");
    return 2;
  }
  return tadjust::run(options);
}
