// The exchange off the window's thread, through the program against t-adjust-sim in real time:
// the window answers while a block is being written and its bar follows the bytes, presses that
// would start another exchange are refused until the write has ended, a read is taken as soon as
// its reply is whole, and closing the window during a write leaves the device holding the whole
// new block.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "link/exchange_worker.h"
#include "link/frame_sender.h"
#include "simulated_device_session.h"
#include "window_steps.h"

namespace tadjust {
namespace {

using namespace testing;

constexpr int kPacedWriteWaitMs = 20000;
// The reply's 256 bytes need 1.07 s at 2400 baud; the request, the guard and a loaded machine's
// delays come on top, far from the timer's ten seconds.
constexpr Seconds kReadBelow{4.0};

// Linked, the settings copied for edition with a new tag.
bool linkAndCopy(SimulatedDeviceSession& session) {
  startAndFindTheBox(session);
  if (!connectAndWaitForTheLink(session)) return false;
  press(session.form().BitBtn3);
  session.form().Edit5->setText("PACED");
  return true;
}

// An event that notes when the window's thread handled it.
class NotedEvent final : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    handled = true;
    return true;
  }
  bool handled = false;
};

TEST(ExchangePacing, TheWindowAnswersAndShowsProgressWhileABlockIsWritten) {
  SimulatedDeviceSession session({"--model", "RKA-49"});
  ASSERT_TRUE(session.ready());
  ASSERT_TRUE(linkAndCopy(session));
  Application& app = *session.app;
  Form1& form = session.form();

  std::vector<int> barDuringTheBlock;
  NotedEvent noted;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    if (app.writer().sendingBlock()) barDuringTheBlock.push_back(form.ProgressBar1->value());
  });
  sampler.start(100);
  press(form.BitBtn4);
  // The check read of the device first, then the block.
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.writer().sendingBlock(); }, kLinkWaitMs));
  QCoreApplication::postEvent(&noted, new QEvent(QEvent::User));
  ASSERT_TRUE(QTest::qWaitFor([&] { return noted.handled; }, 1000));
  EXPECT_TRUE(app.writer().sendingBlock()) << "the event waited for the write";

  ASSERT_TRUE(QTest::qWaitFor([&] { return verified(form); }, kPacedWriteWaitMs))
      << form.Label41->text().toStdString();
  // About six seconds of block sampled ten times a second: the bar climbs by the bytes sent.
  ASSERT_GE(barDuringTheBlock.size(), 30u);
  EXPECT_TRUE(std::is_sorted(barDuringTheBlock.begin(), barDuringTheBlock.end()));
  EXPECT_GE(std::count(barDuringTheBlock.begin(), barDuringTheBlock.end(), 20), 1);
  EXPECT_EQ(barDuringTheBlock.front(), 0);
  EXPECT_GE(barDuringTheBlock.back(), 45);
}

TEST(ExchangePacing, PressesThatWouldStartAnotherExchangeAreRefusedDuringAWrite) {
  SimulatedDeviceSession session({"--model", "RKA-49"});
  ASSERT_TRUE(session.ready());
  ASSERT_TRUE(linkAndCopy(session));
  Application& app = *session.app;
  Form1& form = session.form();
  session.boxes.questions.clear();

  press(form.BitBtn4);
  // After the check read of the device, the block under way: its head and wait are sent.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return app.writer().sendingBlock() && form.ProgressBar1->value() >= 20; },
      kLinkWaitMs));
  EXPECT_FALSE(form.mainMenu.openSettingsFile->isEnabled());
  // Pressed by code, as a shortcut or a stray click would reach a hidden button.
  form.BitBtn4->click();
  form.BitBtn3->click();
  form.ReadAgainButton->click();
  form.BitBtn1->click();
  form.mainMenu.openSettingsFile->trigger();
  EXPECT_EQ(form.Edit5->text(), "PACED") << "Copy took the device's settings into the group";
  EXPECT_TRUE(session.dialogs.openQuestions.empty()) << "a settings file was asked for";

  ASSERT_TRUE(QTest::qWaitFor([&] { return verified(form); }, kPacedWriteWaitMs))
      << form.Label41->text().toStdString();
  // Nothing queued behind the write: no second write, read or link follows its verification.
  QTest::qWait(1500);
  EXPECT_TRUE(verified(form)) << form.Label41->text().toStdString();
  EXPECT_FALSE(app.controller().state().exchangeUnderWay);
  EXPECT_TRUE(session.boxes.questions.empty());
  EXPECT_TRUE(form.mainMenu.openSettingsFile->isEnabled());
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
}

// The read is taken when its reply is whole, not on the eleventh tick.
TEST(ExchangePacing, ReadAgainShowsTheDeviceOnceItsReplyIsWhole) {
  SimulatedDeviceSession session({"--model", "GWA-43"});
  ASSERT_TRUE(session.ready());
  startAndFindTheBox(session);
  const auto pressed = Clock::now();
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  EXPECT_LT(since(pressed), kReadBelow);

  Form1& form = session.form();
  form.Edit7->clear();
  const auto again = Clock::now();
  press(form.ReadAgainButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.Edit7->text().isEmpty(); }, kLinkWaitMs));
  EXPECT_LT(since(again), kReadBelow);
  EXPECT_FALSE(shown(form.ProgressBar1));
  EXPECT_FALSE(shown(form.Label41));
  EXPECT_TRUE(shown(form.ReadAgainButton));
}

// The device's settings as a read finds them, over a port of the test's own.
std::vector<std::uint8_t> readDevice(const QString& terminal) {
  BlockingPause pause;
  QtSerialPort port(pause);
  if (!port.OpenPort(terminal.toStdString())) return {};
  port.PurgeInput();
  sendFrame(port, kReadCommand);
  std::vector<std::uint8_t> image;
  // What arrived by the deadline: the caller compares it with the block.
  static_cast<void>(QTest::qWaitFor(
      [&] {
        if (port.ReadAvailable(static_cast<int>(kReplySize)) == 1)
          image.insert(image.end(), port.ReceiveBuffer.begin(),
                       port.ReceiveBuffer.begin() + port.BytesRead());
        return image.size() >= kReplySize;
      },
      5000));
  port.ClosePort();
  return image;
}

TEST(ExchangePacing, ClosingDuringAWriteFinishesTheBlockFirst) {
  SimulatedDeviceSession session({"--model", "RKA-49"});
  ASSERT_TRUE(session.ready());
  ASSERT_TRUE(linkAndCopy(session));
  Application& app = *session.app;
  Form1& form = session.form();

  press(form.BitBtn4);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.ProgressBar1->value() >= 35; }, 5000));
  ASSERT_TRUE(app.writer().sendingBlock());
  EXPECT_FALSE(form.close()) << "the window closed in the middle of the block";
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.Label41->text(), "Finishing the write before closing…");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, kPacedWriteWaitMs));
  EXPECT_FALSE(app.writer().sendingBlock());

  const std::vector<std::uint8_t> sent(app.images().TransmitterBlock.begin(),
                                       app.images().TransmitterBlock.end());
  session.app.reset();  // the program ends: its port is closed
  const std::vector<std::uint8_t> stored = readDevice(session.terminalPath());
  ASSERT_EQ(stored.size(), kReplySize);
  EXPECT_TRUE(std::equal(sent.begin(), sent.end(), stored.begin()))
      << "the device holds part of the block";
}

}  // namespace
}  // namespace tadjust
