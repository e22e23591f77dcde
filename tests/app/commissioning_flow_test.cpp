// Commissioning from a list through the whole program, on the simulated device in virtual time:
// the list opened, a row entered for each device read, Send, the row verified with its record,
// a device offered twice refused, a failed write, a skipped row, the job resumed by another
// program, a changed list, the summary.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/commissioning_texts.h"
#include "support/csv_reader.h"
#include "support/pdf_text.h"
#include "support/settings_file_fixtures.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;
using F = SettingsField;

constexpr char kVerified[] = "Settings written and verified.";

// The list's folder: two settings files of RKA-49 and a list of four rows, one of them with a
// range of its own and one naming the model.
class ListFolder {
 public:
  ListFolder() {
    testing::writeFile(path("pt100.tadj"),
                       writeSettingsFile(testing::settingsFileOf("RKA-49", 21017)));
    testing::writeFile(path("wide.tadj"),
                       writeSettingsFile(testing::settingsFileOf("RKA-49", 21018, [](auto& s) {
                         setFieldText(s, F::RangeLow, "-50");
                         setFieldText(s, F::RangeHigh, "250");
                         setFieldText(s, F::TemperatureOffset, "0.5");
                       })));
    testing::writeFile(listPath(), list);
  }

  QString path(const QString& name) const { return folder.filePath(name); }
  QString listPath() const { return path("section 4.csv"); }
  QString recordPath(const QString& name) const { return path("section 4-records/" + name); }

  QTemporaryDir folder;
  QByteArray list =
      "tag;settings;model;rangeHigh\n"
      "TT-201;pt100.tadj;;\n"
      "TT-202;pt100.tadj;RKA-49;120\n"
      "TT-203;wide.tadj;;\n"
      "TT-204;wide.tadj;;\n";
};

// A program with the job's list open and the box found.
class Commissioning {
 public:
  explicit Commissioning(ListFolder& folder, bool english = true) : program("RKA-49", english) {
    program.dialogs.fileToOpen = folder.listPath();
    program.form().mainMenu.commissionFromList->trigger();
    program.findBox();
  }

  // Another device of the model behind the box, with its own serial number.
  void putOnTheBox(std::uint16_t serialNumber, const char* model = "RKA-49") {
    const auto simulated = findSimulatedModel(model).value();
    program.device.emplace(simulated.model, makeModelImage(simulated, serialNumber));
  }
  void connect() { program.connect(); }
  void readAgain() {
    program.form().ReadAgainButton->click();
    program.ticks(testing::kTicksToCollect);
  }
  // Send: the check read of the device on the box, then the write and its read-back.
  void send() {
    program.send();
    program.ticks(testing::kTicksToCollect);
  }
  const CommissioningJob& job() { return *program.app.commissioning().job(); }
  CommissioningWindow& window() { return *program.app.commissioning().window(); }
  QString held(SettingsField field) {
    return QString::fromStdString(
        fieldText(decodeSettings(program.app.images(), program.view().model), field));
  }

  SimulatedProgram program;
};

TEST(CommissioningFlow, EachDeviceGetsItsRowIsVerifiedAndRecordedAndIsNotTakenTwice) {
  ListFolder folder;
  Commissioning c(folder);
  ASSERT_NE(c.program.app.commissioning().window(), nullptr);
  EXPECT_EQ(c.window().progress->text(), "0 of 4");
  EXPECT_EQ(c.window().rows->rowCount(), 4);

  c.putOnTheBox(30001);
  c.connect();
  EXPECT_EQ(c.program.form().Edit5->text(), "TT-201");
  const EditOrigin& origin = c.program.app.editOrigin();
  EXPECT_EQ(origin.kind, EditOrigin::Kind::CommissioningRow);
  EXPECT_TRUE(origin.isFor(7001, 30001));
  EXPECT_EQ(origin.rowTag, "TT-201");
  EXPECT_EQ(origin.rowLine, 2);
  c.send();
  ASSERT_EQ(c.program.form().Label41->text(), kVerified);
  EXPECT_EQ(c.job().progress(0).state, RowState::Verified);
  EXPECT_EQ(c.job().progress(0).serialNumber, 30001);
  ASSERT_TRUE(c.program.app.history().flush());
  EXPECT_EQ(c.job().progress(0).historySequence,
            c.program.app.history().lastWriteAnchor()->sequence);
  EXPECT_EQ(c.job().progress(0).historyHash.size(), 64);
  EXPECT_EQ(c.held(F::Tag), "TT-201");
  EXPECT_EQ(c.window().progress->text(), "1 of 4");
  const QString record = folder.recordPath("TT-201-30001.pdf");
  ASSERT_TRUE(QFile::exists(record));
  const QString recordText = testing::pdfText(record);
  EXPECT_TRUE(recordText.contains("TT-201") && recordText.contains("30001"));

  // The same device again: refused, nothing entered for it.
  c.readAgain();
  EXPECT_EQ(c.program.form().Label41->text(), "This device was already commissioned as TT-201.");
  EXPECT_EQ(c.job().progress(1).state, RowState::Waiting);

  // The next device gets the next row, with the row's own range.
  c.putOnTheBox(30002);
  c.readAgain();
  EXPECT_EQ(c.program.form().Edit5->text(), "TT-202");
  c.send();
  ASSERT_EQ(c.program.form().Label41->text(), kVerified);
  EXPECT_EQ(c.held(F::RangeHigh), "120");
  EXPECT_EQ(c.held(F::Tag), "TT-202");
  EXPECT_TRUE(QFile::exists(folder.recordPath("TT-202-30002.pdf")));
  EXPECT_EQ(c.job().progress(1).serialNumber, 30002);

  // Another program opening the same list resumes at the third row.
  ListFolder* same = &folder;
  Commissioning next(*same);
  EXPECT_EQ(next.window().progress->text(), "2 of 4");
  EXPECT_EQ(next.job().progress(1).serialNumber, 30002);
  next.putOnTheBox(30003);
  next.connect();
  EXPECT_EQ(next.program.form().Edit5->text(), "TT-203");
  next.send();
  ASSERT_EQ(next.program.form().Label41->text(), kVerified);
  EXPECT_EQ(next.held(F::RangeLow), "-50");
  EXPECT_EQ(next.held(F::RangeHigh), "250");
  EXPECT_EQ(next.held(F::TemperatureOffset), "0.5");
  // The first program's device is refused by the resumed job too.
  next.putOnTheBox(30001);
  next.readAgain();
  EXPECT_EQ(next.program.form().Label41->text(), "This device was already commissioned as TT-201.");
}

// A row is entered as a settings file is: what validation and the tag's field change is said in
// the notice, the first change in its line, all of them in its tooltip.
TEST(CommissioningFlow, WhatEnteringARowChangedIsSaidAsForASettingsFile) {
  ListFolder folder;
  // A tag the device cannot store as it is refuses the list (docs/commissioning.md); a range
  // beyond the sensor's limits is corrected as for a settings file.
  folder.list = "tag;settings;rangeHigh\nTANK-NORTH;pt100.tadj;5000\n";
  testing::writeFile(folder.listPath(), folder.list);
  Commissioning c(folder);
  c.putOnTheBox(30001);
  c.connect();
  const Form1& f = c.program.form();
  EXPECT_EQ(f.Edit5->text(), "TANK-NORTH");
  const QString said = "Upper range value: \"5000\" changed to 800.";
  EXPECT_TRUE(f.EditNotice->text().endsWith("\n" + said)) << f.EditNotice->text().toStdString();
  EXPECT_EQ(f.EditNotice->toolTip(), said);
  c.send();
  EXPECT_EQ(c.program.form().Label41->text(), kVerified);
  EXPECT_EQ(c.held(F::Tag), "TANK-NORTH");
}

TEST(CommissioningFlow, AFailedWriteLeavesItsRowWaitingWithTheReasonAndASkippedRowIsPassedBy) {
  ListFolder folder;
  Commissioning c(folder);
  c.putOnTheBox(30001);
  c.program.device->faults().spoiledWrites = 1;
  c.connect();
  c.program.boxes.queue(Answer::No);  // "Repeat writing?"
  c.send();
  EXPECT_EQ(c.job().progress(0).state, RowState::Waiting);
  EXPECT_TRUE(c.job().progress(0).failure.startsWith("Settings NOT verified"));
  EXPECT_TRUE(c.window().rows->item(0, 4)->text().startsWith("failed: Settings NOT verified"));
  EXPECT_FALSE(QFile::exists(folder.recordPath("TT-201-30001.pdf")));
  // Sent again, the row is verified after all.
  c.send();
  EXPECT_EQ(c.job().progress(0).state, RowState::Verified);

  // TT-202 skipped: the next device gets TT-203.
  c.window().rows->selectRow(1);
  c.window().skipRow->click();
  EXPECT_EQ(c.job().progress(1).state, RowState::Skipped);
  EXPECT_EQ(c.window().progress->text(), "2 of 4");
  c.putOnTheBox(30002);
  c.readAgain();
  EXPECT_EQ(c.program.form().Edit5->text(), "TT-203");
  // The selected row is entered instead.
  c.window().rows->selectRow(3);
  c.window().enterRow->click();
  EXPECT_EQ(c.program.form().Edit5->text(), "TT-204");
  EXPECT_EQ(c.program.app.editOrigin().rowTag, "TT-204");

  // Closing the job window ends the job: a read enters no row any more.
  c.window().close();
  EXPECT_EQ(c.program.app.commissioning().job(), nullptr);
  c.putOnTheBox(30003);
  c.readAgain();
  EXPECT_EQ(c.program.form().Edit5->text(), "TT-204");
  EXPECT_TRUE(c.program.app.editOrigin().isFor(7001, 30002));
}

// File > Open during a job: a cancelled dialog leaves the row in the group, and its Send verifies
// the row; a file opened takes the group from the row, and its Send verifies no row.
TEST(CommissioningFlow, OnlyAFileOpenedTakesTheGroupFromTheRow) {
  ListFolder folder;
  Commissioning c(folder);
  c.putOnTheBox(30001);
  c.connect();
  ASSERT_EQ(c.program.form().Edit5->text(), "TT-201");

  c.program.dialogs.fileToOpen.clear();  // the user cancels the dialog
  c.program.form().mainMenu.openSettingsFile->trigger();
  EXPECT_EQ(c.program.app.editOrigin().kind, EditOrigin::Kind::CommissioningRow);
  c.send();
  ASSERT_EQ(c.program.form().Label41->text(), kVerified);
  EXPECT_EQ(c.job().progress(0).state, RowState::Verified);

  c.putOnTheBox(30002);
  c.readAgain();
  ASSERT_EQ(c.program.form().Edit5->text(), "TT-202");
  c.program.dialogs.fileToOpen = folder.path("wide.tadj");
  c.program.form().mainMenu.openSettingsFile->trigger();
  EXPECT_EQ(c.program.app.editOrigin().kind, EditOrigin::Kind::SettingsFile);
  c.send();
  ASSERT_EQ(c.program.form().Label41->text(), kVerified);
  EXPECT_EQ(c.held(F::RangeHigh), "250");
  EXPECT_EQ(c.job().progress(1).state, RowState::Waiting);
  EXPECT_EQ(c.window().progress->text(), "1 of 4");
}

TEST(CommissioningFlow, ARowForAnotherModelIsNotEntered) {
  ListFolder folder;
  Commissioning c(folder);
  c.putOnTheBox(30001, "RKA-40");
  c.connect();
  EXPECT_NE(c.program.app.editOrigin().kind, EditOrigin::Kind::CommissioningRow);
  EXPECT_TRUE(
      c.window().status->text().startsWith("Line 2 (TT-201) is for RKA-49; the device "
                                           "on the box is RKA-40."));
}

TEST(CommissioningFlow, AFaultyListIsRefusedWithEveryFaultAndNoJobStarts) {
  ListFolder folder;
  testing::writeFile(folder.listPath(),
                     "tag,settings,rangeHgh\nTT-1,pt100.tadj,\nTT-1,gone.tadj,\n");
  SimulatedProgram program;
  program.dialogs.fileToOpen = folder.listPath();
  program.boxes.queue(Answer::Ok);
  program.form().mainMenu.commissionFromList->trigger();
  EXPECT_EQ(program.app.commissioning().job(), nullptr);
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  const auto& refusal = program.boxes.questions[0];
  EXPECT_EQ(refusal.caption, "Commissioning list refused");
  EXPECT_TRUE(refusal.text.contains("Line 1, column C (rangeHgh): unknown column \"rangeHgh\""))
      << refusal.text.toStdString();
  EXPECT_FALSE(QFile::exists(folder.path("section 4.job.json")));
}

TEST(CommissioningFlow, AChangedListIsRefusedForItsJobAndMayStartANewOne) {
  ListFolder folder;
  {
    Commissioning c(folder);
    c.putOnTheBox(30001);
    c.connect();
    c.send();
    ASSERT_EQ(c.job().progress(0).state, RowState::Verified);
  }
  testing::writeFile(folder.listPath(), folder.list + "TT-205;pt100.tadj;;\n");
  SimulatedProgram program;
  program.dialogs.fileToOpen = folder.listPath();
  program.boxes.queue(Answer::No);
  program.form().mainMenu.commissionFromList->trigger();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_TRUE(program.boxes.questions[0].text.startsWith(
      "section 4.csv has changed since its job was started (1 of 4 rows done)"));
  EXPECT_EQ(program.app.commissioning().job(), nullptr);

  program.boxes.queue(Answer::Yes);
  program.form().mainMenu.commissionFromList->trigger();
  ASSERT_NE(program.app.commissioning().job(), nullptr);
  EXPECT_EQ(program.app.commissioning().job()->rowsDone(), 0u);
  EXPECT_EQ(program.app.commissioning().job()->rowCount(), 5u);
  EXPECT_EQ(QDir(folder.folder.path()).entryList({"section 4.job.json.*.old"}).size(), 1);
}

TEST(CommissioningFlow, TheSummaryIsWrittenAsPdfAndCsvInPolish) {
  ListFolder folder;
  Commissioning c(folder, false);
  c.putOnTheBox(30001);
  c.connect();
  c.send();
  c.program.dialogs.fileToSave = folder.path("summary");
  c.window().summary->click();
  const auto csv = testing::readCsv(QString::fromUtf8([&] {
    QFile file(folder.path("summary.csv"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }()));
  ASSERT_EQ(csv.size(), 5u);
  EXPECT_EQ(csv[1].mid(0, 4), QStringList({"TT-201", "RKA-49", "30001", "verified"}));
  EXPECT_EQ(csv[2][3], "waiting");
  const QString pdf = testing::pdfLines(folder.path("summary.pdf")).join('\n');
  EXPECT_TRUE(pdf.contains("Podsumowanie uruchomienia")) << pdf.toStdString();
  EXPECT_TRUE(pdf.contains("TT-201 RKA-49 30001 zapisane i sprawdzone")) << pdf.toStdString();
}

}  // namespace
}  // namespace tadjust
