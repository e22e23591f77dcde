#pragma once

// The hash chain that makes the history tamper-evident and append-only. Every fact is an entry
// of the chain when it is stored, and no entry is ever changed: a write's opening (table
// `writes`) and its completion (table `completions`) are entries of their own, and the rows of a
// file of schema 1 (table `writes_v1`) keep the single entry each they had. `sequence` orders the
// entries of all tables from 1; an entry's hash is the SHA-256 (lowercase hex) of its canonical
// encoding, which holds every column but `hash`, prev_hash among them: the hash of the entry
// before it, 64 zeros for the first. An entry changed, deleted or moved breaks the chain at that
// entry or at the one after it.
//
// The canonical encoding (docs/history.md shows how to compute it without T-adjust): the entry's
// header line, then one line "column=value" for each of its columns in order, lines joined by a
// line feed (no line feed at the end). A value is "-" for NULL, the decimal number for an
// integer column, and the lowercase hex of the bytes for a text (its UTF-8) or blob column.

#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tadjust::history {

// The prev_hash of the chain's first entry.
inline const QString kChainStart = QString(64, QLatin1Char('0'));

enum class ColumnKind { Integer, Text, Blob };

struct HashedColumn {
  const char* name;
  ColumnKind kind;
  const char* declaration = "";  // its type and constraints in the table's definition
};

// A write's opening: every column of `writes` but `hash`, in the order of the encoding.
inline constexpr std::array<HashedColumn, 16> kOpeningColumns{{
    {"id", ColumnKind::Integer, "INTEGER PRIMARY KEY"},
    {"sequence", ColumnKind::Integer, "INTEGER NOT NULL UNIQUE"},
    {"written_at", ColumnKind::Text, "TEXT NOT NULL"},
    {"user", ColumnKind::Text, "TEXT NOT NULL"},
    {"host", ColumnKind::Text, "TEXT NOT NULL"},
    {"program_version", ColumnKind::Text, "TEXT NOT NULL"},
    {"process_id", ColumnKind::Integer, "INTEGER NOT NULL"},
    {"port", ColumnKind::Text, "TEXT NOT NULL"},
    {"model", ColumnKind::Text, "TEXT NOT NULL"},
    {"product_code", ColumnKind::Integer, "INTEGER NOT NULL"},
    {"serial_number", ColumnKind::Integer, "INTEGER NOT NULL"},
    {"tag", ColumnKind::Text, "TEXT NOT NULL"},
    {"as_found", ColumnKind::Blob, "BLOB NOT NULL"},
    {"sent", ColumnKind::Blob, "BLOB NOT NULL"},
    {"changes", ColumnKind::Text, "TEXT NOT NULL"},
    {"prev_hash", ColumnKind::Text, "TEXT NOT NULL"},
}};

// A write's completion: every column of `completions` but `hash`. write_hash is the hash of the
// opening it completes, so a completion names its opening by contents as well as by id.
inline constexpr std::array<HashedColumn, 10> kCompletionColumns{{
    {"id", ColumnKind::Integer, "INTEGER PRIMARY KEY"},
    {"sequence", ColumnKind::Integer, "INTEGER NOT NULL UNIQUE"},
    {"write_id", ColumnKind::Integer, "INTEGER NOT NULL"},
    {"write_hash", ColumnKind::Text, "TEXT NOT NULL"},
    {"completed_at", ColumnKind::Text, "TEXT NOT NULL"},
    {"outcome", ColumnKind::Text, "TEXT NOT NULL"},
    {"as_left", ColumnKind::Blob, "BLOB"},
    {"answered_product_code", ColumnKind::Integer, "INTEGER"},
    {"answered_serial_number", ColumnKind::Integer, "INTEGER"},
    {"prev_hash", ColumnKind::Text, "TEXT NOT NULL"},
}};

// A row of schema 1 (`writes_v1`): opened and completed in one entry.
inline constexpr std::array<HashedColumn, 19> kSchema1Columns{{
    {"id", ColumnKind::Integer},
    {"sequence", ColumnKind::Integer},
    {"written_at", ColumnKind::Text},
    {"completed_at", ColumnKind::Text},
    {"user", ColumnKind::Text},
    {"host", ColumnKind::Text},
    {"program_version", ColumnKind::Text},
    {"process_id", ColumnKind::Integer},
    {"port", ColumnKind::Text},
    {"model", ColumnKind::Text},
    {"product_code", ColumnKind::Integer},
    {"serial_number", ColumnKind::Integer},
    {"tag", ColumnKind::Text},
    {"outcome", ColumnKind::Text},
    {"as_found", ColumnKind::Blob},
    {"sent", ColumnKind::Blob},
    {"as_left", ColumnKind::Blob},
    {"changes", ColumnKind::Text},
    {"prev_hash", ColumnKind::Text},
}};

enum class EntryType { Opening, Completion, Schema1Row };

struct EntryKind {
  EntryType type;
  const char* table;
  std::string_view header;  // the encoding's first line
  std::span<const HashedColumn> columns;
};

inline constexpr EntryKind kOpeningEntry{EntryType::Opening, "writes", "t-adjust-opening-2",
                                         kOpeningColumns};
inline constexpr EntryKind kCompletionEntry{EntryType::Completion, "completions",
                                            "t-adjust-completion-2", kCompletionColumns};
inline constexpr EntryKind kSchema1Entry{EntryType::Schema1Row, "writes_v1", "t-adjust-writes-1",
                                         kSchema1Columns};

// The encoding of an entry whose values are given in the order of kind.columns (a null QVariant
// for NULL).
QByteArray canonicalEncoding(const EntryKind& kind, const std::vector<QVariant>& values);
QString entryHash(const EntryKind& kind, const std::vector<QVariant>& values);

// An entry as stored, ready to be checked.
struct StoredEntry {
  EntryType type = EntryType::Opening;
  qint64 id = 0;
  std::optional<qint64> sequence;
  std::optional<QString> prevHash;
  std::optional<QString> hash;
  QString computedHash;  // the hash of the entry's contents as stored
  // A completion's write and the hash of the opening it names.
  qint64 writeId = 0;
  std::optional<QString> writeHash;
  // A row of schema 1 that holds anything of a completion (an outcome, a hash, ...).
  bool completedFields = false;
};

// What a check of the chain found. A broken chain names the first entry (in chain order) that
// does not hold.
struct ChainCheck {
  qint64 entries = 0;     // chain entries checked (all of them when the chain holds)
  qint64 writes = 0;      // writes among them (openings, rows of schema 1), and open schema-1 rows
  qint64 openWrites = 0;  // writes without their completion
  qint64 lastSequence = 0;
  QString lastHash = kChainStart;  // the chain's last entry; kChainStart when it has none
  std::optional<qint64> brokenSequence;
  std::optional<qint64> brokenWriteId;  // the write the broken entry belongs to
  QString reason;                       // why the named entry breaks the chain (English)

  bool holds() const { return reason.isEmpty(); }
};

// Checks the entries of every table, in any order.
ChainCheck checkChain(std::vector<StoredEntry> entries);

// "the opening of write 4", "the completion of write 4", "write 4 (schema 1)".
QString entryName(EntryType type, qint64 writeId);

}  // namespace tadjust::history
