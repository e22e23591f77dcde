// The whole program against t-adjust-sim on a pseudo-terminal, in real time: Start finds the box
// through the remembered port, Connect links the device and the reply is taken as soon as it is
// whole, live readings of a humidity model, the edited settings of one
// model of each family (and RKN-40F3) written, read back and verified, a write stored wrong and
// written again, a device lost during a write, and a device that never answers.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTest>
#include <chrono>

#include "numbers/number_text.h"
#include "sim/image_file.h"
#include "sim/model_images.h"
#include "simulated_device_session.h"
#include "support/edited_write_cases.h"
#include "support/expected_frames.h"
#include "window_steps.h"

namespace tadjust {
namespace {

using namespace testing;

// The fourth tick after monitoring is switched on, then the poll's 1580 ms of pauses.
constexpr Seconds kFirstReadingAtLeast{4.5};
constexpr Seconds kFirstReadingBelow{8.0};
constexpr int kReadingWaitMs = 10000;

std::optional<double> reading(const QLineEdit* edit) {
  static const QRegularExpression twoDecimals(R"(^-?\d+[.,]\d\d$)");
  if (!twoDecimals.match(edit->text()).hasMatch()) return std::nullopt;
  return number_text::readReal(edit->text());
}

TEST(EndToEnd, StartFindsTheBoxConnectLinksAndMonitoringShowsReadings) {
  const auto model = findSimulatedModel("ARR/A");
  ASSERT_TRUE(model);
  SimulatedDeviceSession session({"--model", "ARR/A"});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  const QByteArray rememberedPort = session.iniContents();

  startAndFindTheBox(session);
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_EQ(form.Edit18->text(), session.terminalPath());
  EXPECT_FALSE(session.port.IsOpen());
  EXPECT_EQ(session.iniContents(), rememberedPort) << "the remembered port was rewritten";

  session.boxes.queue(Answer::Ok);  // the device is plugged in
  const auto pressed = Clock::now();
  press(form.BitBtn1);
  // The port opened and the requests sent on the worker: the bar counts towards the reply.
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown(form.ProgressBar1); }, 1000));
  EXPECT_TRUE(session.port.IsOpen());
  ASSERT_TRUE(QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Disconnect"; }, kLinkWaitMs));
  const Seconds linkTime = since(pressed);
  EXPECT_GE(linkTime, kLinkAtLeast);
  EXPECT_LT(linkTime, kLinkBelow);

  EXPECT_EQ(form.Label39->text(), "ARR/A");
  EXPECT_EQ(form.Edit6->text(), QString::number(model->productCode));
  EXPECT_EQ(form.Edit7->text(), QString::number(defaultSerialNumber(*model)));
  for (const QWidget* widget :
       std::initializer_list<const QWidget*>{form.BitBtn1, form.BitBtn3, form.BitBtn4,
                                             form.GroupBox1, form.GroupBox2, form.GroupBox3})
    EXPECT_TRUE(shown(widget)) << widget->objectName().toStdString();
  EXPECT_FALSE(shown(form.ProgressBar1));

  // The simulated room: about 20 to 24 degrees and 36 to 54 %RH, shown with two decimals.
  const auto switchedOn = Clock::now();
  form.CheckBox5->click();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return reading(form.Edit24) && reading(form.Edit23); }, kReadingWaitMs))
      << form.Edit24->text().toStdString() << " / " << form.Edit23->text().toStdString();
  const Seconds firstReading = since(switchedOn);
  EXPECT_GE(firstReading, kFirstReadingAtLeast);
  EXPECT_LT(firstReading, kFirstReadingBelow);
  EXPECT_GE(*reading(form.Edit24), 20.0);
  EXPECT_LE(*reading(form.Edit24), 24.0);
  EXPECT_GE(*reading(form.Edit23), 36.0);
  EXPECT_LE(*reading(form.Edit23), 54.0);
  EXPECT_EQ(session.boxes.answersLeft(), 0u);
  EXPECT_TRUE(session.boxes.errors.empty());
}

// Start, Connect, and the reply collected on the eleventh tick of the real timer.
void linkTheDevice(SimulatedDeviceSession& session) {
  startAndFindTheBox(session);
  session.boxes.queue(Answer::Ok);  // the device is plugged in
  press(session.form().BitBtn1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return caption(session.form().BitBtn1) == "Disconnect"; },
                              kLinkWaitMs));
}

// The write blocks the window for its pauses: 0, "$", the letter, the wait and the block, 2 x
// 1000 ms + (block + 2) x 20 ms before the read request.
Seconds prescribedWrite(std::size_t blockSize) {
  return Seconds(2.0 + 0.02 * static_cast<double>(blockSize + 2));
}

// What the device group shows and the simulator saved after the write of the case's edits.
void expectWritten(const testing::EditedWriteCase& c, SimulatedDeviceSession& session,
                   const testing::SystemLocale& locale, const QString& saved) {
  Form1& form = session.form();
  for (const auto& [box, text] : c.deviceGroup)
    EXPECT_EQ((form.*box)->text(), locale.number(text)) << (form.*box)->objectName().toStdString();
  EXPECT_TRUE(form.GroupBox1->isEnabled());
  EXPECT_TRUE(shown(form.BitBtn4));
  EXPECT_EQ(session.boxes.answersLeft(), 0u);

  const ImageFileResult file = loadImageFile(saved.toStdString());
  ASSERT_TRUE(file.ok) << file.error;
  c.stored(file.image);
  const Bytes block = testing::expectedOutgoingBlock(c.model, session.app->images());
  EXPECT_TRUE(std::equal(block.begin(), block.end(), file.image.begin()));
}

// Read, "Copy for edition", the technician's edits, "Send to device": the read-back agrees, the
// device group shows the new values, and the simulator's saved image holds them.
void writeEditedSettings(const char* model) {
  const testing::EditedWriteCase c = testing::editedWriteCase(model);
  const testing::SystemLocale locale(/*comma=*/false);
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString saved = folder.filePath("device.hex");
  SimulatedDeviceSession session({"--model", model, "--save", saved});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  linkTheDevice(session);
  ASSERT_EQ(form.Label39->text(), model);

  press(form.BitBtn3);
  c.edit(form, locale);
  const auto pressed = Clock::now();
  press(form.BitBtn4);
  // The device on the box is read first; the block follows its reply.
  EXPECT_EQ(form.Label41->text(), "Reading data ...");
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Label41->text() == "Write verification  ..."; },
                              2 * kLinkWaitMs));
  EXPECT_GE(since(pressed), prescribedWrite(testing::expectedFrame(model).blockSize));
  ASSERT_TRUE(QTest::qWaitFor([&] { return verified(form); }, kLinkWaitMs))
      << form.Label41->text().toStdString();
  EXPECT_EQ(session.boxes.questions.size(), 3u) << "only the language, plug-in and link prompts";
  expectWritten(c, session, locale, saved);
}

TEST(EndToEnd, WriteOfATransmitterWithCurrentOutputIsVerified) { writeEditedSettings("RKA-49"); }
TEST(EndToEnd, WriteOfATransmitterWithVoltageOutputIsVerified) { writeEditedSettings("RKA-59"); }
TEST(EndToEnd, WriteOfTheIndicatorIsVerified) { writeEditedSettings("GWA-43"); }
TEST(EndToEnd, WriteOfAHumidityModelIsVerified) { writeEditedSettings("ARR/A"); }
TEST(EndToEnd, WriteOfTheSeriesSensorModelIsVerified) { writeEditedSettings("RKN-40F3"); }

// The device stores the first write with one byte changed: "Repeat writing?", Yes, and the
// second write is read back and verified.
TEST(EndToEnd, AWriteStoredWrongIsWrittenAgainAndVerified) {
  const testing::EditedWriteCase c = testing::editedWriteCase("RKA-49");
  const testing::SystemLocale locale(/*comma=*/false);
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString saved = folder.filePath("device.hex");
  SimulatedDeviceSession session({"--model", "RKA-49", "--spoil-writes", "1", "--save", saved});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  linkTheDevice(session);

  press(form.BitBtn3);
  c.edit(form, locale);
  session.boxes.queue(Answer::Yes);  // repeat writing
  press(form.BitBtn4);
  ASSERT_TRUE(QTest::qWaitFor([&] { return verified(form); }, 5 * kLinkWaitMs))
      << form.Label41->text().toStdString();
  ASSERT_EQ(session.boxes.questions.size(), 4u);
  EXPECT_EQ(session.boxes.questions[3].caption, "Data error!");
  EXPECT_TRUE(session.boxes.questions[3].text.endsWith("\r\rRepeat writing?"));
  expectWritten(c, session, locale, saved);
}

// The box goes away in the middle of the block: the read-back finds nothing and asks nothing
// (no "Repeat reading?"), and the link has ended: Connect is offered, Copy and Send are not.
TEST(EndToEnd, AnUnplugDuringTheWriteFailsItsReadBack) {
  // The box's handshake ("?", "#"), the link, the read and the check read before the write (three
  // bytes each), the write's three command bytes, then 60 of the 192 bytes of the block.
  constexpr int kBytesBeforeTheUnplug = 2 + 3 + 3 + 3 + 3 + 60;
  SimulatedDeviceSession session(
      {"--model", "RKA-49", "--unplug-after-bytes", QString::number(kBytesBeforeTheUnplug)});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  linkTheDevice(session);

  press(form.BitBtn3);
  const std::size_t asked = session.boxes.questions.size();
  press(form.BitBtn4);
  ASSERT_TRUE(QTest::qWaitFor([&] { return caption(form.BitBtn1) == "Connect"; }, 3 * kLinkWaitMs));
  EXPECT_EQ(session.boxes.questions.size(), asked) << "no \"Repeat reading?\"";
  EXPECT_FALSE(session.app->writer().state().VerifyPending);
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_FALSE(shown(form.BitBtn3));
  EXPECT_FALSE(shown(form.BitBtn4));
  EXPECT_EQ(form.Label41->text(), "Connection to the interface box lost.");
}

// The box answers its handshake, the device never does. The question comes on the eleventh
// tick; the ticks that keep arriving while it is open find nothing pending and ask nothing more.
TEST(EndToEnd, SilentDeviceAsksToRetryAndCancelEndsTheProgram) {
  SimulatedDeviceSession session({"--silent-device"});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();

  startAndFindTheBox(session);
  ASSERT_EQ(caption(form.BitBtn1), "Connect");

  constexpr int kTicksWhileOpenMs = 2500;
  session.boxes.whileOpen = [&] {
    if (session.boxes.questions.back().caption == "Communication problem")
      QTest::qWait(kTicksWhileOpenMs);
  };
  session.boxes.queue(Answer::Ok);      // the device is plugged in
  session.boxes.queue(Answer::Cancel);  // no response: cancel
  const auto pressed = Clock::now();
  press(form.BitBtn1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return session.events.terminateRequested; }, kLinkWaitMs));
  EXPECT_GE(since(pressed), kEleventhTickAtLeast);

  ASSERT_EQ(session.boxes.questions.size(), 4u);
  const testing::AskedQuestion& noResponse = session.boxes.questions.back();
  EXPECT_EQ(noResponse.caption, "Communication problem");
  EXPECT_EQ(noResponse.text, "No response from device !!!\rRetry or cancel.");
  EXPECT_EQ(noResponse.buttons, Buttons::RetryCancel);
  // The close is the worker's last job.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !session.port.IsOpen(); }, 1000));
  EXPECT_NE(caption(form.BitBtn1), "Disconnect");
  EXPECT_FALSE(shown(form.GroupBox2));
}

}  // namespace
}  // namespace tadjust
