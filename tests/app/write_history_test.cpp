// The write history through the whole program on the simulated device: a verified write, a
// stored-wrong write answered No and a write lost to an unplug each leave a row with the right
// outcome and bytes; t-adjust-history checks that file and names the row a tamperer changed or
// removed with the sqlite3 shell; a history that cannot be written never costs the write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>

#include "history/field_changes.h"
#include "history/history_database.h"
#include "support/csv_reader.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

const QString kVerified = "Settings written and verified.";

QByteArray bytesOf(ConstBytes bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

struct ToolRun {
  int exitCode = -1;
  QString output;
};

ToolRun runProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  process.waitForFinished(30000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAll())};
}

ToolRun historyTool(const QStringList& arguments) {
  return runProgram(QStringLiteral(TADJUST_HISTORY_TOOL), arguments);
}

// A program linked to a device and copied for editing, with the tag changed: each write sends it.
class WritingProgram {
 public:
  explicit WritingProgram(std::string_view model = "RKA-49", bool english = true)
      : program(model, english) {
    program.findBox();
    program.connect();
    program.form().BitBtn3->click();
    program.form().Edit5->setText("TT-202");
    program.boxes.questions.clear();
  }

  // One press of Send and the ticks of its read-back; what the image was before, and the bytes
  // the simulated device received after the write command.
  struct Written {
    QByteArray asFound;
    QByteArray received;
  };
  Written write() {
    Written written{bytesOf(program.app.images().SettingsImage), {}};
    const std::size_t before = program.port.sent().size();
    program.send();
    program.ticks(testing::kTicksToCollect);
    const auto& sent = program.port.sent();
    // The check read's 0, "$", "R", then the write's 0, "$", "W".
    constexpr std::size_t kBeforeTheBlock = 3 + 3;
    for (std::size_t i = before + kBeforeTheBlock; i < sent.size() && written.received.size() < 192;
         ++i)
      written.received.append(static_cast<char>(sent[i].byte));
    return written;
  }

  std::vector<history::WriteRow> rows() {
    history::HistoryDatabase database;
    EXPECT_TRUE(database.openReadOnly(program.historyPath()).readable);
    history::RowFilter oldestFirst;
    oldestFirst.newestFirst = false;
    return database.rows(oldestFirst).value_or(std::vector<history::WriteRow>{});
  }

  SimulatedProgram program;
};

// The three ways a write ends that the issue names, in one file; then the tool on it.
TEST(WriteHistory, EachWriteLeavesARowWithItsOutcomeAndBytesAndTheToolChecksTheChain) {
  WritingProgram writing;
  SimulatedProgram& program = writing.program;

  const WritingProgram::Written verified = writing.write();
  ASSERT_EQ(program.form().Label41->text(), kVerified);
  const QByteArray storedAfterFirst = bytesOf(program.device->image());

  program.device->faults().spoiledWrites = 1;
  program.boxes.queue(Answer::No);  // "Repeat writing?"
  const WritingProgram::Written storedWrong = writing.write();
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  const QByteArray storedAfterSecond = bytesOf(program.device->image());

  // The check read, the write's command, 30 bytes of the block; no question follows on a lost box.
  program.port.unplugAfterBytes(program.device->bytesReceived() + 3 + 3 + 30);
  const WritingProgram::Written lost = writing.write();
  const QByteArray block = bytesOf(program.app.images().TransmitterBlock);

  const std::vector<history::WriteRow> rows = writing.rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].outcome, "verified");
  EXPECT_EQ(rows[0].asFound, verified.asFound);
  EXPECT_EQ(rows[0].sent, verified.received);
  EXPECT_EQ(rows[0].asLeft, storedAfterFirst);
  EXPECT_EQ(rows[0].model, "RKA-49");
  EXPECT_EQ(rows[0].serialNumber, program.writeState().writtenDevice.serialNumber);
  EXPECT_EQ(rows[0].tag, "TT-202");
  EXPECT_EQ(rows[0].port, program.form().Edit18->text());
  const std::vector<history::FieldChange> changes = history::changesOf(rows[0].changes);
  ASSERT_EQ(changes.size(), 1u) << rows[0].changes.toStdString();
  EXPECT_EQ(changes[0].field, "tag");
  EXPECT_EQ(changes[0].before, "TT-101");
  EXPECT_EQ(changes[0].after, "TT-202");
  EXPECT_EQ(history::changesOf(rows[1].changes).size(), 0u) << "the same settings again";

  EXPECT_EQ(rows[1].outcome, "stored-wrong");
  EXPECT_EQ(rows[1].asFound, storedWrong.asFound);
  EXPECT_EQ(rows[1].asFound, storedAfterFirst) << "this link's last read: the verification read";
  EXPECT_EQ(rows[1].sent, storedWrong.received);
  EXPECT_EQ(rows[1].asLeft, storedAfterSecond);
  EXPECT_NE(storedAfterSecond.left(192), storedWrong.received);

  EXPECT_EQ(rows[2].outcome, "connection-lost");
  EXPECT_EQ(rows[2].asFound, lost.asFound);
  EXPECT_EQ(rows[2].sent, block);
  EXPECT_TRUE(block.startsWith(lost.received)) << "the device received the block's start";
  EXPECT_LT(lost.received.size(), block.size());
  EXPECT_FALSE(rows[2].asLeft.has_value());
  for (const history::WriteRow& row : rows) EXPECT_EQ(row.sequence, row.id);

  const QString file = program.historyPath();
  const ToolRun holds = historyTool({"--db", file, "verify"});
  EXPECT_EQ(holds.exitCode, 0) << holds.output.toStdString();
  EXPECT_TRUE(holds.output.startsWith("ok: 3 rows\n")) << holds.output.toStdString();
  EXPECT_TRUE(holds.output.contains(*rows[2].hash));

  const ToolRun listed =
      historyTool({"--db", file, "list", "--serial", QString::number(rows[0].serialNumber)});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_EQ(listed.output.count('\n'), 3) << listed.output.toStdString();
  EXPECT_TRUE(listed.output.contains("stored-wrong"));
  EXPECT_EQ(historyTool({"--db", file, "list", "--serial", "1"}).output, "");

  const ToolRun exported = historyTool({"--db", file, "export-csv"});
  const std::vector<QStringList> records = testing::readCsv(exported.output);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[3][13], "connection-lost");
  EXPECT_EQ(QByteArray::fromHex(records[1][16].toLatin1()), storedAfterFirst);

  // One byte of the second row's as_left changed in the sqlite3 shell.
  const QString changed = QDir(program.programDirectory.path()).filePath("changed.sqlite");
  ASSERT_TRUE(QFile::copy(file, changed));
  QByteArray tampered = *rows[1].asLeft;
  tampered[40] = static_cast<char>(tampered[40] ^ 0x01);
  ASSERT_EQ(runProgram("sqlite3", {changed, QStringLiteral("UPDATE writes SET as_left = X'%1' "
                                                           "WHERE id = 2")
                                                .arg(QString::fromLatin1(tampered.toHex()))})
                .exitCode,
            0);
  const ToolRun brokenByChange = historyTool({"--db", changed, "verify"});
  EXPECT_EQ(brokenByChange.exitCode, 1);
  EXPECT_TRUE(brokenByChange.output.contains("row 2 (id 2)"))
      << brokenByChange.output.toStdString();

  // The second row deleted: the chain breaks at the row after it.
  const QString deleted = QDir(program.programDirectory.path()).filePath("deleted.sqlite");
  ASSERT_TRUE(QFile::copy(file, deleted));
  ASSERT_EQ(runProgram("sqlite3", {deleted, "DELETE FROM writes WHERE id = 2"}).exitCode, 0);
  const ToolRun brokenByDeletion = historyTool({"--db", deleted, "verify"});
  EXPECT_EQ(brokenByDeletion.exitCode, 1);
  EXPECT_TRUE(brokenByDeletion.output.contains("row 3 (id 3)"))
      << brokenByDeletion.output.toStdString();
}

TEST(WriteHistory, TheToolSaysBadArgumentsAndUnreadableFiles) {
  QTemporaryDir folder;
  QFile notADatabase(folder.filePath("notes.sqlite"));
  ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
  notADatabase.write(QByteArray("plain text, not a database\n").repeated(100));
  notADatabase.close();
  for (const QStringList& arguments :
       {QStringList{}, QStringList{"check"}, QStringList{"list", "--serial", "x"},
        QStringList{"verify", "--serial", "5"}, QStringList{"--db"},
        QStringList{"--db", folder.filePath("missing.sqlite"), "verify"},
        QStringList{"--db", notADatabase.fileName(), "list"}}) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const ToolRun run = historyTool(arguments);
    EXPECT_EQ(run.exitCode, 2) << run.output.toStdString();
    EXPECT_FALSE(run.output.isEmpty());
  }
}

// "Repeat writing?" answered Yes: the stored-wrong write is closed, and the write again is a row
// of its own.
TEST(WriteHistory, AWriteAgainAfterYesIsARowOfItsOwn) {
  WritingProgram writing;
  writing.program.device->faults().spoiledWrites = 1;
  writing.program.boxes.queue(Answer::Yes);
  writing.write();
  writing.program.ticks(testing::kTicksToCollect);  // the check before the write again
  writing.program.ticks(testing::kTicksToCollect);  // its read-back
  ASSERT_EQ(writing.program.form().Label41->text(), kVerified);
  const std::vector<history::WriteRow> rows = writing.rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].outcome, "stored-wrong");
  EXPECT_EQ(rows[1].outcome, "verified");
  EXPECT_EQ(rows[1].asFound, *rows[0].asLeft);
}

// A program that ended during a write left its row open: the next start completes it as
// interrupted. A row of a program still running (a second window) is left to it.
TEST(WriteHistory, ARowLeftOpenByAnEndedProgramIsCompletedAsInterruptedAtStart) {
  SimulatedProgram program;
  QProcess ended;
  ended.start("true", {});
  ASSERT_TRUE(ended.waitForStarted());
  const qint64 endedProcess = ended.processId();
  ASSERT_TRUE(ended.waitForFinished());
  {
    history::HistoryDatabase database;
    ASSERT_TRUE(
        database.openForRecording(program.historyPath(), QDateTime::currentDateTimeUtc()).writable);
    history::WriteRow row;
    row.writtenAt = history::historyTime(QDateTime::currentDateTimeUtc());
    row.host = QSysInfo::machineHostName();
    row.asFound = QByteArray(256, '\0');
    row.sent = QByteArray(192, '\0');
    row.changes = "[]";
    row.processId = endedProcess;
    ASSERT_TRUE(database.insertOpen(row));
    row.processId = getppid();  // still running
    ASSERT_TRUE(database.insertOpen(row));
  }
  program.app.history().open();
  history::HistoryDatabase database;
  ASSERT_TRUE(database.openReadOnly(program.historyPath()).readable);
  EXPECT_EQ(database.row(1)->outcome, "interrupted");
  EXPECT_EQ(database.row(1)->sequence, 1);
  EXPECT_TRUE(database.row(2)->isOpen());
  EXPECT_TRUE(database.checkChain()->holds());
}

struct Fault {
  const char* name;
  bool english;
  std::function<void(const QString& folder)> prepare;
  const char* news;  // the start of the line that follows the outcome
};

class HistoryFault : public ::testing::TestWithParam<Fault> {};

// The write goes through and is verified; the window says what became of the history.
TEST_P(HistoryFault, NeverCostsTheWrite) {
  const Fault& fault = GetParam();
  WritingProgram writing("RKA-49", fault.english);
  SimulatedProgram& program = writing.program;
  fault.prepare(program.historyFolder());
  const QByteArray before = [&] {
    QFile file(program.historyPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  writing.write();

  EXPECT_EQ(program.device->writesStored(), 1);
  EXPECT_TRUE(program.boxes.questions.empty());
  // Label41 keeps the outcome; EditNotice says what became of the history.
  EXPECT_EQ(program.form().Label41->text(),
            fault.english ? kVerified : "Ustawienia zapisane i sprawdzone.");
  EXPECT_FALSE(program.form().Label41->isHidden());
  const QString notice = program.form().EditNotice->text();
  EXPECT_TRUE(notice.startsWith(QString::fromUtf8(fault.news))) << notice.toStdString();
  EXPECT_FALSE(notice.contains('\n')) << notice.toStdString();

  if (!before.isEmpty()) {
    // The damaged file is kept aside as it was; the write is in a new one.
    const QStringList aside =
        QDir(program.historyFolder()).entryList({"history.sqlite.corrupt-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    QFile kept(QDir(program.historyFolder()).filePath(aside[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
    EXPECT_TRUE(notice.contains(aside[0]));
    ASSERT_EQ(writing.rows().size(), 1u);
    EXPECT_EQ(writing.rows()[0].outcome, "verified");

    // Said once: the next write says only its outcome.
    writing.write();
    EXPECT_EQ(program.form().Label41->text(), kVerified);
    EXPECT_EQ(program.form().EditNotice->text(), "");
  }
}

void makeFolderAFile(const QString& folder) {
  QFile file(folder);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void damageFile(const QString& folder) {
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile file(QDir(folder).filePath("history.sqlite"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("this is no database ").repeated(300));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HistoryFault,
    ::testing::Values(Fault{"UnwritableFolder", true, makeFolderAFile,
                            "Write history unavailable: "},
                      Fault{"UnwritableFolderPolish", false, makeFolderAFile,
                            "Historia zapisów niedostępna: nie można zapisać "},
                      Fault{"CorruptFile", true, damageFile,
                            "The write history file was damaged: it is kept as "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tadjust
