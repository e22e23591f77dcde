// The write history through the whole program on the simulated device: a verified write, a
// stored-wrong write answered No and a write lost to an unplug each leave a write with the right
// outcome and bytes; an other-device write is found by the answering serial number;
// t-adjust-history checks that file, names the entry a tamperer changed or removed, and finds a
// cut tail through an anchor; the program never completes a write it did not open, nor seals one
// a tamperer changed; a completion that meets a locked file is kept and stored once the lock
// goes, while the window answers; a history that cannot be written never costs the write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTimer>

#include "app/history_window.h"
#include "history/field_changes.h"
#include "history/history_csv.h"
#include "history/history_database.h"
#include "sim/model_images.h"
#include "support/csv_reader.h"
#include "support/program_run.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::historyTool;
using testing::ProgramRun;
using testing::runProgram;
using testing::SimulatedProgram;

const QString kWrittenAndVerified = "Settings written and verified.";

QByteArray bytesOf(ConstBytes bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
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
    EXPECT_TRUE(program.app.history().flush());
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
  ASSERT_EQ(program.form().Label41->text(), kWrittenAndVerified);
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
  for (const history::WriteRow& row : rows) {
    EXPECT_EQ(row.openingSequence, 2 * row.id - 1);
    EXPECT_EQ(row.sequence, 2 * row.id) << "each completion follows its opening";
  }
  ASSERT_TRUE(program.app.history().lastWriteAnchor());
  EXPECT_EQ(program.app.history().lastWriteAnchor()->sequence, 6);
  EXPECT_EQ(program.app.history().lastWriteAnchor()->hash, rows[2].hash);

  const QString file = program.historyPath();
  const ProgramRun holds = historyTool({"--db=" + file, "verify"});
  EXPECT_EQ(holds.exitCode, 0) << holds.output.toStdString();
  EXPECT_EQ(holds.output, "ok: 6 entries, 3 writes\nlast entry: 6:" + *rows[2].hash + "\n");

  const ProgramRun listed =
      historyTool({"--db", file, "list", "--serial", QString::number(rows[0].serialNumber)});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_EQ(listed.output.count('\n'), 3) << listed.output.toStdString();
  EXPECT_TRUE(listed.output.contains("stored-wrong"));
  EXPECT_EQ(historyTool({"--db", file, "list", "--serial", "1"}).output, "");

  const ProgramRun exported = historyTool({"--db", file, "export-csv"});
  const std::vector<QStringList> records = testing::readCsv(exported.output);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[3][13], "connection-lost");
  EXPECT_EQ(QByteArray::fromHex(records[1][16].toLatin1()), storedAfterFirst);

  // The tail cut (the last completion deleted): the chain that is left holds, the anchor noted
  // from verify does not.
  const QString cut = QDir(program.programDirectory.path()).filePath("cut.sqlite");
  ASSERT_TRUE(QFile::copy(file, cut));
  ASSERT_EQ(runProgram("sqlite3", {cut, "DELETE FROM completions WHERE sequence = 6"}).exitCode, 0);
  EXPECT_EQ(historyTool({"--db", cut, "verify"}).exitCode, 0);
  const QString anchor = "6:" + *rows[2].hash;
  const ProgramRun anchored =
      historyTool({"--db", cut, "verify", "--anchor", anchor, "--anchor", "2:" + *rows[0].hash});
  EXPECT_EQ(anchored.exitCode, 1) << anchored.output.toStdString();
  EXPECT_TRUE(anchored.output.contains("anchor " + anchor + ": not held: the file has no entry 6"))
      << anchored.output.toStdString();
  EXPECT_TRUE(anchored.output.contains("anchor 2:" + *rows[0].hash + ": held"));
  EXPECT_EQ(historyTool({"--db", file, "verify", "--anchor", anchor}).exitCode, 0);

  // One byte of the second write's as_left changed in the sqlite3 shell.
  const QString changed = QDir(program.programDirectory.path()).filePath("changed.sqlite");
  ASSERT_TRUE(QFile::copy(file, changed));
  QByteArray tampered = *rows[1].asLeft;
  tampered[40] = static_cast<char>(tampered[40] ^ 0x01);
  ASSERT_EQ(runProgram("sqlite3", {changed, QStringLiteral("UPDATE completions SET as_left = "
                                                           "X'%1' WHERE write_id = 2")
                                                .arg(QString::fromLatin1(tampered.toHex()))})
                .exitCode,
            0);
  const ProgramRun brokenByChange = historyTool({"--db", changed, "verify"});
  EXPECT_EQ(brokenByChange.exitCode, 1);
  EXPECT_EQ(brokenByChange.output,
            "broken: entry 4 (the completion of write 2): its contents do not give its hash\n");
}

// The tool's argument table: what it takes, and what it refuses with a message naming why.
TEST(WriteHistory, TheToolSaysBadArgumentsAndUnreadableFiles) {
  QTemporaryDir folder;
  QFile notADatabase(folder.filePath("notes.sqlite"));
  ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
  notADatabase.write(QByteArray("plain text, not a database\n").repeated(100));
  notADatabase.close();
  const QString history = folder.filePath("history.sqlite");
  {
    history::HistoryDatabase database;
    ASSERT_TRUE(database.openForRecording(history, QDateTime::currentDateTimeUtc()).writable);
  }
  struct Case {
    QStringList arguments;
    int exitCode;
    QString says;  // in the output
  };
  const QString hash(64, 'a');
  for (const Case& c : std::vector<Case>{
           {{"--help"}, 0, "usage: t-adjust-history"},
           {{"list", "-h"}, 0, "--anchor SEQ:HASH"},
           {{"--db=" + history, "list"}, 0, ""},
           {{"verify", "--db", history}, 0, "ok: 0 entries, 0 writes"},
           {{"--db", history, "list", "--serial", "0"}, 0, ""},
           {{}, 2, "no command given"},
           {{"check"}, 2, "no command \"check\""},
           {{"list", "verify"}, 2, "one command only"},
           {{"list", "--serial", "x"}, 2, "not \"x\""},
           {{"list", "--serial", "-5"}, 2, "not \"-5\""},
           {{"list", "--serial", "5", "--serial", "6"}, 2, "--serial is given more than once"},
           {{"--db", history, "--db", history, "list"}, 2, "--db is given more than once"},
           {{"verify", "--serial", "5"}, 2, "--serial does not apply to verify"},
           {{"list", "--anchor", "1:" + hash}, 2, "--anchor does not apply to list"},
           {{"verify", "--anchor", "1:abc"}, 2, "--anchor takes SEQ:HASH"},
           {{"verify", "--anchor", "0:" + hash}, 2, "--anchor takes SEQ:HASH"},
           {{"--db"}, 2, "--db needs FILE"},
           {{"--dbx", history, "list"}, 2, "no option \"--dbx\""},
           {{"--help=1"}, 2, "--help takes no value"},
           {{"--db", folder.filePath("missing.sqlite"), "verify"},
            2,
            folder.filePath("missing.sqlite") + ": no such file"},
           {{"--db", folder.path(), "verify"},
            2,
            folder.path() + ": is a folder, not a write history file"},
           {{"--db", notADatabase.fileName(), "list"},
            2,
            notADatabase.fileName() + ": not an SQLite database"},
       }) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const ProgramRun run = historyTool(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(c.says)) << run.output.toStdString();
    EXPECT_EQ(run.output.count(folder.path()), c.says.count(folder.path()))
        << "the path is named once";
  }
}

// The tag a device carries is data anyone with a box can set: the CSV of the tool and of the
// window begin such a cell with an apostrophe.
TEST(WriteHistory, TagsThatASpreadsheetWouldRunAreExportedAsText) {
  for (const char* tag : {"=1+2", "+1+2", "-1+2", "@SUM(1"}) {
    SCOPED_TRACE(tag);
    WritingProgram writing;
    writing.program.form().Edit5->setText(tag);
    writing.write();
    const std::vector<history::WriteRow> rows = writing.rows();
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].tag, tag);
    const QString guarded = QStringLiteral("'") + tag;

    const ProgramRun exported = historyTool({"--db", writing.program.historyPath(), "export-csv"});
    EXPECT_EQ(testing::readCsv(exported.output).at(1).at(12), guarded);

    HistoryWindow& window = writing.program.app.openWriteHistory();
    const QString csv = writing.program.programDirectory.filePath("export.csv");
    writing.program.dialogs.fileToSave = csv;
    window.exportButton->click();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(testing::readCsv(QString::fromUtf8(file.readAll())).at(1).at(12), guarded);
  }
}

// The read-back answered by another device (swapped behind the box after the block was sent):
// the write is found by either serial number, in the tool, the CSV and the window.
TEST(WriteHistory, AnOtherDeviceWriteIsFoundByTheAnsweringSerialNumber) {
  WritingProgram writing;
  SimulatedProgram& program = writing.program;
  constexpr std::uint16_t kAnswering = 8002;
  // Another device is behind the box as soon as the block is stored.
  program.device->setLog([&program](const std::string& line) {
    if (line.rfind("write: ", 0) == 0)
      program.device->setImage(makeModelImage(*findSimulatedModel("RKA-49"), kAnswering));
  });
  program.send();  // the check read, then the block
  program.ticks(testing::kTicksToCollect);
  ASSERT_TRUE(program.form().Label41->text().startsWith("Another device answered"))
      << program.form().Label41->text().toStdString();
  const std::vector<history::WriteRow> rows = writing.rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].outcome, "other-device");
  EXPECT_EQ(rows[0].answeredSerialNumber, kAnswering);
  EXPECT_EQ(rows[0].answeredProductCode, rows[0].productCode);
  EXPECT_NE(rows[0].serialNumber, kAnswering);

  const QString file = program.historyPath();
  for (const qint64 serial : {qint64{kAnswering}, rows[0].serialNumber}) {
    const ProgramRun listed =
        historyTool({"--db", file, "list", "--serial", QString::number(serial)});
    EXPECT_EQ(listed.output.count('\n'), 1) << serial;
    EXPECT_TRUE(listed.output.contains(
        QString("other-device  %1@").arg(rows[0].user) + rows[0].host +
        QString("  answered by %1 %2\n").arg(rows[0].productCode).arg(kAnswering)))
        << listed.output.toStdString();
  }
  const std::vector<QStringList> records =
      testing::readCsv(historyTool({"--db", file, "export-csv", "--serial", "8002"}).output);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1][history::csvColumns().indexOf("answered_serial_number")], "8002");

  HistoryWindow& window = program.app.openWriteHistory();
  window.filter->setText("8002");
  ASSERT_EQ(window.table->model()->rowCount(), 1);
  window.table->selectRow(0);
  EXPECT_TRUE(window.details->toPlainText().contains(
      QString("Answered by: product code %1, serial number 8002").arg(rows[0].productCode)))
      << window.details->toPlainText().toStdString();
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
  ASSERT_EQ(writing.program.form().Label41->text(), kWrittenAndVerified);
  const std::vector<history::WriteRow> rows = writing.rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].outcome, "stored-wrong");
  EXPECT_EQ(rows[1].outcome, "verified");
  EXPECT_EQ(rows[1].asFound, *rows[0].asLeft);
}

qint64 endedProcessId() {
  QProcess ended;
  ended.start("true", {});
  EXPECT_TRUE(ended.waitForStarted());
  const qint64 id = ended.processId();
  EXPECT_TRUE(ended.waitForFinished());
  return id;
}

// Writes as an ended program on this computer left them: 1 and 2 completed, 3 open; 4 open by a
// program still running.
void leaveWritesOfAnEndedProgram(const QString& path) {
  history::HistoryDatabase database;
  ASSERT_TRUE(database.openForRecording(path, QDateTime::currentDateTimeUtc()).writable);
  const qint64 ended = endedProcessId();
  for (int i = 1; i <= 4; ++i) {
    history::WriteOpening opening;
    opening.writtenAt = history::historyTime(QDateTime::currentDateTimeUtc());
    opening.host = QSysInfo::machineHostName();
    opening.asFound = QByteArray(256, '\0');
    opening.sent = QByteArray(192, '\0');
    opening.changes = "[]";
    opening.serialNumber = 100 + i;
    opening.processId = i == 4 ? getppid() : ended;
    const std::optional<history::ChainEntry> entry = database.appendOpening(opening);
    ASSERT_TRUE(entry);
    if (i <= 2) {
      history::WriteCompletion verified;
      verified.completedAt = opening.writtenAt;
      verified.outcome = history::Outcome::Verified;
      ASSERT_TRUE(database.appendCompletion(entry->id, entry->hash, verified));
    }
  }
}

// A program that ended during a write left it open: the next start completes it as interrupted.
// A write of a program still running (a second window) is left to it.
TEST(WriteHistory, AWriteLeftOpenByAnEndedProgramIsCompletedAsInterruptedAtStart) {
  SimulatedProgram program;
  leaveWritesOfAnEndedProgram(program.historyPath());
  program.app.history().open();
  ASSERT_TRUE(program.app.history().flush());
  history::HistoryDatabase database;
  ASSERT_TRUE(database.openReadOnly(program.historyPath()).readable);
  EXPECT_EQ(database.row(3)->outcome, "interrupted");
  EXPECT_EQ(database.row(3)->sequence, 7);
  EXPECT_TRUE(database.row(4)->isOpen());
  EXPECT_TRUE(database.checkChain()->holds());
  EXPECT_EQ(program.form().EditNotice->text(), "");
}

struct Tamper {
  const char* name;
  const char* sql;
  const char* named;  // what verify says
};

class TamperedAtStart : public ::testing::TestWithParam<Tamper> {};

// The file tampered with while no program ran: the program started again completes nothing
// (not even the write genuinely left open), verify names the entry, the window says why once.
TEST_P(TamperedAtStart, IsNamedByVerifyAndNeverSealed) {
  SimulatedProgram program;
  leaveWritesOfAnEndedProgram(program.historyPath());
  ASSERT_EQ(runProgram("sqlite3", {program.historyPath(), GetParam().sql}).exitCode, 0);
  program.app.history().open();
  ASSERT_TRUE(program.app.history().flush());
  const ProgramRun verified = historyTool({"--db", program.historyPath(), "verify"});
  EXPECT_EQ(verified.exitCode, 1);
  EXPECT_TRUE(verified.output.startsWith(QString("broken: ") + GetParam().named))
      << verified.output.toStdString();
  QString completions = runProgram("sqlite3", {program.historyPath(),
                                               "SELECT count(*) FROM completions WHERE outcome "
                                               "= 'interrupted'"})
                            .output;
  EXPECT_EQ(completions.trimmed(), "0");
  EXPECT_TRUE(program.form().EditNotice->text().startsWith(
      "Write history: writes left open are not completed, the chain is broken ("))
      << program.form().EditNotice->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TamperedAtStart,
    ::testing::Values(
        Tamper{"ACompletedWriteReopened", "DELETE FROM completions WHERE write_id = 1",
               "entry 3 (the opening of write 2)"},
        Tamper{"AForgedOpenWrite",
               "INSERT INTO writes SELECT 9, 7, written_at, user, host, program_version, "
               "process_id, port, model, product_code, 999, tag, as_found, sent, changes, "
               "(SELECT hash FROM writes WHERE id = 4), hash FROM writes WHERE id = 3",
               "entry 7 (the opening of write 9)"},
        Tamper{"AnEditedCompletion",
               "UPDATE completions SET outcome = 'stored-wrong' WHERE write_id = 2",
               "entry 4 (the completion of write 2)"},
        Tamper{"AnEditedOpenWrite", "UPDATE writes SET tag = 'FORGED' WHERE id = 3",
               "entry 5 (the opening of write 3)"},
        Tamper{"ADeletedEntry", "DELETE FROM writes WHERE id = 2",
               "entry 4 (the completion of write 2)"}),
    [](const auto& info) { return std::string(info.param.name); });

// The write's opening edited in the sqlite3 shell during its verification (a tamperer's forgery
// of what was sent): the program completes its own write, never seals the change, and verify
// names the opening.
TEST(WriteHistory, AnOpeningEditedDuringTheVerificationIsNamedNotSealed) {
  WritingProgram writing;
  SimulatedProgram& program = writing.program;
  program.send();  // the check read; the block is sent and its opening stored
  ASSERT_TRUE(program.app.history().flush());
  ASSERT_EQ(runProgram("sqlite3", {program.historyPath(),
                                   "UPDATE writes SET tag = 'FORGED', sent = zeroblob(192), user "
                                   "= 'mallory' WHERE id = 1"})
                .exitCode,
            0);
  program.ticks(testing::kTicksToCollect);
  ASSERT_EQ(program.form().Label41->text(), kWrittenAndVerified);
  const std::vector<history::WriteRow> rows = writing.rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].outcome, "verified");
  EXPECT_EQ(rows[0].tag, "FORGED") << "nothing stored is rewritten";
  const ProgramRun verified = historyTool({"--db", program.historyPath(), "verify"});
  EXPECT_EQ(verified.exitCode, 1);
  EXPECT_EQ(verified.output,
            "broken: entry 1 (the opening of write 1): its contents do not give its hash\n");
}

// Another program holds history.sqlite in an exclusive transaction (the sqlite3 shell) from
// before the write's opening until after its verification. The window never waits for it: an
// event posted during the write is handled at once, the write is verified; the window says once
// that the write is kept, and once that it is recorded when the lock goes. The completion is the
// verification's, with its as_left, and a program started again finds nothing to complete.
TEST(WriteHistory, ACompletionThatMeetsALockedFileIsKeptAndStoredWhenTheLockGoes) {
  WritingProgram writing;
  SimulatedProgram& program = writing.program;
  program.app.history().open();
  ASSERT_TRUE(program.app.history().flush());

  QProcess locker;
  locker.start("sqlite3", {program.historyPath()});
  ASSERT_TRUE(locker.waitForStarted());
  locker.write("BEGIN EXCLUSIVE;\nSELECT count(*) FROM writes;\n");
  ASSERT_TRUE(locker.waitForBytesWritten(5000));
  // The lock is held once a reader that does not wait is refused.
  QSqlDatabase probe = QSqlDatabase::addDatabase("QSQLITE", "probe");
  probe.setDatabaseName(program.historyPath());
  probe.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0;QSQLITE_OPEN_READONLY");
  ASSERT_TRUE(probe.open());
  auto locked = [&probe] {
    QSqlQuery query(probe);
    const bool refused = !query.exec("SELECT count(*) FROM writes");
    return refused;
  };
  QElapsedTimer waited;
  waited.start();
  while (!locked() && waited.elapsed() < 10000) QThread::msleep(10);
  ASSERT_TRUE(locked());

  bool answered = false;
  program.send();  // the check read; the block is sent while the file is locked
  QTimer::singleShot(0, &program.form(), [&answered] { answered = true; });
  QCoreApplication::processEvents();
  EXPECT_TRUE(answered) << "the window answers while the history waits for the file";
  program.ticks(testing::kTicksToCollect);
  ASSERT_EQ(program.form().Label41->text(), kWrittenAndVerified);
  const QByteArray asLeft = bytesOf(program.device->image());
  EXPECT_TRUE(locked()) << "the write ended while the file was still locked";

  // SQLite's busy timeout passes on the history's thread; then the window says it once.
  QElapsedTimer notice;
  notice.start();
  while (program.form().EditNotice->text().isEmpty() && notice.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  const QString waiting =
      "Write history unavailable: " + QDir::toNativeSeparators(program.historyPath()) +
      " is locked by another program. The write is kept and recorded as soon "
      "as the file takes it.";
  EXPECT_EQ(program.form().EditNotice->text(), waiting);

  locker.write("COMMIT;\n.quit\n");
  ASSERT_TRUE(locker.waitForBytesWritten(5000));
  locker.closeWriteChannel();
  ASSERT_TRUE(locker.waitForFinished(10000));
  const std::vector<history::WriteRow> rows = writing.rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].outcome, "verified");
  EXPECT_EQ(rows[0].asLeft, asLeft);
  EXPECT_EQ(program.form().EditNotice->text(),
            waiting + "\nWrite history: the write kept is recorded now.");
  ASSERT_TRUE(program.app.history().lastWriteAnchor());
  EXPECT_EQ(program.app.history().lastWriteAnchor()->hash, rows[0].hash);

  // Started again: nothing is left open, nothing is completed.
  HistoryRecorder restarted(program.historyFolder());
  restarted.open();
  ASSERT_TRUE(restarted.flush());
  EXPECT_TRUE(restarted.takeNews().empty());
  const ProgramRun verified = historyTool({"--db", program.historyPath(), "verify"});
  EXPECT_EQ(verified.output.section('\n', 0, 0), "ok: 2 entries, 1 writes");
  probe.close();
  probe = QSqlDatabase();
  QSqlDatabase::removeDatabase("probe");
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
  program.app.history().flush();

  EXPECT_EQ(program.device->writesStored(), 1);
  EXPECT_TRUE(program.boxes.questions.empty());
  // Label41 keeps the outcome; EditNotice says what became of the history.
  EXPECT_EQ(program.form().Label41->text(),
            fault.english ? kWrittenAndVerified : "Ustawienia zapisane i sprawdzone.");
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
    program.app.history().flush();
    EXPECT_EQ(program.form().Label41->text(), kWrittenAndVerified);
    EXPECT_EQ(program.form().EditNotice->text(), "");
  }
}

void makeFolderAFile(const QString& folder) {
  QFile file(folder);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void makeFileAFolder(const QString& folder) {
  ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath("history.sqlite")));
}

void damageFile(const QString& folder) {
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile file(QDir(folder).filePath("history.sqlite"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("this is no database ").repeated(300));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HistoryFault,
    ::testing::Values(
        Fault{"UnwritableFolder", true, makeFolderAFile, "Write history unavailable: "},
        Fault{"UnwritableFolderPolish", false, makeFolderAFile,
              "Historia zapisów niedostępna: nie można zapisać "},
        Fault{"AFolderInPlaceOfTheFile", true, makeFileAFolder, "Write history unavailable: "},
        Fault{"CorruptFile", true, damageFile,
              "The write history file was damaged: it is kept as "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tadjust
