// The faults a technician meets, end to end: the program against t-adjust-sim on a pseudo-terminal
// with the simulator's fault switches, in real time. Each case checks what the window shows, then
// removes the fault (SIGUSR1 mends the simulator; an unplugged box comes back) and checks that
// the program recovers: Start or Connect works again and the next read and write are right.
//
// docs/reliability.md lists the cases with what the user sees and does.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "sim/image_file.h"
#include "sim/model_images.h"
#include "support/process_cpu_time.h"
#include "window_steps.h"

namespace tadjust {
namespace {

using namespace testing;
using namespace std::chrono_literals;

const QString kNoBoxCaption = QString::fromUtf8("Problem z komunikacją");
const QString kNoBoxText =
    QString::fromUtf8("Nie nawiązano połączenia z UX-4235S !!!\rPonów próbę lub anuluj.");
const QString kNoResponseText = "No response from device !!!\rRetry or cancel.";
const QString kLost = "Connection to the interface box lost.";
// The search: the plug-in pause, then the handshake on the remembered port.
constexpr int kSearchWaitMs = 6000;

// The device the session's simulator serves, as the program must show it after the recovery.
void expectTheDeviceShown(SimulatedDeviceSession& session, std::string_view name = "RKA-49") {
  const auto model = findSimulatedModel(name);
  ASSERT_TRUE(model);
  Form1& form = session.form();
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
  EXPECT_EQ(form.Label39->text().toStdString(), name);
  EXPECT_EQ(form.Edit6->text(), QString::number(model->productCode));
  EXPECT_EQ(form.Edit7->text(), QString::number(defaultSerialNumber(*model)));
  const ImageBytes image = makeModelImage(*model, defaultSerialNumber(*model));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), session.app->images().SettingsImage.begin()));
  EXPECT_TRUE(shown(form.GroupBox1));
  EXPECT_TRUE(shown(form.GroupBox2));
  EXPECT_TRUE(shown(form.BitBtn3));
  EXPECT_TRUE(shown(form.BitBtn4));
}

// The search finds nothing: the failure in Polish with Retry and Cancel, nothing else offered.
// Retry, with the fault mended while the question is open: the next tick searches again, the
// plug-in prompt comes, the box is found and the device reads right.
void expectSearchFailsThenRetryFindsTheBox(SimulatedDeviceSession& session) {
  Form1& form = session.form();
  session.boxes.whileOpen = [&] {
    if (session.boxes.questions.back().caption == kNoBoxCaption) {
      EXPECT_TRUE(session.simulator().mendFaults());
    }
  };
  session.boxes.queue(Answer::No);  // the language question: English
  session.app->start();
  session.boxes.queue(Answer::Ok);     // the plug-in prompt
  session.boxes.queue(Answer::Retry);  // no box
  session.boxes.queue(Answer::Ok);     // the plug-in prompt of the new search
  press(form.BitBtn1);

  ASSERT_TRUE(waitForQuestions(session, 3, kSearchWaitMs));
  EXPECT_EQ(session.boxes.questions[2].caption, kNoBoxCaption);
  EXPECT_EQ(session.boxes.questions[2].text, kNoBoxText);
  EXPECT_EQ(session.boxes.questions[2].buttons, Buttons::RetryCancel);
  EXPECT_FALSE(shown(form.BitBtn1));
  EXPECT_FALSE(shown(form.Label40));
  EXPECT_FALSE(session.port.IsOpen());

  ASSERT_TRUE(QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Connect"; }, kSearchWaitMs));
  EXPECT_EQ(session.boxes.questions.size(), 4u);
  EXPECT_TRUE(shown(form.BitBtn1));
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  expectTheDeviceShown(session);
  EXPECT_FALSE(session.events.terminateRequested);
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
}

TEST(FaultMatrix, NoBox) {
  SimulatedDeviceSession session({"--no-box"});
  ASSERT_TRUE(session.ready());
  expectSearchFailsThenRetryFindsTheBox(session);
}

TEST(FaultMatrix, BoxAnswersTheFirstHandshakeByteOnly) {
  SimulatedDeviceSession session({"--box-without-at"});
  ASSERT_TRUE(session.ready());
  expectSearchFailsThenRetryFindsTheBox(session);
}

// No reply to the first read: "No response" on the eleventh tick. Retry, with the fault mended
// while the question is open, then OK to unplugging the device and to plugging it in: the link
// starts over and the device reads right.
void expectNoResponseThenRetryLinks(SimulatedDeviceSession& session) {
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_EQ(caption(form.BitBtn1), "Connect");
  session.boxes.whileOpen = [&] {
    if (session.boxes.questions.back().text == kNoResponseText) {
      EXPECT_FALSE(shown(form.Label41)) << "the status line is hidden at collection";
      EXPECT_FALSE(shown(form.GroupBox2));
      EXPECT_TRUE(session.simulator().mendFaults());
    }
  };
  session.boxes.queue(Answer::Ok);     // the device is plugged in
  session.boxes.queue(Answer::Retry);  // no response
  session.boxes.queue(Answer::Ok);     // the device is unplugged
  session.boxes.queue(Answer::Ok);     // and plugged in again
  press(form.BitBtn1);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Disconnect"; }, 2 * kLinkWaitMs));
  ASSERT_EQ(session.boxes.questions.size(), 6u);
  EXPECT_EQ(session.boxes.questions[3].caption, "Communication problem");
  EXPECT_EQ(session.boxes.questions[3].text, kNoResponseText);
  EXPECT_EQ(session.boxes.questions[4].caption, "Device disconnection");
  EXPECT_EQ(session.boxes.questions[5].caption, "Linking with the device");
  expectTheDeviceShown(session);
  EXPECT_FALSE(session.events.terminateRequested);
}

TEST(FaultMatrix, SilentDevice) {
  SimulatedDeviceSession session({"--silent-device"});
  ASSERT_TRUE(session.ready());
  expectNoResponseThenRetryLinks(session);
}

// A reply too short to name its device is a broken line, not a device of zeros: no response.
class ShortReply : public ::testing::TestWithParam<int> {};

TEST_P(ShortReply, CountsAsNoResponse) {
  SimulatedDeviceSession session({"--short-reply", QString::number(GetParam())});
  ASSERT_TRUE(session.ready());
  expectNoResponseThenRetryLinks(session);
}

INSTANTIATE_TEST_SUITE_P(FaultMatrix, ShortReply, ::testing::Values(0, 1, 64));

// One byte short of the whole image: the device is linked and shown, the missing byte zero. The
// next read, with the fault mended, has the byte.
TEST(FaultMatrix, ShortReplyOf255BytesLinksWithTheLastByteZero) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const auto model = findSimulatedModel("RKA-49");
  ImageBytes image = makeModelImage(*model, defaultSerialNumber(*model));
  image[255] = 0x5A;
  const QString file = folder.filePath("device.hex");
  ASSERT_TRUE(saveImageFile(file.toStdString(), image, "RKA-49, last byte set"));
  SimulatedDeviceSession session({"--image", file, "--short-reply", "255"});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();

  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  const auto& read = session.app->images().SettingsImage;
  EXPECT_EQ(read[255], 0);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 255, read.begin()));
  EXPECT_EQ(form.Label39->text(), "RKA-49");
  EXPECT_EQ(form.Edit7->text(), QString::number(defaultSerialNumber(*model)));

  ASSERT_TRUE(session.simulator().mendFaults());
  press(form.BitBtn1);  // Disconnect
  ASSERT_EQ(caption(form.BitBtn1), "Connect");
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), read.begin()));
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
}

// The box unplugged while the program waits for the first reply: within a second the port is
// closed, the window says so and the program is idle (Qt's notifier of the dead line would
// otherwise keep it at full load). The read gets no reply; Retry links again once the box is back.
TEST(FaultMatrix, UnplugDuringARead) {
  SimulatedDeviceSession session(
      {"--unplug-after-bytes", "8", "--replug-after-seconds", "3"});  // the handshake, C, R
  if (!session.ready() && session.simulator().endedWith(1)) {
    GTEST_SKIP() << "taking the port away and giving it back needs root";
  }
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_EQ(caption(form.BitBtn1), "Connect");

  session.boxes.queue(Answer::Ok);  // the device is plugged in
  press(form.BitBtn1);
  ASSERT_TRUE(session.simulator().waitForLine("unplugged"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !session.port.IsOpen(); }, 1000))
      << "the lost port is still open";
  const auto before = processCpuTime();
  QTest::qWait(1000);
  EXPECT_LT(processCpuTime() - before, 250ms) << "busy after the unplug";
  EXPECT_EQ(form.Label41->text(), kLost);
  EXPECT_TRUE(shown(form.Label41));
  EXPECT_TRUE(shown(form.ProgressBar1)) << "the read goes on";

  ASSERT_TRUE(session.simulator().waitForLine("plugged in"));
  session.boxes.queue(Answer::Retry);  // no response
  session.boxes.queue(Answer::Ok);     // the device is unplugged
  session.boxes.queue(Answer::Ok);     // and plugged in again
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Disconnect"; }, 2 * kLinkWaitMs));
  EXPECT_EQ(session.boxes.questions[3].text, kNoResponseText);
  expectTheDeviceShown(session);
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
}

// The box found, then plugged into another port before Connect: the remembered port is gone, so
// Connect searches as Start does (its prompt, the remembered port, the candidates), remembers the
// port found and links there.
TEST(FaultMatrix, PortGoneBetweenStartAndConnect) {
  SimulatedDeviceSession session({"--replug-elsewhere"});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_EQ(caption(form.BitBtn1), "Connect");
  const QString moved = session.simulator().unplugAndFindTheNewPort();
  ASSERT_FALSE(moved.isEmpty());
  ASSERT_NE(moved, session.terminalPath());
  ASSERT_FALSE(QFile::exists(session.terminalPath()));
  // The system's map now lists the box's new port.
  session.portMap.map = std::vector<SerialPortEntry>{{"usb/ftdi_sio", moved.toStdString()}};

  session.boxes.queue(Answer::Ok);  // the link prompt
  session.boxes.queue(Answer::Ok);  // the search's plug-in prompt
  press(form.BitBtn1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Disconnect"; }, kLinkWaitMs));
  ASSERT_EQ(session.boxes.questions.size(), 4u);
  EXPECT_EQ(session.boxes.questions[3].caption, "Linking with UX-4235S");
  EXPECT_EQ(form.Edit18->text(), "ftdi_sio:" + moved);
  EXPECT_TRUE(session.iniContents().contains(("ftdi_sio:" + moved).toUtf8()));
  expectTheDeviceShown(session);
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
}

// Copy for edition, a new tag, Send: the press returns once the check of the device is requested;
// the block follows its reply.
void copyAndSend(SimulatedDeviceSession& session, const QString& tag) {
  Form1& form = session.form();
  press(form.BitBtn3);
  form.Edit5->setText(tag);
  press(form.BitBtn4);
}

// Send's check read, the block and its read-back.
bool waitForVerifiedWrite(SimulatedDeviceSession& session) {
  return QTest::qWaitFor(
      [&] { return session.form().Label41->text() == "Settings written and verified."; },
      3 * kLinkWaitMs);
}

// The linked state: the groups and the three action buttons, the editable group enabled.
void expectLinkedState(Form1& form) {
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_TRUE(shown(form.BitBtn3));
  EXPECT_TRUE(shown(form.BitBtn4));
  EXPECT_TRUE(form.GroupBox1->isEnabled());
  EXPECT_FALSE(shown(form.ProgressBar1));
}

// After a lost box: the window as after Disconnect, and it says why.
void expectLinkEnded(Form1& form) {
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_FALSE(shown(form.BitBtn3));
  EXPECT_FALSE(shown(form.BitBtn4));
  EXPECT_FALSE(shown(form.GroupBox1));
  EXPECT_FALSE(shown(form.ProgressBar1));
  EXPECT_EQ(form.Label41->text(), kLost);
  EXPECT_TRUE(shown(form.Label41));
}

// The box unplugged in the middle of a transmitter's write: the device stores nothing, the window
// says the box is lost, the read-back gets no reply and asks nothing: the link ends, Connect is
// offered, Send is not. Connect once the box is back: the device is as it was, and the next write
// is verified.
TEST(FaultMatrix, UnplugDuringAWrite) {
  SimulatedDeviceSession session({"--unplug-after-bytes", "64",  // the handshake, C, R, R, W, 50
                                  "--replug-after-seconds", "3"});
  if (!session.ready() && session.simulator().endedWith(1)) {
    GTEST_SKIP() << "taking the port away and giving it back needs root";
  }
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));

  copyAndSend(session, "LOST");
  ASSERT_TRUE(session.simulator().waitForLine("unplugged"))
      << form.Label41->text().toStdString() << " / "
      << (session.boxes.questions.empty() ? std::string()
                                          : session.boxes.questions.back().text.toStdString());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !session.port.IsOpen(); }, 1000));
  // The worker closes the port as the write notices the loss; the window hears of it next.
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Label41->text() == kLost; }, 1000))
      << form.Label41->text().toStdString();

  const std::size_t asked = session.boxes.questions.size();
  ASSERT_TRUE(QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Connect"; }, kLinkWaitMs));
  EXPECT_EQ(session.boxes.questions.size(), asked) << "no \"Repeat reading?\"";
  expectLinkEnded(form);

  ASSERT_TRUE(session.simulator().waitForLine("plugged in"));
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  expectTheDeviceShown(session);  // nothing of the cut write was stored
  EXPECT_EQ(form.Edit17->text(), "TT-101");

  copyAndSend(session, "FIXED");
  ASSERT_TRUE(waitForVerifiedWrite(session)) << form.Label41->text().toStdString();
  EXPECT_EQ(form.Edit17->text(), "FIXED");
  expectLinkedState(form);
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
}

// The device stores the write with one byte changed (the indicator's low-alarm flag): the
// read-back differs and "Repeat writing?" is asked, naming the field. No leaves the linked state,
// the device group showing what the device holds, and the status line naming the field, also
// after "Read again"; the next Send is stored right and verified.
TEST(FaultMatrix, AWriteStoredWrong) {
  SimulatedDeviceSession session({"--model", "GWA-43", "--spoil-writes", "1"});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));

  session.boxes.queue(Answer::No);  // writing again
  copyAndSend(session, "SPOILED");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return !session.boxes.questions.empty() &&
               session.boxes.questions.back().text.endsWith("Repeat writing?");
      },
      2 * kLinkWaitMs));
  const AskedQuestion& asked = session.boxes.questions.back();
  EXPECT_EQ(asked.caption, "Data error!");
  EXPECT_EQ(asked.buttons, Buttons::YesNo);
  EXPECT_TRUE(asked.text.contains("Alarm low level")) << asked.text.toStdString();
  expectLinkedState(form);
  const QString notVerified = form.Label41->text();
  EXPECT_TRUE(notVerified.startsWith("Settings NOT verified: ")) << notVerified.toStdString();
  EXPECT_TRUE(notVerified.contains("Alarm low level")) << notVerified.toStdString();
  EXPECT_EQ(form.Edit17->text(), "SPOILED");
  EXPECT_NE(form.CheckBox1->isChecked(), form.CheckBox3->isChecked())
      << "the device group shows the low-alarm flag as the device stored it";

  press(form.ReadAgainButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return shown(form.BitBtn4); }, kLinkWaitMs));
  EXPECT_EQ(form.Label41->text(), notVerified) << "a read verifies nothing";

  press(form.BitBtn4);
  ASSERT_TRUE(waitForVerifiedWrite(session)) << form.Label41->text().toStdString();
  EXPECT_EQ(form.CheckBox1->isChecked(), form.CheckBox3->isChecked());
  EXPECT_EQ(form.Edit17->text(), "SPOILED");
  expectLinkedState(form);
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
}

}  // namespace
}  // namespace tadjust
