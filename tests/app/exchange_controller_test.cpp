// The exchange controller over a simulated box and device, on virtual time: the states of the
// link from Start to Disconnect, the retry dialogs, short and odd replies, and the layouts a
// read brings. A write's read-back is tested with the write (settings_writer_test.cpp).

#include "app/exchange_controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/simulated_program.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

using testing::shown;

QString lastQuestion(const SimulatedProgram& program) {
  return program.boxes.questions.empty() ? QString() : program.boxes.questions.back().text;
}

TEST(ExchangeController, WalksFromStartToLinkedAndBackToConnect) {
  SimulatedProgram program("RKA-49");
  Form1& form = program.form();

  program.findBox();
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_FALSE(program.port.IsOpen());

  program.boxes.queue(Answer::Ok);
  program.controller().BitBtn1Click();
  EXPECT_EQ(lastQuestion(program), "Connect device to UX-4235S\rand immediately press OK.");
  EXPECT_TRUE(program.state().ReadPending);
  EXPECT_FALSE(shown(form.BitBtn1));
  EXPECT_TRUE(shown(form.ProgressBar1));
  EXPECT_EQ(form.Label41->text(), "Reading data ...");

  // The 256 bytes need 1.07 s on the wire: the reply is taken, whole, within the second tick.
  program.tick();
  EXPECT_FALSE(program.state().DeviceLinked) << "taken before it was whole";
  EXPECT_EQ(form.ProgressBar1->value(), 10);
  program.tick();
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_FALSE(program.state().ReadPending);
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
  for (const QWidget* w :
       {static_cast<QWidget*>(form.BitBtn1), static_cast<QWidget*>(form.BitBtn3),
        static_cast<QWidget*>(form.BitBtn4), static_cast<QWidget*>(form.GroupBox1),
        static_cast<QWidget*>(form.GroupBox2)})
    EXPECT_TRUE(shown(w)) << w->objectName().toStdString();
  EXPECT_FALSE(shown(form.ProgressBar1));
  EXPECT_FALSE(shown(form.Label41));
  EXPECT_EQ(form.ProgressBar1->value(), 0);
  EXPECT_EQ(form.Label39->text(), "RKA-49");
  EXPECT_TRUE(program.port.IsOpen());

  program.controller().BitBtn1Click();
  EXPECT_FALSE(program.port.IsOpen());
  EXPECT_FALSE(program.state().DeviceLinked);
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_FALSE(shown(form.BitBtn3));
  EXPECT_FALSE(shown(form.GroupBox1));
  EXPECT_FALSE(shown(form.GroupBox2));
  EXPECT_FALSE(shown(form.GroupBox3));
  EXPECT_EQ(form.Label39->text(), "RKA-49") << "the groups keep their contents";
  EXPECT_EQ(program.boxes.answersLeft(), 0u);
}

TEST(ExchangeController, SendsTheLinkAndReadFramesWithTheirPauses) {
  SimulatedProgram program;
  program.findBox();
  program.pause.durations.clear();
  program.boxes.queue(Answer::Ok);
  program.controller().BitBtn1Click();

  std::vector<std::uint8_t> lastSix;
  const auto& sent = program.port.sent();
  for (std::size_t i = sent.size() - 6; i < sent.size(); ++i) lastSix.push_back(sent[i].byte);
  EXPECT_EQ(lastSix, (std::vector<std::uint8_t>{0, '$', 'C', 0, '$', 'R'}));
  const std::vector<Milliseconds> expected = {Milliseconds(500), Milliseconds(20), Milliseconds(20),
                                              Milliseconds(20),  Milliseconds(20), Milliseconds(20),
                                              Milliseconds(20)};
  EXPECT_EQ(program.pause.durations, expected);
}

TEST(ExchangeController, CancelInTheLinkPromptNeverOpensThePort) {
  SimulatedProgram program;
  program.findBox();
  const std::size_t opensAfterSearch = program.port.opens().size();
  program.boxes.queue(Answer::Cancel);
  program.controller().BitBtn1Click();
  EXPECT_EQ(program.port.opens().size(), opensAfterSearch);
  EXPECT_FALSE(program.state().ReadPending);
  EXPECT_TRUE(shown(program.form().BitBtn1));
  EXPECT_EQ(caption(program.form().BitBtn1), "Connect");
}

// The port is there but another program holds it: searching would not help.
TEST(ExchangeController, APortThatCannotBeOpenedIsReportedAndConnectComesBack) {
  SimulatedProgram program;
  program.findBox();
  program.port.holdElsewhere(testing::kBoxPort);
  program.boxes.queue(Answer::Ok);  // the link prompt
  program.boxes.queue(Answer::Ok);  // the report
  program.controller().BitBtn1Click();
  ASSERT_EQ(program.boxes.questions.size(), 3u);
  EXPECT_EQ(program.boxes.questions.back().caption, "Communication problem");
  EXPECT_EQ(program.boxes.questions.back().text,
            "The port ftdi_sio:/dev/ttyUSB0 cannot be opened: another program may be using "
            "it.\rClose that program and press Connect again.");
  EXPECT_EQ(program.boxes.questions.back().buttons, Buttons::Ok);
  EXPECT_FALSE(program.port.IsOpen());
  EXPECT_FALSE(program.state().ReadPending);
  EXPECT_TRUE(shown(program.form().BitBtn1));
  EXPECT_EQ(caption(program.form().BitBtn1), "Connect");
}

TEST(NoFirstReplyAnswers, RetryThenOkClosesThePortAndAsksForTheDeviceAgain) {
  SimulatedProgram fresh;
  fresh.device->faults().silentDevice = true;
  fresh.findBox();
  fresh.boxes.queue(Answer::Ok);
  fresh.controller().BitBtn1Click();
  fresh.boxes.queue(Answer::Retry);
  fresh.boxes.queue(Answer::Ok);
  fresh.boxes.queue(Answer::Ok);  // the link prompt again
  const int closesBefore = fresh.port.closeCount();
  fresh.ticks(testing::kTicksToCollect);
  const auto& q = fresh.boxes.questions;
  ASSERT_GE(q.size(), 5u);
  EXPECT_EQ(q[2].text, "No response from device !!!\rRetry or cancel.");
  EXPECT_EQ(q[2].buttons, Buttons::RetryCancel);
  EXPECT_EQ(q[3].text, "Disconnect device from UX-4235S.\rand press OK.");
  EXPECT_EQ(q[4].caption, "Linking with the device");
  EXPECT_EQ(fresh.port.closeCount(), closesBefore + 1);
  EXPECT_TRUE(fresh.port.IsOpen()) << "the link starts over on a newly opened port";
  EXPECT_TRUE(fresh.state().ReadPending);
  EXPECT_FALSE(fresh.events.terminateRequested);
}

TEST(NoFirstReplyAnswers, CancelInEitherDialogClosesThePortAndEndsTheProgram) {
  for (const std::vector<Answer>& answers :
       {std::vector<Answer>{Answer::Cancel}, std::vector<Answer>{Answer::Retry, Answer::Cancel},
        std::vector<Answer>{Answer::Closed}}) {
    SimulatedProgram program;
    program.device->faults().silentDevice = true;
    program.findBox();
    program.boxes.queue(Answer::Ok);
    program.controller().BitBtn1Click();
    for (Answer a : answers) program.boxes.queue(a);
    program.ticks(testing::kTicksToCollect);
    EXPECT_TRUE(program.events.terminateRequested);
    EXPECT_FALSE(program.port.IsOpen());
    EXPECT_FALSE(program.state().DeviceLinked);
    EXPECT_EQ(program.boxes.answersLeft(), 0u);
  }
}

TEST(ExchangeController, PolishDialogsOfTheFirstReadAndButtonCaptions) {
  SimulatedProgram program("RKA-49", /*useEnglish=*/false);
  program.device->faults().silentDevice = true;
  program.findBox();
  EXPECT_EQ(caption(program.form().BitBtn1), "Połącz");
  program.boxes.queue(Answer::Ok);
  program.controller().BitBtn1Click();
  EXPECT_EQ(program.form().Label41->text(), "Odczyt danych ...");
  program.boxes.queue(Answer::Cancel);
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.boxes.questions.back().caption, "Problem z komunikacją");
  EXPECT_EQ(program.boxes.questions.back().text,
            "Nie nawiązano połączenia z urządzeniem !!!\rPonów próbę lub anuluj.");

  SimulatedProgram linked("RKA-49", false);
  linked.findBox();
  linked.connect();
  EXPECT_EQ(caption(linked.form().BitBtn1), "Rozłącz");
}

// A reply too short to name its device (fewer than 196 bytes, or 68 when its code stands at
// offset 64) is no reply; a longer one is taken, the missing bytes zero.
TEST(ExchangeController, RepliesTooShortToNameTheirDeviceAreNoReply) {
  struct Case {
    const char* model;
    std::size_t length;
    bool reply;
  };
  for (const Case& c :
       {Case{"RKA-49", 0, false}, Case{"RKA-49", 1, false}, Case{"RKA-49", 64, false},
        Case{"RKA-49", 150, false}, Case{"RKA-49", 195, false}, Case{"RKA-49", 196, true},
        Case{"RKA-49", 255, true}, Case{"ARR/A", 67, false}, Case{"ARR/A", 68, true},
        Case{"GWA-43", 68, true}}) {
    SCOPED_TRACE(std::string(c.model) + ", " + std::to_string(c.length) + " bytes");
    SimulatedProgram program(c.model);
    program.device->faults().shortSettingsReply = c.length;
    program.findBox();
    program.boxes.queue(Answer::Ok);
    program.controller().BitBtn1Click();
    if (!c.reply) program.boxes.queue(Answer::Cancel);
    program.ticks(testing::kTicksToCollect);

    EXPECT_EQ(program.state().DeviceLinked, c.reply);
    const auto& image = program.app.images().SettingsImage;
    if (!c.reply) {
      EXPECT_EQ(program.boxes.questions.back().text,
                "No response from device !!!\rRetry or cancel.");
      EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0; }))
          << "nothing of the broken reply was taken";
      continue;
    }
    EXPECT_EQ(program.form().Label39->text(), c.model);
    EXPECT_EQ(image[c.length - 1], program.device->image()[c.length - 1]);
    // Bytes that did not arrive are zero; the settlement may have put the code at 192.
    for (std::size_t i = c.length; i < image.size(); ++i) {
      if (i != 192 && i != 193) {
        EXPECT_EQ(image[i], 0) << i;
      }
    }
  }
}

// A later read that comes back too short asks to read again; the device group keeps the device.
TEST(ExchangeController, AShortLaterReplyAsksToReadAgain) {
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.connect();
  const auto before = program.app.images().SettingsImage;
  program.device->faults().shortSettingsReply = 1;
  program.controller().RequestRead();
  program.boxes.queue(Answer::No);
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.boxes.questions.back().text, "Repeat reading?");
  EXPECT_EQ(program.app.images().SettingsImage, before);
  EXPECT_EQ(program.form().Edit6->text(), "7001");
}

TEST(ExchangeControllerLayout, TheSameModelIsLaidOutOnceAnotherAgainAfterDisconnect) {
  SimulatedProgram program("RQ-117/A");
  program.findBox();
  program.connect();
  Form1& form = program.form();
  EXPECT_EQ(form.Label39->text(), "RQ-117/A");
  EXPECT_EQ(form.Edit1->text(), "-50");
  form.Edit1->setText("-20");  // a layout would write the model's default again
  program.controller().RequestRead();
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(form.Edit1->text(), "-20");

  program.controller().BitBtn1Click();  // Disconnect
  program.plugIn("ARR/A");
  program.connect();
  EXPECT_EQ(form.Label39->text(), "ARR/A");
  EXPECT_EQ(program.state().lastLaidOutCode, 15002);
  EXPECT_TRUE(shown(form.GroupBox1));
  EXPECT_TRUE(shown(form.GroupBox3));
}

TEST(ExchangeControllerLayout, ACodeThatNamesNoModelLinksWithoutALayout) {
  SimulatedProgram program;
  auto image = program.device->image();
  writeU16(image, 192, 0);
  writeU16(image, 64, 15005);
  program.device->setImage(image);
  program.findBox();
  program.connect();
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_EQ(program.state().lastLaidOutCode, 0);
  EXPECT_EQ(program.form().Label39->text(), "RKA-4");
  EXPECT_EQ(program.form().Edit6->text(), "0") << "the decoder ran all the same";
  EXPECT_EQ(program.form().Label41->text(), "Unknown product code 0: shown as RKA-4.");
  EXPECT_TRUE(shown(program.form().Label41));
}

// A code that names no model is said, with the model the device is shown as, until the next
// read.
TEST(ExchangeControllerLayout, AnUnknownCodeAfterAKnownModelIsSaid) {
  for (const bool english : {true, false}) {
    SimulatedProgram program("RKA-49", english);
    program.findBox();
    program.connect();
    EXPECT_FALSE(shown(program.form().Label41));
    const auto known = program.device->image();
    auto unknown = known;
    writeU16(unknown, 192, 7999);
    program.device->setImage(unknown);
    program.controller().RequestRead();
    program.ticks(testing::kTicksToCollect);
    EXPECT_EQ(program.form().Label39->text(), "RKA-49");
    EXPECT_EQ(program.form().Edit6->text(), "7999");
    EXPECT_EQ(program.form().Label41->text(),
              english ? "Unknown product code 7999: shown as RKA-49."
                      : "Nieznany kod wyrobu 7999: pokazano jako RKA-49.");
    EXPECT_TRUE(shown(program.form().Label41));
    program.ticks(20);
    EXPECT_TRUE(shown(program.form().Label41)) << "the timer alone does not end it";

    program.device->setImage(known);
    program.controller().RequestRead();
    EXPECT_EQ(program.form().Label41->text(), english ? "Reading data ..." : "Odczyt danych ...");
    program.ticks(testing::kTicksToCollect);
    EXPECT_FALSE(shown(program.form().Label41));
  }
}

// An indicator whose code stands at 192 (7013) read after a GWA-43 with its code at 64: the
// device group shows, and the copy would write, the bytes just read, not the earlier device's.
TEST(ExchangeControllerLayout, EveryReadRefreshesTheSmallLayoutCopies) {
  SimulatedProgram program("GWA-43");
  program.findBox();
  program.connect();
  EXPECT_EQ(program.form().Label39->text(), "GWA-43");
  const QString firstTag = program.form().Edit17->text();
  program.controller().BitBtn1Click();  // Disconnect

  program.plugIn("GWA-43");
  auto second = program.device->image();
  writeU16(second, 192, 7013);
  indicator::Tag.set(second, "SECOND");
  indicator::DisplayHigh.set(second, 4321);
  program.device->setImage(second);
  program.connect();

  const SettingsImages& images = program.app.images();
  EXPECT_EQ(images.ProductCode(), 7013);
  EXPECT_EQ(program.form().Label39->text(), "GWA-43");
  EXPECT_TRUE(std::equal(images.IndicatorCopy.begin(), images.IndicatorCopy.end(), second.begin()));
  EXPECT_TRUE(std::equal(images.HumidityCopy.begin(), images.HumidityCopy.end(), second.begin()));
  EXPECT_NE(firstTag, "SECOND");
  EXPECT_EQ(program.form().Edit17->text(), "SECOND");
}

TEST(ExchangeControllerLayout, AnUnsetCodeAt192WithAHumidityCodeAt64) {
  SimulatedProgram program("ARR/V");
  auto image = program.device->image();
  writeU16(image, 192, 0xFFFF);
  program.device->setImage(image);
  program.findBox();
  program.connect();
  const SettingsImages& images = program.app.images();
  EXPECT_EQ(images.ProductCode(), 15003);
  EXPECT_EQ(program.form().Label39->text(), "ARR/V");
  EXPECT_TRUE(std::equal(images.IndicatorCopy.begin(), images.IndicatorCopy.end(), image.begin()));
  EXPECT_TRUE(std::equal(images.HumidityCopy.begin(), images.HumidityCopy.end(), image.begin()));
}

}  // namespace
}  // namespace tadjust
