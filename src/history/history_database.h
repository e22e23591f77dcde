#pragma once

// The write history's database: one SQLite file (history.sqlite) through Qt SQL, its schema
// version in PRAGMA user_version. A program records through one HistoryDatabase; readers (the
// history window, t-adjust-history) open the file read-only and never change it.
//
// The history is append-only: a write's opening and its completion are entries of the hash chain
// (hash_chain.h), each stored once, in one immediate transaction that takes the chain's last
// entry as its predecessor, so two programs recording into the same file never take the same
// one. Nothing stored is ever updated or deleted. A program waits up to kBusyTimeout for another
// one's lock.
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
// The schema this program writes; PRAGMA user_version of a file brought up to date. Schema 1 had
// one table `writes` whose rows were completed in place; a file of schema 1 keeps its rows, as
// they were, in `writes_v1`.
inline constexpr int kSchemaVersion = 2;
inline constexpr std::chrono::milliseconds kBusyTimeout{5000};

// A moment as the tables write it: UTC, ISO 8601 with milliseconds.
QString historyTime(const QDateTime& moment);

enum class HistoryProblem {
  None,
  NoFolder,           // the folder cannot be made (a file stands in its place, say)
  FolderNotWritable,  // nothing can be made in the folder
  NotAFile,           // a folder (or another non-file) stands where the file should be
  Locked,             // another program held the file longer than kBusyTimeout
  DiskFull,
  ReadOnly,     // the file may not be written
  CannotOpen,   // SQLite cannot read the file, or bring it up to date
  NewerSchema,  // written by a newer program: open read-only
  NotRecorded,  // an entry could not be stored for another reason (detail: SQLite's words)
  ChainBroken,  // the chain does not hold: open writes of ended programs are left alone
};

struct OpenResult {
  HistoryProblem problem = HistoryProblem::None;
  QString detail;         // SQLite's or the system's own words; the schema version for NewerSchema
  QString corruptKeptAs;  // the name a corrupt file was given when it was renamed aside
  bool readable = false;  // rows can be read
  bool writable = false;  // entries can be stored
};

// Which writes a reader wants: all of them, or those of a serial number (the device written or
// the device that answered), those whose serial numbers, model or tag hold a text, those written
// in a span of time.
struct RowFilter {
  std::optional<qint64> serialNumber;
  QString containing;               // in a serial number, the model or the tag
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
  // What SQLite last said, what kind of problem that is, and whether it called the file corrupt.
  QString lastError() const { return lastError_; }
  HistoryProblem lastProblem() const { return lastProblem_; }
  bool lastErrorWasCorruption() const { return lastErrorCorrupt_; }

  // Stores a write's opening as the chain's next entry; its id (the write's), place and hash.
  std::optional<ChainEntry> appendOpening(const WriteOpening& opening);
  // Stores the completion of the write whose opening is (writeId, writeHash) as the chain's next
  // entry. Refused when that write is completed already.
  std::optional<ChainEntry> appendCompletion(qint64 writeId, const QString& writeHash,
                                             const WriteCompletion& completion);

  // The writes still open whose program cutOff() says has ended are completed as interrupted,
  // but only when the whole chain holds: a write opened by nobody, or one whose completion was
  // removed, is never completed. How many; the chain's check when it does not hold.
  struct Interrupted {
    int completed = 0;
    std::optional<ChainCheck> brokenChain;
  };
  std::optional<Interrupted> completeInterrupted(const std::function<bool(const WriteRow&)>& cutOff,
                                                 const QDateTime& completedAt);

  // The writes the filter keeps, each with its completion.
  std::optional<std::vector<WriteRow>> rows(const RowFilter& filter = {});
  // The same writes' query, run, for a view over them (the columns of a WriteRow by their table
  // names: id, written_at, serial_number, outcome, answered_serial_number, ...).
  QSqlQuery selectRows(const RowFilter& filter, const QString& columns);
  std::optional<WriteRow> row(qint64 id);
  // Every entry of every table, checked in chain order.
  std::optional<ChainCheck> checkChain();
  // The hash the entry at sequence holds, as stored; none when no entry has that place.
  std::optional<std::optional<QString>> storedHash(qint64 sequence);

  // The chain's length and its last entry, as stored, unchecked.
  struct ChainEnd {
    qint64 entries = 0;
    qint64 lastSequence = 0;
    QString lastHash;  // kChainStart for none
  };
  std::optional<ChainEnd> chainEnd();

 private:
  OpenResult open(const QString& path, bool readOnly);
  std::optional<int> schemaVersion();
  bool isIntact();
  bool migrate();
  bool exec(QSqlQuery& query);
  bool exec(const QString& statement);
  void takeError(const QSqlError& error);
  QString keepCorruptFileAside(const QDateTime& now);
  // The rows' source: the writes joined to their completions, and the rows of schema 1.
  QString rowSource() const;
  QString entrySource(const QString& columns) const;
  // A value of an entry to append, beside the column it is for.
  struct ColumnValue {
    const char* column;
    QVariant value;
  };
  // Appends an entry of the kind: its values name their columns, in the columns' order; id,
  // sequence and prev_hash are given here and left empty by the caller.
  std::optional<ChainEntry> appendEntry(const EntryKind& kind,
                                        const std::vector<ColumnValue>& named,
                                        const std::function<std::optional<QString>()>& refusal);
  std::optional<std::vector<WriteRow>> readRows(QSqlQuery& query);
  bool readEntries(const EntryKind& kind, std::vector<StoredEntry>& entries);

  QString connectionName_;
  QString path_;
  bool writable_ = false;
  bool hasSchema1Rows_ = false;  // the file holds rows of schema 1
  bool schema1Only_ = false;     // a file of schema 1 read as it is: its rows are in `writes`
  QString lastError_;
  HistoryProblem lastProblem_ = HistoryProblem::None;
  bool lastErrorCorrupt_ = false;
};

}  // namespace tadjust::history
