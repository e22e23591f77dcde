// The write history's database on real SQLite files: openings and completions chained in the
// order they are stored and never changed, the check against every kind of tampering (and open
// writes never completed over a broken chain), a cut tail that only an anchor shows, the shell
// recipe of docs/history.md, a file of schema 1 brought up to date with its rows keeping their
// hashes, a newer schema left alone, a corrupt file kept aside, another program's lock waited
// for, the CSV read back with its formula guard, and the filter by either serial number.

#include "history/history_database.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "history/field_changes.h"
#include "history/history_csv.h"
#include "support/csv_reader.h"

namespace tadjust::history {
namespace {

const QDateTime kMoment = QDateTime(QDate(2026, 12, 10), QTime(9, 41, 7, 250), Qt::UTC);

WriteOpening sentWrite(qint64 serialNumber, const QString& tag = QStringLiteral("TT-101")) {
  WriteOpening opening;
  opening.writtenAt = historyTime(kMoment);
  opening.user = QStringLiteral("technik");
  opening.host = QStringLiteral("bench-7");
  opening.programVersion = QStringLiteral("2.3");
  opening.processId = 4242;
  opening.port = QStringLiteral("/dev/ttyUSB0");
  opening.model = QStringLiteral("RKA-49");
  opening.productCode = 7049;
  opening.serialNumber = serialNumber;
  opening.tag = tag;
  opening.asFound = QByteArray(256, '\x11');
  opening.sent = QByteArray(192, '\x22');
  opening.changes = changesJson({{"tag", "OLD", tag}});
  return opening;
}

WriteCompletion outcome(Outcome outcome, std::optional<QByteArray> asLeft = QByteArray(256, '3')) {
  WriteCompletion completion;
  completion.completedAt = historyTime(kMoment.addSecs(12));
  completion.outcome = outcome;
  completion.asLeft = std::move(asLeft);
  return completion;
}

// Runs a program to its end; its exit code, and its output in *output.
int run(const QString& program, const QStringList& arguments, QString* output = nullptr) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000)) return -1;
  if (output) *output = QString::fromUtf8(process.readAllStandardOutput());
  return process.exitCode();
}

int sqlite(const QString& file, const QString& sql, QString* output = nullptr) {
  return run(QStringLiteral("sqlite3"), {file, sql}, output);
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HistoryFile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }
  QString path(const QString& name = QStringLiteral("history.sqlite")) const {
    return folder.filePath(name);
  }
  // Writes 1..count opened in order, then completed in the order given (write ids).
  void record(HistoryDatabase& db, int count, const std::vector<qint64>& completionOrder) {
    ASSERT_TRUE(db.openForRecording(path(), kMoment).writable) << db.lastError().toStdString();
    for (int i = 1; i <= count; ++i) {
      const std::optional<ChainEntry> opened = db.appendOpening(sentWrite(21000 + i));
      ASSERT_TRUE(opened) << db.lastError().toStdString();
      ASSERT_EQ(opened->id, i);
      openings[i] = *opened;
    }
    for (qint64 id : completionOrder) {
      ASSERT_TRUE(db.appendCompletion(id, openings[id].hash, outcome(Outcome::Verified)))
          << db.lastError().toStdString();
    }
  }
  ChainCheck check() {
    HistoryDatabase reader;
    EXPECT_TRUE(reader.openReadOnly(path()).readable);
    return reader.checkChain().value_or(ChainCheck{});
  }

  QTemporaryDir folder;
  std::map<qint64, ChainEntry> openings;
};

TEST_F(HistoryFile, OpeningsAndCompletionsAreEntriesChainedInTheOrderStored) {
  HistoryDatabase db;
  record(db, 3, {2, 3});
  std::map<qint64, WriteRow> byId;
  const std::vector<WriteRow> rows = *db.rows();
  for (const WriteRow& row : rows) byId[row.id] = row;
  ASSERT_EQ(byId.size(), 3u);
  EXPECT_TRUE(byId[1].isOpen());
  EXPECT_EQ(byId[1].openingSequence, 1);
  EXPECT_EQ(byId[2].openingSequence, 2);
  EXPECT_EQ(byId[2].sequence, 4) << "its completion is the chain's fourth entry";
  EXPECT_EQ(byId[3].sequence, 5);
  EXPECT_EQ(byId[3].prevHash, byId[2].hash);
  EXPECT_EQ(byId[3].outcome, "verified");
  EXPECT_EQ(byId[3].openingHash, openings[3].hash);

  ChainCheck holding = check();
  EXPECT_TRUE(holding.holds()) << holding.reason.toStdString();
  EXPECT_EQ(holding.entries, 5);
  EXPECT_EQ(holding.writes, 3);
  EXPECT_EQ(holding.openWrites, 1);
  EXPECT_EQ(holding.lastSequence, 5);
  EXPECT_EQ(holding.lastHash, byId[3].hash);

  // The open write completed later takes the next place; a write is never completed twice.
  WriteCompletion otherDevice = outcome(Outcome::OtherDevice);
  otherDevice.answeredProductCode = 10013;
  otherDevice.answeredSerialNumber = 8002;
  ASSERT_TRUE(db.appendCompletion(1, openings[1].hash, otherDevice));
  EXPECT_FALSE(db.appendCompletion(1, openings[1].hash, outcome(Outcome::Verified)));
  const WriteRow first = *db.row(1);
  EXPECT_EQ(first.sequence, 6);
  EXPECT_EQ(first.outcome, "other-device");
  EXPECT_EQ(first.answeredSerialNumber, 8002);
  EXPECT_EQ(check().entries, 6);
  EXPECT_TRUE(check().holds());
}

// The recipe of docs/history.md, run as a reader without T-adjust runs it: sqlite3, sha256sum.
TEST_F(HistoryFile, TheDocumentedShellRecipeComputesTheSameHashes) {
  const QString docs =
      QString::fromUtf8(contents(QStringLiteral(TADJUST_SOURCE_DIR "/docs/history.md")));
  const QRegularExpressionMatch script =
      QRegularExpression(QStringLiteral("```bash\\n(#!/usr/bin/env bash\\n.*?)```"),
                         QRegularExpression::DotMatchesEverythingOption)
          .match(docs);
  ASSERT_TRUE(script.hasMatch()) << "docs/history.md has no verification script";
  QFile file(path(QStringLiteral("verify-history.sh")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(script.captured(1).toUtf8());
  file.close();

  HistoryDatabase db;
  record(db, 3, {3, 1, 2});
  // Texts beyond ASCII, a NULL as_left, an answering device.
  const ChainEntry polish = *db.appendOpening(sentWrite(21004, "Żółw, \"kocioł\"\nT1"));
  ASSERT_TRUE(
      db.appendCompletion(polish.id, polish.hash, outcome(Outcome::ConnectionLost, std::nullopt)));
  WriteCompletion answered = outcome(Outcome::OtherDevice);
  answered.answeredProductCode = 10013;
  answered.answeredSerialNumber = 8002;
  const ChainEntry swapped = *db.appendOpening(sentWrite(21005));
  ASSERT_TRUE(db.appendCompletion(swapped.id, swapped.hash, answered));
  db.close();

  QString output;
  EXPECT_EQ(run(QStringLiteral("bash"), {file.fileName(), path()}, &output), 0)
      << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("ok: 10 entries"))) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("last entry: 10:") + check().lastHash))
      << output.toStdString();

  ASSERT_EQ(sqlite(path(), "UPDATE writes SET tag = 'Zolw' WHERE id = 4"), 0);
  EXPECT_EQ(run(QStringLiteral("bash"), {file.fileName(), path()}, &output), 1);
  EXPECT_TRUE(output.contains(QStringLiteral("broken at entry 7"))) << output.toStdString();
}

struct Tampering {
  const char* what;
  const char* sql;
  qint64 brokenSequence;
};

class TamperedHistory : public HistoryFile, public ::testing::WithParamInterface<Tampering> {};

// Writes 1..3 opened (entries 1..3), 1 and 2 completed (entries 4, 5), 3 still open. Each kind of
// tampering is named by the check, and the open writes are never completed over it.
TEST_P(TamperedHistory, BreaksTheChainAtTheEntryNamedAndNothingIsSealed) {
  {
    HistoryDatabase db;
    record(db, 3, {1, 2});
  }
  ASSERT_EQ(sqlite(path(), QString::fromLatin1(GetParam().sql)), 0);
  const ChainCheck broken = check();
  ASSERT_FALSE(broken.holds());
  EXPECT_EQ(broken.brokenSequence, GetParam().brokenSequence) << broken.reason.toStdString();

  HistoryDatabase db;
  ASSERT_TRUE(db.openForRecording(path(), kMoment).writable);
  const std::vector<WriteRow> before = *db.rows();
  const std::optional<HistoryDatabase::Interrupted> interrupted =
      db.completeInterrupted([](const WriteRow&) { return true; }, kMoment);
  ASSERT_TRUE(interrupted);
  EXPECT_EQ(interrupted->completed, 0);
  ASSERT_TRUE(interrupted->brokenChain);
  EXPECT_EQ(interrupted->brokenChain->brokenSequence, GetParam().brokenSequence);
  const std::vector<WriteRow> after = *db.rows();
  EXPECT_EQ(after.size(), before.size());
  for (const WriteRow& row : after) {
    if (!row.outcome) continue;
    EXPECT_NE(row.outcome, "interrupted") << "write " << row.id;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TamperedHistory,
    ::testing::Values(
        Tampering{"an open write's opening edited",
                  "UPDATE writes SET tag = 'FORGED', sent = zeroblob(192), user = 'mallory' "
                  "WHERE id = 3",
                  3},
        Tampering{"a completed write reopened", "DELETE FROM completions WHERE write_id = 1", 5},
        Tampering{
            "a forged open write",
            "INSERT INTO writes SELECT 9, 6, written_at, user, host, program_version, 1, "
            "port, model, product_code, 99, tag, as_found, sent, changes, "
            "(SELECT hash FROM completions WHERE sequence = 5), hash FROM writes WHERE id = 1",
            6},
        Tampering{"a completion edited",
                  "UPDATE completions SET outcome = 'stored-wrong' WHERE write_id = 1", 4},
        Tampering{"an opening deleted", "DELETE FROM writes WHERE id = 2", 3},
        Tampering{"a byte of as_left",
                  "UPDATE completions SET as_left = CAST(X'34' || substr(as_left, 2) AS BLOB) "
                  "WHERE write_id = 2",
                  5},
        Tampering{"two entries swapped",
                  "UPDATE completions SET sequence = -sequence; "
                  "UPDATE completions SET sequence = 9 + sequence",
                  4},
        Tampering{"the first entry's predecessor",
                  "UPDATE writes SET prev_hash = replace(prev_hash, '0', '1') WHERE id = 1", 1}),
    [](const auto& info) {
      QString name = QString::fromLatin1(info.param.what);
      return name.replace(QRegularExpression("[^A-Za-z0-9]"), QString()).toStdString();
    });

// A completion naming another write's opening breaks the chain even with its hash right.
TEST_F(HistoryFile, ACompletionMustNameItsOwnOpening) {
  HistoryDatabase db;
  record(db, 2, {});
  ASSERT_TRUE(db.appendCompletion(2, openings[1].hash, outcome(Outcome::Verified)));
  EXPECT_EQ(check().brokenSequence, 3);
  EXPECT_TRUE(check().reason.contains("write_hash")) << check().reason.toStdString();
}

// The last entries cut off: the chain that is left holds; only the entry noted elsewhere shows.
TEST_F(HistoryFile, ACutTailHoldsButItsEntryIsGone) {
  HistoryDatabase db;
  record(db, 2, {1, 2});
  const std::optional<QString> noted = *db.storedHash(4);
  ASSERT_TRUE(noted);
  ASSERT_EQ(sqlite(path(), "DELETE FROM completions WHERE sequence = 4"), 0);
  EXPECT_TRUE(check().holds());
  EXPECT_EQ(check().lastSequence, 3);
  EXPECT_FALSE(db.storedHash(4)->has_value());
  EXPECT_EQ(*db.storedHash(3), check().lastHash);
}

// A file of schema 1, as the program before kept it: rows completed in place, an open row.
void makeSchema1File(const QString& path, std::vector<QString>& hashes) {
  ASSERT_EQ(sqlite(path,
                   "CREATE TABLE writes (id INTEGER PRIMARY KEY AUTOINCREMENT, sequence INTEGER "
                   "UNIQUE, written_at TEXT NOT NULL, completed_at TEXT, user TEXT NOT NULL, "
                   "host TEXT NOT NULL, program_version TEXT NOT NULL, process_id INTEGER NOT "
                   "NULL, port TEXT NOT NULL, model TEXT NOT NULL, product_code INTEGER NOT NULL, "
                   "serial_number INTEGER NOT NULL, tag TEXT NOT NULL, outcome TEXT, as_found "
                   "BLOB NOT NULL, sent BLOB NOT NULL, as_left BLOB, changes TEXT NOT NULL, "
                   "prev_hash TEXT, hash TEXT); CREATE INDEX writes_serial_number ON writes "
                   "(serial_number); CREATE INDEX writes_written_at ON writes (written_at); "
                   "PRAGMA user_version = 1;"),
            0);
  QString previous = kChainStart;
  for (int id = 1; id <= 3; ++id) {
    const bool open = id == 3;
    const std::vector<QVariant> values{id,
                                       open ? QVariant() : QVariant(id),
                                       "2025-05-0" + QString::number(id) + "T08:00:00.000Z",
                                       open ? QVariant() : QVariant("2025-05-01T08:00:12.000Z"),
                                       "technik",
                                       "bench",
                                       "2.2",
                                       4000 + id,
                                       "/dev/ttyUSB0",
                                       "RKA-49",
                                       7049,
                                       20000 + id,
                                       "TT-10" + QString::number(id),
                                       open ? QVariant() : QVariant("verified"),
                                       QByteArray(256, '\x01'),
                                       QByteArray(192, '\x02'),
                                       open ? QVariant() : QVariant(QByteArray(256, '\x03')),
                                       "[]",
                                       open ? QVariant() : QVariant(previous)};
    const QString hash = open ? QString() : entryHash(kSchema1Entry, values);
    QStringList literals;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const QVariant& value = values[i];
      if (value.isNull()) {
        literals << "NULL";
      } else if (kSchema1Columns[i].kind == ColumnKind::Blob) {
        literals << "X'" + QString::fromLatin1(value.toByteArray().toHex()) + "'";
      } else if (kSchema1Columns[i].kind == ColumnKind::Integer) {
        literals << value.toString();
      } else {
        literals << "'" + value.toString() + "'";
      }
    }
    literals << (open ? QStringLiteral("NULL") : "'" + hash + "'");
    ASSERT_EQ(sqlite(path, "INSERT INTO writes VALUES (" + literals.join(", ") + ")"), 0);
    if (!open) {
      hashes.push_back(hash);
      previous = hash;
    }
  }
}

TEST_F(HistoryFile, AFileOfSchema1KeepsItsRowsAndTheirHashesAndTheChainGoesOn) {
  std::vector<QString> schema1Hashes;
  makeSchema1File(path(), schema1Hashes);
  ASSERT_EQ(schema1Hashes.size(), 2u);
  {
    // Read as it is before anything changes it.
    HistoryDatabase reader;
    ASSERT_TRUE(reader.openReadOnly(path()).readable);
    EXPECT_TRUE(reader.checkChain()->holds()) << reader.checkChain()->reason.toStdString();
    EXPECT_EQ(reader.rows()->size(), 3u);
  }
  HistoryDatabase db;
  ASSERT_TRUE(db.openForRecording(path(), kMoment).writable) << db.lastError().toStdString();
  QString version;
  sqlite(path(), "PRAGMA user_version", &version);
  EXPECT_EQ(version.trimmed(), QString::number(kSchemaVersion));
  ChainCheck migrated = check();
  EXPECT_TRUE(migrated.holds()) << migrated.reason.toStdString();
  EXPECT_EQ(migrated.entries, 2);
  EXPECT_EQ(migrated.openWrites, 1) << "the open row of schema 1 stays open, outside the chain";
  EXPECT_EQ(*db.storedHash(2), schema1Hashes[1]) << "an anchor noted before still holds";

  const ChainEntry next = *db.appendOpening(sentWrite(21009));
  EXPECT_EQ(next.id, 4);
  EXPECT_EQ(next.sequence, 3);
  ASSERT_TRUE(db.appendCompletion(next.id, next.hash, outcome(Outcome::Verified)));
  const std::optional<HistoryDatabase::Interrupted> interrupted =
      db.completeInterrupted([](const WriteRow&) { return true; }, kMoment);
  EXPECT_EQ(interrupted->completed, 0) << "a row of schema 1 is never completed";
  migrated = check();
  EXPECT_TRUE(migrated.holds()) << migrated.reason.toStdString();
  EXPECT_EQ(migrated.entries, 4);
  EXPECT_EQ(migrated.writes, 4);
  RowFilter oldestFirst;
  oldestFirst.newestFirst = false;
  const std::vector<WriteRow> rows = *db.rows(oldestFirst);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].hash, schema1Hashes[0]);
  EXPECT_EQ(rows[0].tag, "TT-101");
  EXPECT_TRUE(rows[2].isOpen());
  EXPECT_EQ(rows[3].sequence, 4);

  // A row of schema 1 changed afterwards is named like any entry.
  ASSERT_EQ(sqlite(path(), "UPDATE writes_v1 SET tag = 'X' WHERE id = 2"), 0);
  EXPECT_EQ(check().brokenSequence, 2);
}

TEST_F(HistoryFile, AStepOfTheUpdateThatFailsLeavesNothing) {
  ASSERT_EQ(sqlite(path(), "CREATE TABLE x (y); CREATE INDEX writes_written_at ON x (y)"), 0);
  HistoryDatabase db;
  const OpenResult opened = db.openForRecording(path(), kMoment);
  EXPECT_FALSE(opened.writable);
  EXPECT_EQ(opened.problem, HistoryProblem::CannotOpen);
  QString tables, version;
  sqlite(path(), "SELECT count(*) FROM sqlite_master WHERE name = 'writes'", &tables);
  EXPECT_EQ(tables.trimmed(), "0");
  sqlite(path(), "PRAGMA user_version", &version);
  EXPECT_EQ(version.trimmed(), "0");
}

TEST_F(HistoryFile, ANewerFileIsOnlyRead) {
  {
    HistoryDatabase db;
    record(db, 1, {1});
  }
  ASSERT_EQ(sqlite(path(), "PRAGMA user_version = 7"), 0);
  const QByteArray before = contents(path());
  HistoryDatabase db;
  const OpenResult opened = db.openForRecording(path(), kMoment);
  EXPECT_EQ(opened.problem, HistoryProblem::NewerSchema);
  EXPECT_EQ(opened.detail, "7");
  EXPECT_TRUE(opened.readable);
  EXPECT_FALSE(opened.writable);
  EXPECT_EQ(db.rows()->size(), 1u);
  EXPECT_FALSE(db.appendOpening(sentWrite(2)).has_value());
  db.close();
  EXPECT_EQ(contents(path()), before);
}

TEST_F(HistoryFile, ACorruptFileIsKeptAsideAndANewOneStarted) {
  const QByteArray garbage = QByteArray("not a database at all ").repeated(200);
  {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(garbage);
  }
  HistoryDatabase db;
  const OpenResult opened = db.openForRecording(path(), kMoment);
  EXPECT_TRUE(opened.writable) << opened.detail.toStdString();
  EXPECT_EQ(opened.corruptKeptAs, path(QStringLiteral("history.sqlite.corrupt-20261210T094107Z")));
  EXPECT_EQ(contents(opened.corruptKeptAs), garbage);
  EXPECT_TRUE(db.appendOpening(sentWrite(1)).has_value());
  db.close();

  // A second damaged file at the same second keeps the first one's name free.
  QFile::remove(path());
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(garbage);
  file.close();
  const OpenResult again = db.openForRecording(path(), kMoment);
  EXPECT_EQ(again.corruptKeptAs, opened.corruptKeptAs + "-2");
  EXPECT_EQ(contents(opened.corruptKeptAs), garbage);
}

TEST_F(HistoryFile, AFolderThatCannotBeMadeOrAFolderInPlaceOfTheFileIsSaid) {
  QFile blocker(path(QStringLiteral("T-adjust")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  HistoryDatabase db;
  OpenResult opened = db.openForRecording(path(QStringLiteral("T-adjust/history.sqlite")), kMoment);
  EXPECT_EQ(opened.problem, HistoryProblem::NoFolder);
  EXPECT_FALSE(opened.writable);
  EXPECT_FALSE(db.appendOpening(sentWrite(1)).has_value());

  ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("history.sqlite")));
  opened = db.openForRecording(path(), kMoment);
  EXPECT_EQ(opened.problem, HistoryProblem::NotAFile);
  EXPECT_EQ(db.openReadOnly(path()).detail, "is a folder, not a write history file");
}

// Another program holds the write lock for a second: the entry waits for it, and both record.
TEST_F(HistoryFile, AnotherProgramsLockIsWaitedFor) {
  HistoryDatabase db;
  record(db, 1, {});
  QProcess other;
  other.start(QStringLiteral("sqlite3"),
              {path(), "BEGIN IMMEDIATE; SELECT 'locked';", ".shell sleep 1", "COMMIT;"});
  ASSERT_TRUE(other.waitForReadyRead(10000));
  EXPECT_TRUE(db.appendCompletion(1, openings[1].hash, outcome(Outcome::Verified)))
      << db.lastError().toStdString();
  EXPECT_TRUE(db.appendOpening(sentWrite(3)).has_value()) << db.lastError().toStdString();
  other.waitForFinished();
  EXPECT_EQ(db.rows()->size(), 2u);
  EXPECT_TRUE(check().holds());
}

TEST_F(HistoryFile, CsvIsReadBackToTheSameRows) {
  HistoryDatabase db;
  record(db, 2, {2});
  db.appendOpening(sentWrite(7, QStringLiteral("a,b \"c\"\r\nŻ")));
  const std::vector<WriteRow> rows = *db.rows();
  const std::vector<QStringList> records = testing::readCsv(QString::fromUtf8(csvOf(rows)));
  ASSERT_EQ(records.size(), rows.size() + 1);
  EXPECT_EQ(records[0], csvColumns());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QStringList& record = records[i + 1];
    ASSERT_EQ(record.size(), csvColumns().size());
    EXPECT_EQ(record[0].toLongLong(), rows[i].id);
    EXPECT_EQ(record[1], rows[i].sequence ? QString::number(*rows[i].sequence) : QString());
    EXPECT_EQ(record[12], rows[i].tag);
    EXPECT_EQ(record[13], rows[i].outcome.value_or(QString()));
    EXPECT_EQ(QByteArray::fromHex(record[15].toLatin1()), rows[i].sent);
    EXPECT_EQ(changesOf(record[17]), changesOf(rows[i].changes));
    EXPECT_EQ(record[19], rows[i].hash.value_or(QString()));
    EXPECT_EQ(record[20].toLongLong(), rows[i].openingSequence);
  }
}

TEST(CsvGuard, TextsASpreadsheetWouldRunAreGuardedAndReadBackByTakingOneApostrophe) {
  const std::vector<std::pair<QString, QString>> cases{
      {"=1+2", "'=1+2"}, {"+1+2", "'+1+2"}, {"-1+2", "'-1+2"}, {"@SUM(1,1)", "'@SUM(1,1)"},
      {"\tx", "'\tx"},   {"\r=1", "'\r=1"}, {"'=1", "''=1"},   {"TT-101", "TT-101"},
      {"1-2", "1-2"},    {"", ""}};
  for (const auto& [text, guarded] : cases) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(formulaGuarded(text), guarded);
    EXPECT_EQ(guarded.startsWith('\'') ? guarded.mid(1) : guarded, text);
  }
  WriteRow row;
  row.tag = "=1+2";
  row.serialNumber = 21001;
  row.processId = 77;
  const std::vector<QStringList> records = testing::readCsv(QString::fromUtf8(csvOf({row})));
  EXPECT_EQ(records[1][12], "'=1+2");
  EXPECT_EQ(records[1][11], "21001");
  EXPECT_EQ(csvTextField("@A,B"), "\"'@A,B\"");
}

TEST_F(HistoryFile, WritesAreFoundByEitherSerialNumberTextAndTime) {
  HistoryDatabase db;
  record(db, 3, {});
  WriteOpening later = sentWrite(555, QStringLiteral("PT_100%"));
  later.writtenAt = historyTime(kMoment.addDays(2));
  db.appendOpening(later);
  WriteCompletion answered = outcome(Outcome::OtherDevice);
  answered.answeredProductCode = 10013;
  answered.answeredSerialNumber = 8002;
  ASSERT_TRUE(db.appendCompletion(1, openings[1].hash, answered));
  auto ids = [&db](const RowFilter& filter) {
    std::vector<qint64> ids;
    const std::optional<std::vector<WriteRow>> rows = db.rows(filter);
    for (const WriteRow& row : rows.value()) ids.push_back(row.id);
    return ids;
  };
  auto containing = [](const char* text) {
    RowFilter filter;
    filter.containing = QString::fromUtf8(text);
    return filter;
  };
  RowFilter serial, answeredSerial, from, before, oldestFirst;
  serial.serialNumber = 21002;
  answeredSerial.serialNumber = 8002;
  from.from = kMoment.addDays(1);
  before.before = kMoment.addDays(1);
  oldestFirst.newestFirst = false;
  EXPECT_EQ(ids({}), (std::vector<qint64>{4, 3, 2, 1}));
  EXPECT_EQ(ids(oldestFirst), (std::vector<qint64>{1, 2, 3, 4}));
  EXPECT_EQ(ids(serial), (std::vector<qint64>{2}));
  EXPECT_EQ(ids(answeredSerial), (std::vector<qint64>{1}));
  EXPECT_EQ(ids(containing("800")), (std::vector<qint64>{1}));
  EXPECT_EQ(ids(containing("2100")), (std::vector<qint64>{3, 2, 1}));
  EXPECT_EQ(ids(containing("_100%")), (std::vector<qint64>{4}));
  EXPECT_EQ(ids(containing("rka")), (std::vector<qint64>{4, 3, 2, 1}));
  EXPECT_EQ(ids(from), (std::vector<qint64>{4}));
  EXPECT_EQ(ids(before), (std::vector<qint64>{3, 2, 1}));
}

}  // namespace
}  // namespace tadjust::history
