#pragma once

// The program as it runs for a user, against t-adjust-sim on a pseudo-terminal: the real serial
// port, the real blocking pauses, the real window events and the real one-second timer. Only
// the user's answers are scripted, and the system's serial-port map is empty, so no port of the
// machine is ever probed: the box is found through the port remembered in T-adjust.ini.

#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

#include "app/application.h"
#include "link/pause.h"
#include "link/qt_serial_port.h"
#include "support/fake_serial_port_map.h"
#include "support/scripted_file_dialogs.h"
#include "support/scripted_message_boxes.h"
#include "ui/window_events.h"

namespace tadjust::testing {

// The real window events, with a note of whether the program asked to terminate (outside a
// running message loop the request itself has no visible effect).
class ObservedWindowEvents final : public WindowEvents {
 public:
  void processPendingMessages() override { real_.processPendingMessages(); }
  void requestTerminate() override {
    terminateRequested = true;
    real_.requestTerminate();
  }
  bool terminateRequested = false;

 private:
  QtWindowEvents real_;
};

// t-adjust-sim as a child process; its first line of output is the path of its terminal.
class SimulatorProcess {
 public:
  explicit SimulatorProcess(const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(TADJUST_SIM_PATH, arguments);
    if (process_.waitForReadyRead(kStartTimeoutMs))
      path_ = QString::fromUtf8(process_.readLine()).trimmed();
  }
  ~SimulatorProcess() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(kStopTimeoutMs)) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  SimulatorProcess(const SimulatorProcess&) = delete;
  SimulatorProcess& operator=(const SimulatorProcess&) = delete;

  const QString& terminalPath() const { return path_; }

  // Waits for a line of the simulator's output ("unplugged", "plugged in", "faults mended");
  // true once it came.
  bool waitForLine(const QString& line, int timeoutMs = kEventTimeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
      while (process_.canReadLine()) {
        if (QString::fromUtf8(process_.readLine()).trimmed() == line) return true;
      }
      if (deadline.hasExpired() || !process_.waitForReadyRead(deadline.remainingTime())) {
        return false;
      }
    }
  }

  // SIGUSR1: the simulator mends every fault; true once it has.
  bool mendFaults() {
    if (process_.state() != QProcess::Running) return false;
    ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
    return waitForLine("faults mended");
  }

  // SIGUSR2: the simulator swaps its device for the one of --swap-to; true once it has.
  bool swapDevice() {
    if (process_.state() != QProcess::Running) return false;
    ::kill(static_cast<pid_t>(process_.processId()), SIGUSR2);
    return waitForLine("swapped");
  }

  // SIGALRM: the simulator unplugs its box; with --replug-elsewhere it comes back on a new
  // terminal, whose path is returned (empty when it did not come).
  QString unplugAndFindTheNewPort() {
    if (process_.state() != QProcess::Running) return {};
    ::kill(static_cast<pid_t>(process_.processId()), SIGALRM);
    const QString prefix = QStringLiteral("plugged in at ");
    QDeadlineTimer deadline(kEventTimeoutMs);
    while (true) {
      while (process_.canReadLine()) {
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        if (line.startsWith(prefix)) return line.mid(prefix.size());
      }
      if (deadline.hasExpired() || !process_.waitForReadyRead(deadline.remainingTime())) {
        return {};
      }
    }
  }

  // The simulator ended at start with this status (a fault it was refused, say).
  bool endedWith(int exitCode) {
    return process_.waitForFinished(kStopTimeoutMs) &&
           process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == exitCode;
  }

 private:
  static constexpr int kEventTimeoutMs = 20000;
  static constexpr int kStartTimeoutMs = 5000;
  static constexpr int kStopTimeoutMs = 3000;
  QProcess process_;
  QString path_;
};

class SimulatedDeviceSession {
  // Started first and stopped last: the program's port may still be open when a test ends.
  SimulatorProcess simulator_;

 public:
  explicit SimulatedDeviceSession(const QStringList& simulatorArguments)
      : simulator_(simulatorArguments) {
    portMap.form = PortNaming::Posix;
    portMap.map = std::vector<SerialPortEntry>{};
    if (!simulator_.terminalPath().isEmpty()) rememberPort(simulator_.terminalPath());
    app.emplace(Platform{port, pause, boxes, events, portMap, programDirectory.path(), dialogs,
                         historyFolder()});
  }

  bool ready() const { return !simulator_.terminalPath().isEmpty() && programDirectory.isValid(); }
  const QString& terminalPath() const { return simulator_.terminalPath(); }
  SimulatorProcess& simulator() { return simulator_; }

  QString iniPath() const { return programDirectory.filePath("T-adjust.ini"); }
  // The write history's folder, as the user's data folder for T-adjust.
  QString historyFolder() const { return programDirectory.filePath("T-adjust"); }
  QByteArray iniContents() const {
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  Form1& form() { return app->form(); }

  BlockingPause pause;
  QtSerialPort port{pause};
  ScriptedMessageBoxes boxes;
  ObservedWindowEvents events;
  FakeSerialPortMap portMap;
  QTemporaryDir programDirectory;
  ScriptedFileDialogs dialogs;
  std::optional<Application> app;

 private:
  // Written as a person would write it, with a comment the program's own writer would drop:
  // a rewrite of the file shows in its bytes.
  void rememberPort(const QString& path) {
    QFile file(iniPath());
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write("; the simulated interface box\n[ComPort]\nName=" + path.toUtf8() + "\n");
  }
};

}  // namespace tadjust::testing
