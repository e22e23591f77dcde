// What a Send checks before anything reaches the device, through the program on the simulated
// box in virtual time: the device on the box is read once and must be the one read before; a
// group not taken from that device is written only after the technician has seen the changes;
// a lost box asks nothing; a write not verified keeps its cause in the status line; Connect
// finds a box plugged into another port.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <string>

#include "files/settings_file.h"
#include "support/editing_program.h"
#include "support/simulated_program.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::EditingProgram;
using testing::kTicksToCollect;
using testing::SimulatedProgram;

using testing::shown;

// How many write frames (0, "$", then "W" or "w") the program has sent.
int writeFramesSent(const SimulatedProgram& program) {
  const auto& sent = program.port.sent();
  int frames = 0;
  for (std::size_t i = 2; i < sent.size(); ++i) {
    if (sent[i - 2].byte == 0 && sent[i - 1].byte == '$' &&
        (sent[i].byte == 'W' || sent[i].byte == 'w'))
      ++frames;
  }
  return frames;
}

const QString kOriginQuestion = "Write settings that were not copied from this device?";

// A linked RKA-49 (serial of the model) copied for edition, a new tag typed.
struct CopiedProgram {
  CopiedProgram() {
    program.findBox();
    program.connect();
    program.form().BitBtn3->click();
    program.form().Edit5->setText("EDITED");
    program.boxes.questions.clear();
  }
  SimulatedProgram program{"RKA-49"};
};

TEST(CheckBeforeWrite, ADeviceSwappedBetweenCopyAndSendGetsNothing) {
  struct Case {
    const char* model;
    std::uint16_t serial;
    const char* status;
  };
  for (const Case& c : {Case{"GWA-43", 8002,
                             "Another device is on the box: product code 10013, serial number "
                             "8002 (read before: 7001, 21017). Nothing was sent."},
                        Case{"RKA-49", 4242,
                             "Another device is on the box: product code 7001, serial number "
                             "4242 (read before: 7001, 21017). Nothing was sent."}}) {
    SCOPED_TRACE(c.model);
    CopiedProgram copied;
    SimulatedProgram& program = copied.program;
    const ImageBytes before = [&] {
      program.plugIn(c.model, {}, c.serial);
      return program.device->image();
    }();
    program.send();

    EXPECT_EQ(writeFramesSent(program), 0);
    EXPECT_EQ(program.device->image(), before);
    EXPECT_EQ(program.form().Label41->text().toStdString(), c.status);
    EXPECT_TRUE(program.boxes.questions.empty());
    EXPECT_EQ(program.form().Edit7->text(), QString::number(c.serial))
        << "the device group shows the device now on the box";
    EXPECT_FALSE(program.state().ReadPending);
    EXPECT_TRUE(program.form().GroupBox1->isEnabled());
    EXPECT_TRUE(shown(program.form().BitBtn4));
    program.ticks(3);
    EXPECT_EQ(program.form().Label41->text().toStdString(), c.status) << "the news stays";
  }
}

TEST(CheckBeforeWrite, TheSameDeviceIsWrittenAtOnceAfterTheCheck) {
  CopiedProgram copied;
  SimulatedProgram& program = copied.program;
  const std::size_t before = program.port.sent().size();
  program.form().BitBtn4->click();
  // Only the read request has gone out: the block waits for the check.
  std::vector<std::uint8_t> sent;
  for (std::size_t i = before; i < program.port.sent().size(); ++i)
    sent.push_back(program.port.sent()[i].byte);
  EXPECT_EQ(sent, (std::vector<std::uint8_t>{0, '$', 'R'}));
  EXPECT_EQ(program.form().Label41->text(), "Reading data ...");
  EXPECT_FALSE(shown(program.form().BitBtn4));
  EXPECT_FALSE(program.form().GroupBox1->isEnabled());

  program.takeTheCheck();
  EXPECT_EQ(writeFramesSent(program), 1);
  EXPECT_TRUE(program.writeState().VerifyPending);
  program.ticks(kTicksToCollect);
  EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
  EXPECT_EQ(program.device->writesStored(), 1);
}

// No reply to the check: the read's own question; No sends nothing and leaves the linked state.
TEST(CheckBeforeWrite, NoReplyToTheCheckSendsNothing) {
  CopiedProgram copied;
  SimulatedProgram& program = copied.program;
  program.plugIn("RKA-49", DeviceFaults{.silentDevice = true, .shortSettingsReply = {}});
  program.boxes.queue(Answer::No);
  program.send();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_EQ(program.boxes.questions[0].text, "Repeat reading?");
  EXPECT_EQ(writeFramesSent(program), 0);
  EXPECT_TRUE(program.form().GroupBox1->isEnabled());
  EXPECT_TRUE(shown(program.form().BitBtn4));
  EXPECT_FALSE(program.writeState().CheckPending);
}

// A device swapped while "Repeat writing?" is open: Yes checks the device again and sends
// nothing to the newcomer.
TEST(CheckBeforeWrite, YesToRepeatWritingChecksTheDeviceAgain) {
  SimulatedProgram program("RKA-49");
  program.plugIn("RKA-49", DeviceFaults{.shortSettingsReply = {}, .spoiledWrites = 1});
  program.findBox();
  program.connect();
  program.form().BitBtn3->click();
  program.boxes.questions.clear();
  program.boxes.whileOpen = [&] {
    if (program.boxes.questions.back().caption == "Data error!") program.plugIn("RKA-49", {}, 4242);
  };
  program.boxes.queue(Answer::Yes);
  program.send();
  program.ticks(kTicksToCollect);  // the read-back: "Repeat writing?", the device swapped
  program.boxes.whileOpen = {};
  program.ticks(kTicksToCollect);  // the check of the repeat
  EXPECT_EQ(writeFramesSent(program), 1);
  EXPECT_EQ(program.device->writesStored(), 0);
  EXPECT_TRUE(program.form().Label41->text().startsWith(
      "Another device is on the box: product code 7001, serial number 4242"));
}

TEST(OriginQuestion, AFreshTransmitterSendAsksAndCancelSendsNothing) {
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.connect();
  program.boxes.questions.clear();
  const ImageBytes before = program.device->image();

  program.boxes.queue(Answer::Cancel);
  program.form().BitBtn4->click();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  const testing::AskedQuestion& asked = program.boxes.questions[0];
  EXPECT_EQ(asked.acceptCaption, "Write");
  EXPECT_TRUE(asked.text.startsWith(kOriginQuestion)) << asked.text.toStdString();
  EXPECT_TRUE(asked.text.contains("\rTag: TT-101 → \r") || asked.text.endsWith("Tag: TT-101 → "))
      << asked.text.toStdString();
  EXPECT_FALSE(program.state().ReadPending) << "Cancel reads nothing either";
  program.ticks(kTicksToCollect);
  EXPECT_EQ(writeFramesSent(program), 0);
  EXPECT_EQ(program.device->image(), before);
  EXPECT_TRUE(program.form().GroupBox1->isEnabled());
  EXPECT_TRUE(shown(program.form().BitBtn4));

  program.boxes.queue(Answer::Ok);
  program.send();
  program.ticks(kTicksToCollect);
  EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
  EXPECT_EQ(program.device->writesStored(), 1);
}

TEST(OriginQuestion, InPolishTheQuestionAndItsButtonArePolish) {
  SimulatedProgram program("RKA-49", false);
  program.findBox();
  program.connect();
  program.boxes.questions.clear();
  program.boxes.queue(Answer::Cancel);
  program.form().BitBtn4->click();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_TRUE(program.boxes.questions[0].text.startsWith(
      "Zapisać ustawienia, które nie zostały skopiowane z tego urządzenia?"));
  EXPECT_EQ(program.boxes.questions[0].acceptCaption, "Zapisz");
}

// A copy of this device, edited, and a file opened onto it are chosen for it: no question.
TEST(OriginQuestion, ACopyOrAFileOfThisDeviceIsNotAsked) {
  CopiedProgram copied;
  SimulatedProgram& program = copied.program;
  program.send();
  program.ticks(kTicksToCollect);
  EXPECT_TRUE(program.boxes.questions.empty());
  EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
  EXPECT_EQ(program.app.editOrigin().kind, EditOrigin::Kind::DeviceCopy)
      << "a verified write keeps the origin";

  QTemporaryDir folder;
  program.dialogs.fileToSave = folder.filePath("saved.tadj");
  program.app.settingsFiles().saveDeviceSettings();
  program.plugIn("RKA-49", {}, 4242);
  program.form().BitBtn1->click();  // Disconnect
  program.connect();
  program.dialogs.fileToOpen = folder.filePath("saved.tadj");
  program.app.settingsFiles().openSettingsFile();
  EXPECT_EQ(program.app.editOrigin().kind, EditOrigin::Kind::SettingsFile);
  EXPECT_EQ(program.app.editOrigin().serialNumber, 4242);
  program.boxes.questions.clear();
  program.send();
  program.ticks(kTicksToCollect);
  EXPECT_TRUE(program.boxes.questions.empty());
  EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
}

// The replacement done by hand: copy A, read B of the same product code, Send.
TEST(OriginQuestion, ACopyOfAnotherDeviceOfTheSameModelAsks) {
  CopiedProgram copied;
  SimulatedProgram& program = copied.program;
  program.form().BitBtn1->click();  // Disconnect
  program.plugIn("RKA-49", {}, 4242);
  program.connect();
  program.boxes.questions.clear();
  program.boxes.queue(Answer::Cancel);
  program.form().BitBtn4->click();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_TRUE(program.boxes.questions[0].text.contains("Tag: TT-101 → EDITED"))
      << program.boxes.questions[0].text.toStdString();
  EXPECT_EQ(writeFramesSent(program), 0);
}

// The small layouts never reach the question: their Send needs a copy of the device linked now.
TEST(OriginQuestion, TheIndicatorKeepsItsRefusal) {
  SimulatedProgram program("GWA-43");
  program.findBox();
  program.connect();
  program.boxes.questions.clear();
  program.boxes.queue(Answer::Ok);
  program.form().BitBtn4->click();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_EQ(program.boxes.questions[0].caption, "Settings not sent");
}

TEST(OriginQuestion, AnotherModelReadSaysTheGroupHoldsStartValues) {
  for (const bool english : {true, false}) {
    SimulatedProgram program("RKA-49", english);
    program.findBox();
    program.connect();
    EXPECT_EQ(program.form().EditNotice->text(), "") << "the first read is no other model";
    program.form().BitBtn3->click();
    program.form().BitBtn1->click();  // Disconnect
    program.plugIn("RKA-40");
    program.connect();
    EXPECT_EQ(program.form().EditNotice->text(),
              english ? "Another model was read: the editable settings hold start values."
                      : "Odczytano inny model: ustawienia edytowane mają wartości początkowe.");
    EXPECT_EQ(program.app.editOrigin().kind, EditOrigin::Kind::StartValues);
  }
}

TEST(GroupedNumbers, AreNoNumbersAndTheNoticeSaysWhy) {
  struct Case {
    bool comma;
    const char* typed;
    const char* shown;
    const char* notice;
  };
  for (const Case& c : {
           Case{true, "4.000", "0",
                "Temperature offset: \"4.000\" was not read as a number: the decimal separator "
                "is \",\" and digits are not grouped."},
           Case{false, "2,000", "0",
                "Temperature offset: \"2,000\" was not read as a number: the decimal separator "
                "is \".\" and digits are not grouped."},
           Case{false, "0,507", "0.51", "Temperature offset: \"0,507\" changed to 0.51."},
           Case{false, "22,5", "10", "Temperature offset: \"22,5\" changed to 10."},
           Case{true, "-0.5", "-0,5", ""},
       }) {
    SCOPED_TRACE(c.typed);
    const testing::SystemLocale locale(c.comma);
    EditingProgram p("RKA-49");
    p.read();
    EditingProgram::type(p.form().Edit4, c.typed);
    EXPECT_EQ(p.form().Edit4->text().toStdString(), c.shown);
    EXPECT_EQ(p.form().EditNotice->text().toStdString(), c.notice);
  }
}

TEST(GroupedNumbers, InPolishTheNoticeIsPolish) {
  const testing::SystemLocale locale(true);
  EditingProgram p("RKA-49", false);
  p.read();
  EditingProgram::type(p.form().Edit2, "4.000");
  EXPECT_TRUE(p.form().EditNotice->text().endsWith(
      ": „4.000” nie jest liczbą: separatorem dziesiętnym jest „,”, cyfr się nie grupuje."))
      << p.form().EditNotice->text().toStdString();
}

// The box lost during the write: the read-back gets nothing and asks nothing; the link ends with
// the loss said, and the history keeps the write as connection-lost.
TEST(LostBox, DuringAWriteNoRepeatReadingIsAsked) {
  CopiedProgram copied;
  SimulatedProgram& program = copied.program;
  program.form().BitBtn4->click();
  // Once the check read's reply is taken the block is sent, and cut.
  program.port.unplugAfterBytes(program.port.sent().size() + 3 + 3 + 40);
  program.takeTheCheck();
  program.ticks(kTicksToCollect + 1);
  EXPECT_TRUE(program.boxes.questions.empty()) << program.boxes.last().text.toStdString();
  EXPECT_EQ(program.form().Label41->text(), "Connection to the interface box lost.");
  EXPECT_TRUE(shown(program.form().Label41));
  EXPECT_EQ(caption(program.form().BitBtn1), "Connect");
  EXPECT_FALSE(program.writeState().VerifyPending);
}

// No to "Repeat writing?": the first field that differs is named, and it stays through a read.
TEST(NotVerified, NamesTheFieldAndSurvivesReadAgain) {
  SimulatedProgram program("RKA-49");
  program.plugIn("RKA-49", DeviceFaults{.shortSettingsReply = {}, .spoiledWrites = 1});
  program.findBox();
  program.connect();
  program.form().BitBtn3->click();
  program.boxes.questions.clear();
  program.boxes.queue(Answer::No);
  program.send();
  program.ticks(kTicksToCollect);
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  const testing::AskedQuestion& asked = program.boxes.questions[0];
  EXPECT_EQ(asked.buttons, Buttons::YesNo);
  EXPECT_TRUE(asked.details.isEmpty()) << "the fields are in the text itself";
  EXPECT_EQ(asked.text.toStdString(),
            "The device holds other values than were sent:\rFailure indication: sent 3.5 [mA], "
            "read 23 [mA]\r\rRepeat writing?");
  const QString status = "Settings NOT verified: Failure indication: sent 3.5 [mA], read 23 [mA]";
  EXPECT_EQ(program.form().Label41->text(), status);

  program.form().ReadAgainButton->click();
  program.ticks(kTicksToCollect);
  EXPECT_EQ(program.form().Label41->text(), status);
  EXPECT_TRUE(shown(program.form().Label41));
  EditingProgram::type(program.form().Edit4, "1");
  EXPECT_EQ(program.form().Label41->text(), status) << "an edit verifies nothing either";

  program.form().BitBtn3->click();
  EXPECT_FALSE(shown(program.form().Label41)) << "a copy ends it";
}

// The box plugged into another port: Connect searches as Start does and links there.
TEST(ConnectSearchesAgain, WhenThePortInUseIsGone) {
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.port.unplug();
  program.port.plugInElsewhere("/dev/ttyUSB3");
  program.portMap.map = std::vector<SerialPortEntry>{{"usb/ftdi_sio", "/dev/ttyUSB3"}};

  program.boxes.questions.clear();
  program.boxes.queue(Answer::Ok);  // the link prompt
  program.boxes.queue(Answer::Ok);  // the search's plug-in prompt
  program.app.controller().BitBtn1Click();
  program.ticks(kTicksToCollect);
  ASSERT_EQ(program.boxes.questions.size(), 2u);
  EXPECT_EQ(program.boxes.questions[1].caption, "Linking with UX-4235S");
  EXPECT_EQ(program.form().Edit18->text(), "ftdi_sio:/dev/ttyUSB3");
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_EQ(caption(program.form().BitBtn1), "Disconnect");
  QFile ini(program.programDirectory.filePath("T-adjust.ini"));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_TRUE(ini.readAll().contains("ftdi_sio:/dev/ttyUSB3"));
}

}  // namespace
}  // namespace tadjust
