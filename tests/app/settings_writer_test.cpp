// The write of the edited settings over a simulated box and device, on virtual time: the bytes
// and pauses on the line, the progress bar, the refusals that send nothing, the read-back that
// agrees (and says so), differs (and is written again) or does not come (and is read again),
// the ticks that arrive while a question is open, and a device lost during the write.

#include "app/settings_writer.h"

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/expected_frames.h"
#include "support/simulated_program.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

using testing::shown;

// A writer on the program's window and exchange with an encode step of the test's own; the
// program's writer has EditedSettings::encodeForWrite. It sends what the step gives.
SettingsWriter writerWith(SimulatedProgram& program, EncodeForWrite encode) {
  return SettingsWriter(
      program.form(),
      {program.app.exchange(), program.boxes, program.events, program.app.history()},
      program.controller(), program.app.images(), program.view(), std::move(encode));
}

class LinkedProgram {
 public:
  explicit LinkedProgram(std::string_view model, bool english = true) : program(model, english) {
    program.findBox();
    program.connect();
    // The settings as read, with a new tag, are what each write sends.
    program.form().BitBtn3->click();
    program.form().Edit5->setText("WRITTEN");
    program.boxes.questions.clear();
  }

  // Presses BitBtn4 as the user does; the device is read once to check it, then the block is
  // sent and the read-back requested.
  void write() { program.send(); }
  // The same, the device's fault set once the check's reply is on its way: it touches the
  // write and its read-back alone.
  void writeWithFault(const std::function<void(DeviceFaults&)>& fault) {
    program.form().BitBtn4->click();
    fault(program.device->faults());
    program.takeTheCheck();
  }

  // The bytes sent and the pauses taken from now on.
  void startRecording() {
    sentBefore = program.port.sent().size();
    program.pause.durations.clear();
  }
  std::vector<std::uint8_t> sentSince() const {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = sentBefore; i < program.port.sent().size(); ++i)
      bytes.push_back(program.port.sent()[i].byte);
    return bytes;
  }

  SimulatedProgram program;
  std::size_t sentBefore = 0;
};

std::vector<Milliseconds> repeated(Milliseconds pause, std::size_t count) {
  return std::vector<Milliseconds>(count, pause);
}

struct FamilyCase {
  const char* model;
  std::uint8_t command;
  std::size_t blockSize;
  std::vector<int> progress;  // the bar's values during the write, then 0 for the read-back
};

TEST(SettingsWriter, SendsTheFrameAndTheBlockWithTheirPausesThenReadsBack) {
  for (const FamilyCase& c : {FamilyCase{"RKA-49", 'W', 192, {10, 20, 35, 50, 60, 0}},
                              FamilyCase{"RQ-117/V", 'W', 192, {10, 20, 35, 50, 60, 0}},
                              FamilyCase{"GWA-43", 'W', 64, {10, 20, 35, 0}},
                              FamilyCase{"ARR/A", 'w', 64, {10, 20, 35, 0}},
                              FamilyCase{"935-JYRA", 'w', 64, {10, 20, 35, 0}}}) {
    SCOPED_TRACE(c.model);
    LinkedProgram linked(c.model);
    SimulatedProgram& program = linked.program;
    Form1& form = program.form();
    form.CheckBox5->setChecked(true);

    std::vector<int> progress;
    QObject::connect(form.ProgressBar1, &QProgressBar::valueChanged,
                     [&progress](int value) { progress.push_back(value); });
    struct AtProcessing {
      QString status;
      int maximum, value;
      bool barShown;
    };
    std::vector<AtProcessing> atProcessing;
    program.events.onProcess = [&] {
      atProcessing.push_back({form.Label41->text(), form.ProgressBar1->maximum(),
                              form.ProgressBar1->value(), shown(form.ProgressBar1)});
    };
    linked.startRecording();
    linked.write();

    std::vector<std::uint8_t> expected = {0, '$', 'R', 0, '$', c.command};
    const Bytes block = testing::expectedOutgoingBlock(c.model, program.app.images());
    ASSERT_EQ(block.size(), c.blockSize);
    expected.insert(expected.end(), block.begin(), block.end());
    expected.insert(expected.end(), {0, '$', 'R'});
    EXPECT_EQ(linked.sentSince(), expected);

    // The check read, then the write.
    std::vector<Milliseconds> pauses = {CommandPause,      CommandPause, CommandPause,
                                        CommandPause,      CommandPause, Milliseconds(1000),
                                        Milliseconds(1000)};
    const auto perByte = repeated(CommandPause, c.blockSize);
    pauses.insert(pauses.end(), perByte.begin(), perByte.end());
    pauses.insert(pauses.end(), {CommandPause, CommandPause, CommandPause});
    EXPECT_EQ(program.pause.durations, pauses);

    // The check read counts its first tick, is whole in the second (the bar full, then 0); the
    // write's bar follows, then the read-back's, whose first step the tick that ended the block
    // counts.
    std::vector<int> expectedProgress = {10, 110, 0};
    expectedProgress.insert(expectedProgress.end(), c.progress.begin(), c.progress.end());
    expectedProgress.push_back(10);
    EXPECT_EQ(progress, expectedProgress);
    // The check read may let the window repaint (a fixed-sensor probe's layout); the write
    // processes pending messages once.
    std::erase_if(atProcessing,
                  [](const AtProcessing& at) { return at.status != "Writing data ..."; });
    ASSERT_EQ(atProcessing.size(), 1u) << "pending messages are processed once";
    EXPECT_EQ(atProcessing[0].status, "Writing data ...");
    EXPECT_EQ(atProcessing[0].maximum, 60);
    EXPECT_EQ(atProcessing[0].value, 0);
    EXPECT_TRUE(atProcessing[0].barShown);

    EXPECT_FALSE(form.CheckBox5->isChecked()) << "monitoring is off for the write";
    EXPECT_FALSE(form.GroupBox1->isEnabled());
    for (const QPushButton* b : {form.BitBtn1, form.BitBtn3, form.BitBtn4})
      EXPECT_FALSE(shown(b)) << b->objectName().toStdString();
    EXPECT_EQ(form.ProgressBar1->maximum(), 110);
    EXPECT_TRUE(program.writeState().VerifyPending);
    EXPECT_TRUE(program.state().ReadPending);
    EXPECT_EQ(form.Label41->text(), "Write verification  ...");

    program.ticks(testing::kTicksToCollect);
    EXPECT_EQ(program.device->writesStored(), 1);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), program.device->image().begin()));
    EXPECT_EQ(form.Edit17->text(), "WRITTEN") << "the device group shows the read-back";
    EXPECT_EQ(form.Label41->text(), "Settings written and verified.");
    EXPECT_TRUE(shown(form.Label41));
    EXPECT_TRUE(form.GroupBox1->isEnabled());
    EXPECT_TRUE(shown(form.BitBtn4));
    EXPECT_EQ(program.boxes.questions.size(), 0u);
  }
}

// Nothing reaches the device, the user reads why, and the window is linked again at once. The
// program's own step never gives a block of another layout; the writer refuses one all the same.
TEST(SettingsWriter, ARefusalSendsNothingAndReturnsToTheLinkedState) {
  struct Case {
    const char* what;
    std::function<EncodeForWrite(SimulatedProgram&)> encode;
    QString text;
  };
  const std::vector<Case> cases = {
      {"the encode step refuses",
       [](SimulatedProgram&) {
         return [] { return EncodedSettings{WriteRefusal{"Edit1 holds no number."}}; };
       },
       "Edit1 holds no number."},
      {"a block of another layout's length",
       [](SimulatedProgram&) {
         return [] { return EncodedSettings{OutgoingBlock{'W', std::vector<std::uint8_t>(64)}}; };
       },
       "The settings prepared for RKA-49 do not fit its memory.\rNothing was sent."},
      {"another layout's command letter",
       [](SimulatedProgram&) {
         return [] { return EncodedSettings{OutgoingBlock{'w', std::vector<std::uint8_t>(192)}}; };
       },
       "The settings prepared for RKA-49 do not fit its memory.\rNothing was sent."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LinkedProgram linked("RKA-49");
    SimulatedProgram& program = linked.program;
    Form1& form = program.form();
    SettingsWriter writer = writerWith(program, c.encode(program));
    const auto blockBefore = program.app.images().TransmitterBlock;
    linked.startRecording();
    program.boxes.queue(Answer::Ok);
    writer.BitBtn4Click();

    EXPECT_TRUE(linked.sentSince().empty());
    EXPECT_TRUE(program.pause.durations.empty());
    EXPECT_EQ(program.app.images().TransmitterBlock, blockBefore);
    ASSERT_EQ(program.boxes.questions.size(), 1u);
    EXPECT_EQ(program.boxes.questions[0].caption, "Settings not sent");
    EXPECT_EQ(program.boxes.questions[0].text, c.text);
    EXPECT_EQ(program.boxes.questions[0].buttons, Buttons::Ok);
    EXPECT_TRUE(form.GroupBox1->isEnabled());
    for (const QPushButton* b : {form.BitBtn1, form.BitBtn3, form.BitBtn4})
      EXPECT_TRUE(shown(b)) << b->objectName().toStdString();
    EXPECT_FALSE(writer.state().VerifyPending);
    EXPECT_FALSE(program.state().ReadPending);
    program.ticks(testing::kTicksToCollect);
    EXPECT_EQ(program.boxes.questions.size(), 1u);
  }
}

TEST(SettingsWriter, PolishTexts) {
  LinkedProgram linked("GWA-43", /*english=*/false);
  SimulatedProgram& program = linked.program;
  std::vector<QString> statuses;
  program.events.onProcess = [&] { statuses.push_back(program.form().Label41->text()); };
  linked.write();
  EXPECT_EQ(statuses, std::vector<QString>{"Zapis danych ..."});
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.form().Label41->text(), "Ustawienia zapisane i sprawdzone.");

  SettingsWriter writer = writerWith(program, [] {
    return EncodedSettings{OutgoingBlock{'w', std::vector<std::uint8_t>(64)}};
  });
  program.boxes.queue(Answer::Ok);
  writer.BitBtn4Click();
  EXPECT_EQ(program.boxes.last().caption, "Ustawienia nie zostały wysłane");
  EXPECT_EQ(program.boxes.last().text,
            "Ustawienia przygotowane dla GWA-43 nie pasują do jego pamięci.\rNiczego nie wysłano.");
}

// The device stores the first write with one byte changed: the read-back differs, Yes writes
// again, and the second read-back agrees.
TEST(SettingsWriter, AStoredWrongWriteIsOfferedAgainAndTheSecondIsVerified) {
  LinkedProgram linked("RKN-40F3");
  SimulatedProgram& program = linked.program;
  program.device->faults().spoiledWrites = 1;
  linked.write();
  program.boxes.queue(Answer::Yes);
  linked.startRecording();
  // The read-back is whole within the second tick; Yes checks the device again at once.
  program.ticks(2);

  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_EQ(program.boxes.questions[0].caption, "Data error!");
  EXPECT_TRUE(program.boxes.questions[0].text.endsWith("\r\rRepeat writing?"));
  EXPECT_EQ(program.device->writesStored(), 1) << "Yes checks the device first";
  EXPECT_EQ(linked.sentSince(), (std::vector<std::uint8_t>{0, '$', 'R'}));
  program.takeTheCheck();
  EXPECT_EQ(program.device->writesStored(), 2) << "Yes wrote again";
  const std::vector<std::uint8_t> sent = linked.sentSince();
  ASSERT_GE(sent.size(), 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(sent.begin() + 3, sent.begin() + 6),
            (std::vector<std::uint8_t>{0, '$', 'W'}));
  EXPECT_TRUE(program.writeState().VerifyPending);
  EXPECT_NE(program.form().Label41->text(), "Settings written and verified.");

  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
  const auto& block = program.app.images().TransmitterBlock;
  EXPECT_TRUE(std::equal(block.begin(), block.end(), program.device->image().begin()));
}

// The box lost in the middle of a write ends the link without a question: no read can come from
// the closed port, and the window offers Connect, not Send.
TEST(SettingsWriter, ABoxLostDuringTheWriteEndsTheLinkWithoutAQuestion) {
  LinkedProgram linked("ARR/V");
  SimulatedProgram& program = linked.program;
  Form1& form = program.form();
  // The check read, the write's command and 30 bytes of its block.
  program.port.unplugAfterBytes(program.device->bytesReceived() + 3 + 3 + 30);
  linked.write();
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.device->writesStored(), 0);
  EXPECT_TRUE(program.boxes.questions.empty());
  EXPECT_FALSE(program.writeState().VerifyPending);
  EXPECT_FALSE(program.state().ReadPending);
  EXPECT_FALSE(program.state().DeviceLinked);
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_FALSE(shown(form.BitBtn3));
  EXPECT_FALSE(shown(form.BitBtn4));
  EXPECT_FALSE(shown(form.GroupBox1));
  EXPECT_FALSE(shown(form.ProgressBar1));
  EXPECT_EQ(form.Label41->text(), "Connection to the interface box lost.");
  EXPECT_TRUE(shown(form.Label41));
  program.ticks(30);  // the status stays until a button is pressed
  EXPECT_EQ(form.Label41->text(), "Connection to the interface box lost.");
  EXPECT_TRUE(program.boxes.questions.empty());
}

// The news of a verified write stays until the next press of any action button.
TEST(SettingsWriter, TheVerifiedTextStaysUntilTheNextButtonPress) {
  for (const char* button : {"BitBtn1", "BitBtn3", "BitBtn4"}) {
    SCOPED_TRACE(button);
    LinkedProgram linked("RKA-49");
    SimulatedProgram& program = linked.program;
    Form1& form = program.form();
    linked.write();
    program.ticks(testing::kTicksToCollect);
    program.ticks(30);  // the timer alone changes nothing
    ASSERT_EQ(form.Label41->text(), "Settings written and verified.");
    ASSERT_TRUE(shown(form.Label41));

    // Send refuses: nothing is selected in "Filter time constant".
    form.ComboBox3->setCurrentIndex(-1);
    program.boxes.queue(Answer::Ok);
    form.findChild<QPushButton*>(button)->click();
    EXPECT_FALSE(shown(form.Label41) && form.Label41->text() == "Settings written and verified.");
  }
}

// The news of a verified write ends at the user's first change to the editable group: the group
// no longer shows what was verified.
TEST(SettingsWriter, TheVerifiedTextEndsAtTheFirstChangeToTheGroup) {
  struct Change {
    const char* what;
    std::function<void(Form1&)> make;
  };
  const Change changes[] = {
      {"a key in a box", [](Form1& f) { QTest::keyClick(f.Edit5, Qt::Key_X); }},
      {"a choice", [](Form1& f) { emit f.ComboBox3->activated(f.ComboBox3->currentIndex()); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    LinkedProgram linked("RKA-49");
    Form1& form = linked.program.form();
    linked.write();
    linked.program.ticks(testing::kTicksToCollect);
    ASSERT_EQ(form.Label41->text(), "Settings written and verified.");
    ASSERT_TRUE(shown(form.Label41));
    change.make(form);
    EXPECT_FALSE(shown(form.Label41));
  }
}

// No to "Repeat writing?" leaves the write said as not verified, naming the first field that
// differs as the question names it, until the next write, copy or Disconnect.
TEST(SettingsWriter, NoToRepeatWritingSaysTheWriteIsNotVerified) {
  for (const bool english : {true, false}) {
    SCOPED_TRACE(english ? "en" : "pl");
    LinkedProgram linked("RKA-49", english);
    SimulatedProgram& program = linked.program;
    Form1& form = program.form();
    program.device->faults().spoiledWrites = 1;
    linked.write();
    program.boxes.queue(Answer::No);
    program.ticks(testing::kTicksToCollect);
    ASSERT_EQ(program.boxes.questions.size(), 1u);
    // The list's entries as a document words them: the language's decimal separator.
    const auto inDocument = [english](QString entry) {
      return english ? entry.replace(QLatin1Char(','), QLatin1Char('.'))
                     : entry.replace(QLatin1Char('.'), QLatin1Char(','));
    };
    const QString failure = inDocument(form.ComboBox5->itemText(0));
    const QString other = inDocument(form.ComboBox5->itemText(1));
    const QString shownFailure = inDocument(form.Edit16->text());
    const QString difference =
        QString(english ? "Failure indication: sent %1 [mA], read %2 [mA]"
                        : "Sygnalizacja błędu: wysłano %1 [mA], odczytano %2 [mA]")
            .arg(shownFailure == failure ? other : failure, shownFailure);
    EXPECT_EQ(program.boxes.questions[0].text,
              QString(english ? "The device holds other values than were sent:\r%1\r\rRepeat "
                                "writing?"
                              : "Urządzenie zawiera inne wartości niż wysłane:\r%1\r\rCzy "
                                "powtórzyć zapis?")
                  .arg(difference));
    EXPECT_TRUE(program.boxes.questions[0].details.isEmpty());
    const QString notVerified =
        (english ? "Settings NOT verified: " : "Ustawienia NIEPOTWIERDZONE: ") + difference;
    EXPECT_EQ(form.Label41->text(), notVerified);
    program.ticks(30);
    QTest::keyClick(form.Edit5, Qt::Key_X);
    EXPECT_EQ(form.Label41->text(), notVerified);
    EXPECT_TRUE(shown(form.Label41));
    form.BitBtn3->click();
    EXPECT_FALSE(shown(form.Label41));
  }
}

// An RKA-49 linked, its settings read: each test sends them and follows the read-back.
class Linked : public ::testing::Test {
 protected:
  LinkedProgram linked{"RKA-49"};
  SimulatedProgram& program = linked.program;
};

TEST_F(Linked, ReadBackEqualToTheBlockAsksNothing) {
  linked.write();
  EXPECT_EQ(program.form().Label41->text(), "Write verification  ...");
  const std::size_t asked = program.boxes.questions.size();
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.boxes.questions.size(), asked);
  EXPECT_EQ(program.device->writesStored(), 1) << "nothing was written again";
  EXPECT_FALSE(program.writeState().VerifyPending);
  EXPECT_TRUE(program.form().GroupBox1->isEnabled());
  EXPECT_TRUE(shown(program.form().BitBtn4));
}

TEST_F(Linked, ReadBackThatDiffersOffersToWriteAgain) {
  for (Answer answer : {Answer::Yes, Answer::No}) {
    SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
    program.device->faults().spoiledWrites = 1;  // the read-back differs from the block sent
    linked.write();
    // What the read-back left when it asked; Yes then writes again.
    bool verifyPending = true;
    bool groupEnabled = false;
    int storedWhenAsked = 0;
    program.boxes.whileOpen = [&] {
      verifyPending = program.writeState().VerifyPending;
      groupEnabled = program.form().GroupBox1->isEnabled();
      storedWhenAsked = program.device->writesStored();
    };
    program.boxes.queue(answer);
    program.ticks(testing::kTicksToCollect);
    program.boxes.whileOpen = nullptr;
    EXPECT_EQ(program.boxes.last().caption, "Data error!");
    EXPECT_TRUE(program.boxes.last().text.endsWith("Repeat writing?"));
    EXPECT_EQ(program.boxes.last().buttons, Buttons::YesNo);
    EXPECT_FALSE(verifyPending);
    EXPECT_TRUE(groupEnabled);
    if (answer == Answer::Yes) {
      program.ticks(testing::kTicksToCollect);  // the check of the device, then the write again
      program.ticks(testing::kTicksToCollect);  // its read-back
    }
    EXPECT_EQ(program.device->writesStored() - storedWhenAsked, answer == Answer::Yes ? 1 : 0);
  }
}

TEST_F(Linked, NoReadBackAsksToReadAgainAndYesReadsAgain) {
  // The read-back gets no reply.
  linked.writeWithFault([](DeviceFaults& faults) { faults.shortSettingsReply = 0; });
  // The user mends the line while the question is open.
  program.boxes.whileOpen = [&] { program.device->faults().shortSettingsReply.reset(); };
  program.boxes.queue(Answer::Yes);
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(program.boxes.last().caption, "Data error!");
  EXPECT_EQ(program.boxes.last().text, "Repeat reading?");
  EXPECT_TRUE(program.state().ReadPending);
  EXPECT_TRUE(program.writeState().VerifyPending);
  EXPECT_EQ(program.form().Label41->text(), "Write verification  ...");

  program.ticks(testing::kTicksToCollect);
  EXPECT_FALSE(program.writeState().VerifyPending);
  EXPECT_TRUE(program.form().GroupBox1->isEnabled());
  EXPECT_TRUE(shown(program.form().BitBtn3));
}

// No to "Repeat reading?" brings back the linked state, so the user can go on.
TEST_F(Linked, NoToReadingAgainReturnsToTheLinkedState) {
  linked.writeWithFault([](DeviceFaults& faults) { faults.silentDevice = true; });
  program.boxes.queue(Answer::No);
  program.ticks(testing::kTicksToCollect);
  EXPECT_FALSE(program.state().ReadPending);
  EXPECT_FALSE(program.writeState().VerifyPending);
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_TRUE(program.form().GroupBox1->isEnabled());
  for (const QPushButton* b :
       {program.form().BitBtn1, program.form().BitBtn3, program.form().BitBtn4})
    EXPECT_TRUE(shown(b)) << b->objectName().toStdString();
  EXPECT_EQ(caption(program.form().BitBtn1), "Disconnect");
}

// Ticks keep coming while a dialog is open: they must find nothing pending.
TEST_F(Linked, TicksInsideTheRetryDialogFindNothingPending) {
  linked.writeWithFault([](DeviceFaults& faults) { faults.silentDevice = true; });
  int ticksInside = 0;
  program.boxes.whileOpen = [&] {
    for (int i = 0; i < 15; ++i, ++ticksInside) program.tick();
  };
  program.boxes.queue(Answer::No);
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(ticksInside, 15);
  EXPECT_EQ(program.boxes.last().text, "Repeat reading?");
  EXPECT_EQ(program.boxes.answersLeft(), 0u) << "the dialog was shown once";
}

}  // namespace
}  // namespace tadjust
