#pragma once

// The hash chain that makes the history tamper-evident. Each completed row's hash is the
// SHA-256 (lowercase hex) of its canonical encoding, which holds every column but `hash`,
// prev_hash among them: the hash of the row completed before it, 64 zeros for the first. A row
// changed, deleted or moved breaks the chain at that row or at the one after it.
//
// The canonical encoding, version 1 (docs/history.md shows how to compute it without T-adjust):
// the line "t-adjust-writes-1", then one line "column=value" for each column of
// kHashedColumns in that order, lines joined by a line feed (no line feed at the end), UTF-8.
// A value is "-" for NULL, the decimal number for an integer column, and the lowercase hex of
// the bytes for a text (its UTF-8) or blob column.

#include <QString>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "history/write_row.h"

namespace tadjust::history {

inline constexpr std::string_view kEncodingHeader = "t-adjust-writes-1";
// The prev_hash of the first row of a chain.
inline const QString kChainStart = QString(64, QLatin1Char('0'));

enum class ColumnKind { Integer, Text, Blob };

struct HashedColumn {
  const char* name;
  ColumnKind kind;
};

// Every column of `writes` but `hash`, in the order of the encoding.
inline constexpr std::array<HashedColumn, 19> kHashedColumns{{
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

QByteArray canonicalEncoding(const WriteRow& row);
QString rowHash(const WriteRow& row);

// What a check of the chain found. A broken chain names the first row (in chain order) that
// does not hold; rows still open are not part of the chain and are counted apart.
struct ChainCheck {
  qint64 rows = 0;      // completed rows checked (all of them when the chain holds)
  qint64 openRows = 0;  // rows inserted and not yet completed
  QString lastHash;     // the hash of the chain's last row; kChainStart when it has none
  std::optional<qint64> brokenRowId;
  std::optional<qint64> brokenSequence;
  QString reason;  // why the named row breaks the chain (English)

  bool holds() const { return !brokenRowId.has_value(); }
};

// Checks rows given in chain order (ascending sequence); open rows may come anywhere.
ChainCheck checkChain(const std::vector<WriteRow>& rows);

}  // namespace tadjust::history
