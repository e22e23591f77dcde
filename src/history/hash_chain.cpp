#include "history/hash_chain.h"

#include <QCryptographicHash>

namespace tadjust::history {

namespace {

QByteArray integerValue(const std::optional<qint64>& value) {
  return value ? QByteArray::number(*value) : QByteArrayLiteral("-");
}

QByteArray textValue(const std::optional<QString>& value) {
  return value ? value->toUtf8().toHex() : QByteArrayLiteral("-");
}

QByteArray blobValue(const std::optional<QByteArray>& value) {
  return value ? value->toHex() : QByteArrayLiteral("-");
}

// The row's value of a hashed column, encoded.
QByteArray encodedValue(const WriteRow& row, std::string_view column) {
  if (column == "id") return integerValue(row.id);
  if (column == "sequence") return integerValue(row.sequence);
  if (column == "written_at") return textValue(row.writtenAt);
  if (column == "completed_at") return textValue(row.completedAt);
  if (column == "user") return textValue(row.user);
  if (column == "host") return textValue(row.host);
  if (column == "program_version") return textValue(row.programVersion);
  if (column == "process_id") return integerValue(row.processId);
  if (column == "port") return textValue(row.port);
  if (column == "model") return textValue(row.model);
  if (column == "product_code") return integerValue(row.productCode);
  if (column == "serial_number") return integerValue(row.serialNumber);
  if (column == "tag") return textValue(row.tag);
  if (column == "outcome") return textValue(row.outcome);
  if (column == "as_found") return blobValue(row.asFound);
  if (column == "sent") return blobValue(row.sent);
  if (column == "as_left") return blobValue(row.asLeft);
  if (column == "changes") return textValue(row.changes);
  return textValue(row.prevHash);  // prev_hash
}

QString rowName(const WriteRow& row) {
  return QStringLiteral("row %1 (id %2)").arg(row.sequence.value_or(0)).arg(row.id);
}

}  // namespace

QByteArray canonicalEncoding(const WriteRow& row) {
  QByteArray encoding(kEncodingHeader.data(), static_cast<qsizetype>(kEncodingHeader.size()));
  for (const HashedColumn& column : kHashedColumns) {
    encoding += '\n';
    encoding += column.name;
    encoding += '=';
    encoding += encodedValue(row, column.name);
  }
  return encoding;
}

QString rowHash(const WriteRow& row) {
  return QString::fromLatin1(
      QCryptographicHash::hash(canonicalEncoding(row), QCryptographicHash::Sha256).toHex());
}

ChainCheck checkChain(const std::vector<WriteRow>& rows) {
  ChainCheck check;
  check.lastHash = kChainStart;
  auto broken = [&check](const WriteRow& row, const QString& reason) {
    check.brokenRowId = row.id;
    check.brokenSequence = row.sequence;
    check.reason = reason;
    return check;
  };
  qint64 expectedSequence = 1;
  for (const WriteRow& row : rows) {
    if (row.isOpen()) {
      // An open row has nothing of a completed one; anything else was taken out of the chain.
      if (row.outcome || row.hash || row.prevHash || row.completedAt)
        return broken(
            row, QStringLiteral("id %1 is completed but has no place in the chain").arg(row.id));
      ++check.openRows;
      continue;
    }
    if (*row.sequence != expectedSequence) {
      return broken(row, QStringLiteral("%1: row %2 was expected here; a row before it is "
                                        "missing or out of place")
                             .arg(rowName(row))
                             .arg(expectedSequence));
    }
    if (row.prevHash != check.lastHash) {
      return broken(row, QStringLiteral("%1: its prev_hash is not the hash of the row before it")
                             .arg(rowName(row)));
    }
    if (!row.hash || *row.hash != rowHash(row)) {
      return broken(row, QStringLiteral("%1: its contents do not give its hash").arg(rowName(row)));
    }
    check.lastHash = *row.hash;
    ++check.rows;
    ++expectedSequence;
  }
  return check;
}

}  // namespace tadjust::history
