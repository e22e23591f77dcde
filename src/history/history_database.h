#pragma once

// The write history's database: one SQLite file (history.sqlite) through Qt SQL, its schema
// version in PRAGMA user_version. A program records through one HistoryDatabase; readers (the
// history window, t-adjust-history) open the file read-only and never change it.
//
// Several programs may record into the same file at once: every change is one short
// transaction, and a program waits up to kBusyTimeout for another one's lock. A row is inserted
// open when its block has been sent; completing it gives it the next place in the chain inside
// one immediate transaction, so two programs never take the same predecessor.
//
// A file SQLite calls corrupt is never written over or deleted: recording renames it aside
// (history.sqlite.corrupt-<UTC time>, with its journal) and starts a new file.

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "history/hash_chain.h"
#include "history/write_row.h"

namespace tadjust::history {

inline constexpr char kHistoryFileName[] = "history.sqlite";
// The schema this program writes; PRAGMA user_version of a file brought up to date.
inline constexpr int kSchemaVersion = 1;
inline constexpr std::chrono::milliseconds kBusyTimeout{5000};

// A moment as the table writes it: UTC, ISO 8601 with milliseconds.
QString historyTime(const QDateTime& moment);

enum class HistoryProblem {
  None,
  FolderNotWritable,  // the folder cannot be made, or the file cannot be made in it
  CannotOpen,         // SQLite cannot read the file, or bring it up to date
  NewerSchema,        // written by a newer program: open read-only
  NotRecorded,        // a row could not be inserted or completed (locked, disk full, ...)
};

struct OpenResult {
  HistoryProblem problem = HistoryProblem::None;
  QString detail;         // the system's or SQLite's own words; the schema version for NewerSchema
  QString corruptKeptAs;  // the name a corrupt file was given when it was renamed aside
  bool readable = false;  // rows can be read
  bool writable = false;  // rows can be recorded
};

// Which rows a reader wants: all of them, or those of a serial number, those whose serial
// number, model or tag holds a text, those written in a span of time.
struct RowFilter {
  std::optional<qint64> serialNumber;
  QString containing;               // in the serial number, the model or the tag
  std::optional<QDateTime> from;    // written at or after
  std::optional<QDateTime> before;  // written before
  bool newestFirst = true;
};

class HistoryDatabase {
 public:
  HistoryDatabase();
  ~HistoryDatabase();
  HistoryDatabase(const HistoryDatabase&) = delete;
  HistoryDatabase& operator=(const HistoryDatabase&) = delete;

  // Opens path for recording: the folder and the file are made when missing, an older schema
  // is brought up to date in one transaction, a newer one is opened read-only, a corrupt file
  // is renamed aside (now names it) and a new one started.
  OpenResult openForRecording(const QString& path, const QDateTime& now);
  // Opens path to read, never changing it; a missing file is not made.
  OpenResult openReadOnly(const QString& path);
  void close();

  bool isOpen() const;
  bool writable() const { return writable_; }
  QString path() const { return path_; }
  QSqlDatabase connection() const;
  // What SQLite last said, and whether it called the file corrupt.
  QString lastError() const { return lastError_; }
  bool lastErrorWasCorruption() const { return lastErrorCorrupt_; }

  // Inserts the row open (its id, outcome, as_left, completion and hashes are not taken); its id.
  std::optional<qint64> insertOpen(const WriteRow& row);
  // Completes an open row: its outcome and verification read, and the next place in the chain.
  // False when the row is not open or the change failed.
  bool complete(qint64 id, Outcome outcome, const std::optional<QByteArray>& asLeft,
                const QDateTime& completedAt);
  // Completes as interrupted every open row whose writer cutOff() says has gone; how many.
  std::optional<int> completeInterrupted(const std::function<bool(const WriteRow&)>& cutOff,
                                         const QDateTime& completedAt);

  // The rows the filter keeps, newest first.
  std::optional<std::vector<WriteRow>> rows(const RowFilter& filter = {});
  // The same rows' query, run, for a view over them (first column: id).
  QSqlQuery selectRows(const RowFilter& filter, const QString& columns);
  // Every row in chain order, checked.
  std::optional<ChainCheck> checkChain();
  std::optional<WriteRow> row(qint64 id);

  // The chain's length and its last row's hash (kChainStart for none), as stored, unchecked.
  struct ChainEnd {
    qint64 rows = 0;
    QString lastHash;
  };
  std::optional<ChainEnd> chainEnd();

 private:
  OpenResult open(const QString& path, bool readOnly);
  std::optional<int> schemaVersion();
  bool isIntact();
  bool migrate(int fromVersion);
  bool exec(QSqlQuery& query);
  bool exec(const QString& statement);
  QString keepCorruptFileAside(const QDateTime& now);
  std::optional<std::vector<WriteRow>> readRows(QSqlQuery& query);

  QString connectionName_;
  QString path_;
  bool writable_ = false;
  QString lastError_;
  bool lastErrorCorrupt_ = false;
};

}  // namespace tadjust::history
