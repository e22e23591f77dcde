#include "app/interface_discovery.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "link/port_memory.h"
#include "support/discovery_fakes.h"
#include "support/recording_pause.h"
#include "support/recording_window_events.h"
#include "support/scripted_message_boxes.h"

namespace tadjust {
namespace {

using Names = std::vector<std::string>;

const QString kPlugInCaptionEnglish = "Linking with UX-4235S";
const QString kFailureCaption = "Problem z komunikacją";
const QString kFailureText = "Nie nawiązano połączenia z UX-4235S !!!\rPonów próbę lub anuluj.";

class InterfaceDiscoveryTest : public ::testing::Test {
 protected:
  InterfaceDiscoveryTest() {
    form.UseEnglish = true;
    form.BitBtn1->hide();
    form.Label40->hide();
  }

  QString iniPath() const { return QDir(programDirectory.path()).filePath("T-adjust.ini"); }

  void writeIni(const QByteArray& text) {
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  QByteArray ini() const {
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  void expectConnectShown(const QString& connect = "Connect") {
    EXPECT_EQ(caption(form.BitBtn1), connect);
    EXPECT_FALSE(form.BitBtn1->isHidden());
    EXPECT_TRUE(form.Label40->isHidden());
    EXPECT_FALSE(events.terminateRequested);
  }

  void expectFailureAsked() {
    ASSERT_EQ(boxes.questions.size(), 2u);
    EXPECT_EQ(boxes.questions[1].caption, kFailureCaption);
    EXPECT_EQ(boxes.questions[1].text, kFailureText);
    EXPECT_EQ(boxes.questions[1].buttons, Buttons::RetryCancel);
    EXPECT_TRUE(form.BitBtn1->isHidden());
    EXPECT_TRUE(form.Label40->isHidden());
  }

  QTemporaryDir programDirectory;
  Form1 form;
  FakeSerialPort port;
  RecordingPause pause;
  testing::ScriptedMessageBoxes boxes;
  RecordingWindowEvents events;
  FakeSerialPortMap portMap;
  PortMemory memory{programDirectory.path()};
  ExchangeWorker exchange{port, pause, Pacing::CallersThread};
  InterfaceDiscovery discovery{form, exchange, boxes, events, portMap, memory};
};

TEST_F(InterfaceDiscoveryTest, TheRememberedPortIsTriedFirstAndNotWrittenAgain) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  const QByteArray remembered = "; kept by hand\n[ComPort]\nName=VCP0:COM5\n";
  writeIni(remembered);
  port.ports = {{"VCP0:COM5", Handshake::Full}};
  portMap.map = {{{"\\Device\\VCP1", "COM6"}}};
  QString searching;
  events.onProcess = [&] {
    if (searching.isEmpty() && !form.Label40->isHidden()) searching = form.Label40->text();
  };

  discovery.FindInterface();

  EXPECT_EQ(port.openAttempts, Names{"VCP0:COM5"});
  EXPECT_EQ(port.closes, 1);
  EXPECT_EQ(ini(), remembered);
  EXPECT_EQ(form.Edit18->text(), "VCP0:COM5");
  EXPECT_FALSE(form.Edit18->isHidden());
  expectConnectShown();
  EXPECT_EQ(searching, "Searching UX-4235S...");
  ASSERT_EQ(boxes.questions.size(), 1u);
  EXPECT_EQ(boxes.questions[0].caption, kPlugInCaptionEnglish);
  EXPECT_EQ(boxes.questions[0].text,
            "Connect UX-4235S interface to PC USB port.\rIf it is already connected, disconnect "
            "it and connect again .\rThen press OK.");
  EXPECT_EQ(boxes.questions[0].buttons, Buttons::OkCancel);
  // The plug-in pause, then the two handshake replies.
  EXPECT_EQ(pause.durations,
            (std::vector<Milliseconds>{Milliseconds{2000}, Milliseconds{50}, Milliseconds{50}}));
}

TEST_F(InterfaceDiscoveryTest, ABoxFoundOnTheOnlyVirtualComPortIsRemembered) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  form.UseEnglish = false;
  port.ports = {{"COM1", Handshake::Full}, {"VCP0:COM5", Handshake::Full}};
  portMap.map = {{{"\\Device\\Serial0", "COM1"}, {"\\Device\\VCP0", "COM5"}}};
  std::vector<QString> shownWhileProcessing;
  events.onProcess = [&] { shownWhileProcessing.push_back(form.Edit18->text()); };

  discovery.FindInterface();

  EXPECT_EQ(port.openAttempts, Names{"VCP0:COM5"});
  EXPECT_EQ(form.ComboBox6->count(), 1);
  EXPECT_EQ(form.ComboBox6->currentText(), "VCP0:COM5");
  ASSERT_FALSE(shownWhileProcessing.empty());
  EXPECT_EQ(shownWhileProcessing.back(), "VCP0:COM5");
  expectConnectShown("Połącz");
  EXPECT_EQ(boxes.questions[0].caption, "Łączenie z UX-4235S");
  EXPECT_EQ(PortMemory(programDirectory.path()).readName(), "VCP0:COM5");
}

TEST_F(InterfaceDiscoveryTest, BuiltInPortsAreNeverTriedAndTheFailureIsAskedInPolish) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  port.ports = {{"COM1", Handshake::Full}};
  portMap.map = {{{"\\Device\\Serial0", "COM1"}}};
  boxes.queue(Answer::Cancel);

  discovery.FindInterface();

  EXPECT_TRUE(port.openAttempts.empty());
  EXPECT_EQ(form.ComboBox6->count(), 0);
  expectFailureAsked();
  EXPECT_TRUE(events.terminateRequested);
  EXPECT_FALSE(discovery.RetrySearch);
  EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(InterfaceDiscoveryTest, APortThatAnswersOnlyTheFirstByteIsPassedOver) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  writeIni("[ComPort]\nName=VCP0:COM5\n");
  port.ports = {{"VCP0:COM5", Handshake::QuestionOnly}, {"VCP1:COM6", Handshake::Full}};
  portMap.map = {{{"\\Device\\VCP0", "COM5"}, {"\\Device\\VCP1", "COM6"}}};

  discovery.FindInterface();

  // The remembered port, then the walk from its start; every opened port is closed again.
  EXPECT_EQ(port.openAttempts, (Names{"VCP0:COM5", "VCP0:COM5", "VCP1:COM6"}));
  EXPECT_EQ(port.closes, 3);
  EXPECT_EQ(form.Edit18->text(), "VCP1:COM6");
  EXPECT_EQ(form.ComboBox6->currentIndex(), 1);
  expectConnectShown();
  EXPECT_EQ(memory.readName(), "VCP1:COM6");
}

TEST_F(InterfaceDiscoveryTest, RetryAsksAgainOnTheNextSearch) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  port.ports = {{"VCP0:COM5", Handshake::Silent}};
  portMap.map = {{{"\\Device\\VCP0", "COM5"}}};
  boxes.queue(Answer::Retry);

  discovery.FindInterface();

  expectFailureAsked();
  EXPECT_TRUE(discovery.RetrySearch);
  EXPECT_FALSE(events.terminateRequested);
  EXPECT_EQ(form.Edit18->text(), "VCP0:COM5");  // the last port tried

  // The timer tick clears the flag before it searches again; now the box is plugged in.
  discovery.RetrySearch = false;
  port.ports["VCP0:COM5"] = Handshake::Full;
  boxes.queue(Answer::Ok);
  discovery.FindInterface();

  ASSERT_EQ(boxes.questions.size(), 3u);
  EXPECT_EQ(boxes.questions[2].caption, kPlugInCaptionEnglish);
  expectConnectShown();
}

TEST_F(InterfaceDiscoveryTest, ACloseOfTheFailureBoxEndsTheProgram) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  portMap.map = {{{"\\Device\\VCP0", "COM5"}}};
  boxes.queue(Answer::Closed);

  discovery.FindInterface();

  expectFailureAsked();
  EXPECT_TRUE(events.terminateRequested);
  EXPECT_FALSE(discovery.RetrySearch);
}

TEST_F(InterfaceDiscoveryTest, CancelInThePlugInPromptEndsTheProgramWithoutOpeningAPort) {
  writeIni("[ComPort]\nName=VCP0:COM5\n");
  port.ports = {{"VCP0:COM5", Handshake::Full}};
  boxes.queue(Answer::Cancel);

  discovery.FindInterface();

  EXPECT_TRUE(events.terminateRequested);
  EXPECT_TRUE(port.openAttempts.empty());
  EXPECT_TRUE(pause.durations.empty());
  EXPECT_TRUE(form.BitBtn1->isHidden());
  EXPECT_TRUE(form.Label40->isHidden());
  EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(InterfaceDiscoveryTest, AnUnwritableIniIsReportedAndConnectStaysShown) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  ASSERT_TRUE(QDir(programDirectory.path()).mkdir("T-adjust.ini"));
  port.ports = {{"VCP0:COM5", Handshake::Full}};
  portMap.map = {{{"\\Device\\VCP0", "COM5"}}};

  discovery.FindInterface();

  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_EQ(boxes.errors[0], "Unable to write to " + QDir::toNativeSeparators(iniPath()));
  expectConnectShown();
  EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(InterfaceDiscoveryTest, AHugeIniHoldsNoPortAndIsNotRewritten) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  QByteArray huge = "[ComPort]\nName=VCP0:COM5\n";
  huge.append(QByteArray(kMaxIniFileSize, ';')).append('\n');
  writeIni(huge);
  port.ports = {{"VCP0:COM5", Handshake::Full}, {"VCP1:COM6", Handshake::Full}};
  portMap.map = {{{"\\Device\\VCP1", "COM6"}}};

  discovery.FindInterface();

  EXPECT_EQ(port.openAttempts, Names{"VCP1:COM6"}) << "the remembered port was read";
  EXPECT_EQ(ini(), huge);
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_EQ(boxes.errors[0], "Unable to write to " + QDir::toNativeSeparators(iniPath()));
  expectConnectShown();
}

#ifndef _WIN32
// Opens the FIFO for a moment, again and again, once a few seconds have passed: whoever is
// blocked opening it goes on, and the test fails instead of hanging.
class FifoWatchdog {
 public:
  explicit FifoWatchdog(const QString& path)
      : thread_([this, path = QFile::encodeName(path)](std::stop_token stop) {
          const auto patience = std::chrono::steady_clock::now() + std::chrono::seconds(3);
          while (!stop.stop_requested()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() < patience) continue;
            const int fd = open(path.constData(), O_RDWR | O_NONBLOCK);
            if (fd >= 0) close(fd);
            fired_ = true;
          }
        }) {}

  bool fired() const { return fired_; }

 private:
  std::atomic<bool> fired_ = false;
  std::jthread thread_;
};

TEST_F(InterfaceDiscoveryTest, AFifoInPlaceOfTheIniIsReportedAsUnwritable) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  ASSERT_EQ(mkfifo(QFile::encodeName(iniPath()).constData(), 0600), 0);
  port.ports = {{"VCP0:COM5", Handshake::Full}};
  portMap.map = {{{"\\Device\\VCP0", "COM5"}}};

  {
    FifoWatchdog watchdog(iniPath());
    discovery.FindInterface();
    EXPECT_FALSE(watchdog.fired()) << "the search blocked on the FIFO";
  }

  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_EQ(boxes.errors[0], "Unable to write to " + QDir::toNativeSeparators(iniPath()));
  expectConnectShown();
  EXPECT_EQ(form.Edit18->text(), "VCP0:COM5");
}
#endif

TEST_F(InterfaceDiscoveryTest, WithoutAMapEveryOneOf255NamesIsTried) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  portMap.map.reset();
  boxes.queue(Answer::Retry);

  discovery.FindInterface();

  ASSERT_EQ(port.openAttempts.size(), 255u);
  EXPECT_EQ(port.openAttempts.front(), "COM1");
  EXPECT_EQ(port.openAttempts.back(), "COM255");
  EXPECT_EQ(form.ComboBox6->count(), 255);
  expectFailureAsked();

  portMap.form = PortNaming::Posix;
  port.ports = {{"/dev/ttyUSB3", Handshake::Full}};
  port.openAttempts.clear();
  boxes.queue(Answer::Ok);
  discovery.FindInterface();

  EXPECT_EQ(port.openAttempts,
            (Names{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"}));
  expectConnectShown();
  EXPECT_EQ(memory.readName(), "/dev/ttyUSB3");
}

TEST_F(InterfaceDiscoveryTest, ProbeClosesThePortAndClearsRetryOnlyOnSuccess) {
  port.ports = {{"COM5", Handshake::Full}, {"COM6", Handshake::Silent}};
  discovery.RetrySearch = true;

  const auto probe = [&](const char* name) {
    std::optional<bool> answered;
    discovery.ProbeInterface(name, [&](bool found) { answered = found; });
    return answered.value_or(false);
  };
  EXPECT_FALSE(probe("COM6"));
  EXPECT_TRUE(discovery.RetrySearch);
  EXPECT_FALSE(probe("COM7"));
  EXPECT_TRUE(probe("COM5"));
  EXPECT_FALSE(discovery.RetrySearch);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.closes, 2);  // the port that does not exist was never open
}

// The system refuses this user the ports (Linux, a user outside "dialout"): the failure names the
// cause and the cure in the chosen language instead of "not found"; caption and buttons stay.
TEST_F(InterfaceDiscoveryTest, PortsTheUserMayNotOpenAreNamedWithTheCure) {
  struct Case {
    bool english;
    QString text;
  };
  const Case cases[] = {
      {true,
       "Permission denied for /dev/ttyUSB0, /dev/ttyUSB1. Add your user to the 'dialout' group "
       "and log in again."},
      {false,
       "Brak uprawnień do /dev/ttyUSB0, /dev/ttyUSB1. Dodaj swojego użytkownika do grupy "
       "'dialout' i zaloguj się ponownie."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.english ? "English" : "Polish");
    boxes.questions.clear();
    form.UseEnglish = c.english;
    // The remembered port is refused too; each port is named once.
    writeIni("[ComPort]\nName=ftdi_sio:/dev/ttyUSB0\n");
    portMap.form = PortNaming::Posix;
    port.ports = {{"ftdi_sio:/dev/ttyUSB0", Handshake::Denied},
                  {"cdc_acm:/dev/ttyUSB1", Handshake::Denied},
                  {"ftdi_sio:/dev/ttyUSB2", Handshake::Silent}};
    portMap.map = {{{"usb/ftdi_sio", "/dev/ttyUSB0"},
                    {"usb/cdc_acm", "/dev/ttyUSB1"},
                    {"usb/ftdi_sio", "/dev/ttyUSB2"}}};
    boxes.queue(Answer::Ok);  // the plug-in prompt
    boxes.queue(Answer::Retry);

    discovery.FindInterface();

    ASSERT_EQ(boxes.questions.size(), 2u);
    EXPECT_EQ(boxes.questions[1].caption, kFailureCaption);
    EXPECT_EQ(boxes.questions[1].text, c.text);
    EXPECT_EQ(boxes.questions[1].buttons, Buttons::RetryCancel);
    EXPECT_TRUE(discovery.RetrySearch);
  }
}

TEST_F(InterfaceDiscoveryTest, ARefusedPortIsPassedOverWhenTheBoxAnswersOnAnother) {
  boxes.queue(Answer::Ok);  // the plug-in prompt
  portMap.form = PortNaming::Posix;
  port.ports = {{"ftdi_sio:/dev/ttyUSB0", Handshake::Denied},
                {"ftdi_sio:/dev/ttyUSB1", Handshake::Full}};
  portMap.map = {{{"usb/ftdi_sio", "/dev/ttyUSB0"}, {"usb/ftdi_sio", "/dev/ttyUSB1"}}};

  discovery.FindInterface();

  EXPECT_EQ(form.Edit18->text(), "ftdi_sio:/dev/ttyUSB1");
  expectConnectShown();
  EXPECT_EQ(boxes.questions.size(), 1u);
}

}  // namespace
}  // namespace tadjust
