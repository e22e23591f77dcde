// The write history's database on real SQLite files: the chain through rows completed in any
// order, its check against a row changed, deleted or moved, the canonical encoding computed by
// the shell recipe of docs/history.md, the schema brought up to date in one transaction or left
// alone when newer, a corrupt file kept aside, another program's lock waited for, and CSV read
// back by a reader of its own.

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

WriteRow sentRow(qint64 serialNumber, const QString& tag = QStringLiteral("TT-101")) {
  WriteRow row;
  row.writtenAt = historyTime(kMoment);
  row.user = QStringLiteral("technik");
  row.host = QStringLiteral("bench-7");
  row.programVersion = QStringLiteral("2.3");
  row.processId = 4242;
  row.port = QStringLiteral("/dev/ttyUSB0");
  row.model = QStringLiteral("RKA-49");
  row.productCode = 7049;
  row.serialNumber = serialNumber;
  row.tag = tag;
  row.asFound = QByteArray(256, '\x11');
  row.sent = QByteArray(192, '\x22');
  row.changes = changesJson({{"tag", "OLD", tag}});
  return row;
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
  // Rows 1..count inserted in order, completed in the order given (ids).
  void record(HistoryDatabase& db, int count, const std::vector<qint64>& completionOrder) {
    ASSERT_TRUE(db.openForRecording(path(), kMoment).writable) << db.lastError().toStdString();
    for (int i = 1; i <= count; ++i) ASSERT_EQ(db.insertOpen(sentRow(21000 + i)), i);
    for (qint64 id : completionOrder) {
      ASSERT_TRUE(db.complete(id, Outcome::Verified, QByteArray(256, '\x33'), kMoment))
          << db.lastError().toStdString();
    }
  }
  ChainCheck check() {
    HistoryDatabase reader;
    EXPECT_TRUE(reader.openReadOnly(path()).readable);
    return reader.checkChain().value_or(ChainCheck{});
  }

  QTemporaryDir folder;
};

TEST_F(HistoryFile, RowsAreChainedInTheOrderTheyAreCompleted) {
  HistoryDatabase db;
  record(db, 3, {2, 3});
  const std::vector<WriteRow> rows = *db.rows();
  ASSERT_EQ(rows.size(), 3u);
  std::map<qint64, WriteRow> byId;
  for (const WriteRow& row : rows) byId[row.id] = row;
  EXPECT_TRUE(byId[1].isOpen());
  EXPECT_FALSE(byId[1].outcome.has_value());
  EXPECT_EQ(byId[2].sequence, 1);
  EXPECT_EQ(byId[2].prevHash, kChainStart);
  EXPECT_EQ(byId[3].sequence, 2);
  EXPECT_EQ(byId[3].prevHash, byId[2].hash);
  EXPECT_EQ(byId[3].outcome, "verified");

  ChainCheck holding = check();
  EXPECT_TRUE(holding.holds()) << holding.reason.toStdString();
  EXPECT_EQ(holding.rows, 2);
  EXPECT_EQ(holding.openRows, 1);
  EXPECT_EQ(holding.lastHash, byId[3].hash);

  // The open row completed later takes the next place; a completed row is never completed again.
  ASSERT_TRUE(db.complete(1, Outcome::NoReply, std::nullopt, kMoment));
  EXPECT_FALSE(db.complete(1, Outcome::Verified, std::nullopt, kMoment));
  const WriteRow first = *db.row(1);
  EXPECT_EQ(first.sequence, 3);
  EXPECT_EQ(first.outcome, "no-reply");
  EXPECT_FALSE(first.asLeft.has_value());
  EXPECT_TRUE(check().holds());
  EXPECT_EQ(check().rows, 3);
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
  // Texts beyond ASCII, and a NULL as_left.
  WriteRow polish = sentRow(21004, QStringLiteral("Żółw, \"kocioł\"\nT1"));
  const qint64 id = *db.insertOpen(polish);
  ASSERT_TRUE(db.complete(id, Outcome::ConnectionLost, std::nullopt, kMoment));
  db.close();

  QString output;
  EXPECT_EQ(run(QStringLiteral("bash"), {file.fileName(), path()}, &output), 0)
      << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("ok: 4 rows"))) << output.toStdString();
  EXPECT_TRUE(output.contains(check().lastHash)) << output.toStdString();

  ASSERT_EQ(sqlite(path(), "UPDATE writes SET tag = 'Zolw' WHERE id = 4"), 0);
  EXPECT_EQ(run(QStringLiteral("bash"), {file.fileName(), path()}, &output), 1);
  EXPECT_TRUE(output.contains(QStringLiteral("broken at row 4"))) << output.toStdString();
}

struct Tampering {
  const char* what;
  const char* sql;
  qint64 brokenSequence;
  qint64 rowsBefore;  // the rows that hold before it
};

class TamperedHistory : public HistoryFile, public ::testing::WithParamInterface<Tampering> {};

TEST_P(TamperedHistory, BreaksTheChainAtTheRowNamed) {
  {
    HistoryDatabase db;
    record(db, 4, {1, 2, 3, 4});
  }
  ASSERT_EQ(sqlite(path(), QString::fromLatin1(GetParam().sql)), 0);
  const ChainCheck broken = check();
  ASSERT_FALSE(broken.holds());
  EXPECT_EQ(broken.brokenSequence, GetParam().brokenSequence) << broken.reason.toStdString();
  EXPECT_EQ(broken.rows, GetParam().rowsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TamperedHistory,
    ::testing::Values(
        Tampering{
            "a byte of as_left",
            "UPDATE writes SET as_left = CAST(X'34' || substr(as_left, 2) AS BLOB) WHERE id = 2", 2,
            1},
        Tampering{"the outcome", "UPDATE writes SET outcome = 'stored-wrong' WHERE id = 3", 3, 2},
        Tampering{"a row deleted", "DELETE FROM writes WHERE id = 2", 3, 1},
        Tampering{"two rows swapped",
                  "UPDATE writes SET sequence = -sequence WHERE id IN (2, 3); "
                  "UPDATE writes SET sequence = 5 + sequence WHERE id IN (2, 3)",
                  2, 1},
        Tampering{"the first row's predecessor",
                  "UPDATE writes SET prev_hash = replace(prev_hash, '0', '1') WHERE id = 1", 1, 0}),
    [](const auto& info) {
      QString name = QString::fromLatin1(info.param.what);
      return name.replace(QRegularExpression("[^A-Za-z0-9]"), QString()).toStdString();
    });

TEST_F(HistoryFile, AnOlderFileIsBroughtUpToDateInOneTransaction) {
  // A file of schema 0 (made by another tool) is taken as it is and given the table.
  ASSERT_EQ(sqlite(path(), "CREATE TABLE notes (text TEXT)"), 0);
  {
    HistoryDatabase db;
    const OpenResult opened = db.openForRecording(path(), kMoment);
    EXPECT_TRUE(opened.writable) << opened.detail.toStdString();
    EXPECT_TRUE(db.insertOpen(sentRow(1)).has_value());
  }
  QString version;
  sqlite(path(), "PRAGMA user_version", &version);
  EXPECT_EQ(version.trimmed(), QString::number(kSchemaVersion));

  // A step that fails leaves nothing of the steps before it.
  const QString other = path(QStringLiteral("other.sqlite"));
  ASSERT_EQ(sqlite(other, "CREATE TABLE x (y); CREATE INDEX writes_written_at ON x (y)"), 0);
  HistoryDatabase db;
  const OpenResult opened = db.openForRecording(other, kMoment);
  EXPECT_FALSE(opened.writable);
  EXPECT_EQ(opened.problem, HistoryProblem::CannotOpen);
  QString tables;
  sqlite(other, "SELECT count(*) FROM sqlite_master WHERE name = 'writes'", &tables);
  EXPECT_EQ(tables.trimmed(), "0");
  sqlite(other, "PRAGMA user_version", &version);
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
  EXPECT_FALSE(db.insertOpen(sentRow(2)).has_value());
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
  EXPECT_TRUE(db.insertOpen(sentRow(1)).has_value());
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

TEST_F(HistoryFile, AnUnwritableFolderIsSaid) {
  QFile blocker(path(QStringLiteral("T-adjust")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  HistoryDatabase db;
  const OpenResult opened =
      db.openForRecording(path(QStringLiteral("T-adjust/history.sqlite")), kMoment);
  EXPECT_EQ(opened.problem, HistoryProblem::FolderNotWritable);
  EXPECT_FALSE(opened.writable);
  EXPECT_FALSE(db.insertOpen(sentRow(1)).has_value());
}

// Another program holds the write lock for a second: the row waits for it, and both record.
TEST_F(HistoryFile, AnotherProgramsLockIsWaitedFor) {
  HistoryDatabase db;
  record(db, 1, {});
  QProcess other;
  other.start(QStringLiteral("sqlite3"),
              {path(),
               "BEGIN IMMEDIATE; INSERT INTO writes (written_at, user, host, "
               "program_version, process_id, port, model, product_code, serial_number, "
               "tag, as_found, sent, changes) SELECT written_at, user, host, "
               "program_version, 1, port, model, product_code, 99, tag, as_found, sent, "
               "changes FROM writes WHERE id = 1; SELECT 'locked';",
               ".shell sleep 1", "COMMIT;"});
  ASSERT_TRUE(other.waitForReadyRead(10000));
  EXPECT_TRUE(db.complete(1, Outcome::Verified, std::nullopt, kMoment))
      << db.lastError().toStdString();
  EXPECT_TRUE(db.insertOpen(sentRow(3)).has_value()) << db.lastError().toStdString();
  other.waitForFinished();
  EXPECT_EQ(db.rows()->size(), 3u);
  EXPECT_TRUE(check().holds());
}

TEST_F(HistoryFile, CsvIsReadBackToTheSameRows) {
  HistoryDatabase db;
  record(db, 2, {2});
  db.insertOpen(sentRow(7, QStringLiteral("a,b \"c\"\r\nŻ")));
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
  }
}

TEST_F(HistoryFile, RowsAreFilteredBySerialNumberTextAndTime) {
  HistoryDatabase db;
  record(db, 3, {});
  WriteRow later = sentRow(555, QStringLiteral("PT_100%"));
  later.writtenAt = historyTime(kMoment.addDays(2));
  db.insertOpen(later);
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
  RowFilter serial, from, before, oldestFirst;
  serial.serialNumber = 21002;
  from.from = kMoment.addDays(1);
  before.before = kMoment.addDays(1);
  oldestFirst.newestFirst = false;
  EXPECT_EQ(ids({}), (std::vector<qint64>{4, 3, 2, 1}));
  EXPECT_EQ(ids(oldestFirst), (std::vector<qint64>{1, 2, 3, 4}));
  EXPECT_EQ(ids(serial), (std::vector<qint64>{2}));
  EXPECT_EQ(ids(containing("2100")), (std::vector<qint64>{3, 2, 1}));
  EXPECT_EQ(ids(containing("_100%")), (std::vector<qint64>{4}));
  EXPECT_EQ(ids(containing("rka")), (std::vector<qint64>{4, 3, 2, 1}));
  EXPECT_EQ(ids(from), (std::vector<qint64>{4}));
  EXPECT_EQ(ids(before), (std::vector<qint64>{3, 2, 1}));
}

}  // namespace
}  // namespace tadjust::history
