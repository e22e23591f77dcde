#include "history/hash_chain.h"

#include <QCryptographicHash>
#include <algorithm>
#include <map>
#include <set>

namespace tadjust::history {

namespace {

// NULL as SQLite stores a bound value: a null variant, or a null text or byte array.
bool isSqlNull(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return true;
  if (value.typeId() == QMetaType::QString) return value.toString().isNull();
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().isNull();
  return false;
}

QByteArray encodedValue(const QVariant& value, ColumnKind kind) {
  if (isSqlNull(value)) return QByteArrayLiteral("-");
  switch (kind) {
    case ColumnKind::Integer:
      return QByteArray::number(value.toLongLong());
    case ColumnKind::Text:
      return value.toString().toUtf8().toHex();
    case ColumnKind::Blob:
      break;
  }
  return value.toByteArray().toHex();
}

}  // namespace

QString entryName(EntryType type, qint64 writeId) {
  switch (type) {
    case EntryType::Opening:
      return QStringLiteral("the opening of write %1").arg(writeId);
    case EntryType::Completion:
      return QStringLiteral("the completion of write %1").arg(writeId);
    case EntryType::Schema1Row:
      break;
  }
  return QStringLiteral("write %1 (schema 1)").arg(writeId);
}

QByteArray canonicalEncoding(const EntryKind& kind, const std::vector<QVariant>& values) {
  QByteArray encoding(kind.header.data(), static_cast<qsizetype>(kind.header.size()));
  for (std::size_t i = 0; i < kind.columns.size(); ++i) {
    encoding += '\n';
    encoding += kind.columns[i].name;
    encoding += '=';
    encoding += encodedValue(i < values.size() ? values[i] : QVariant(), kind.columns[i].kind);
  }
  return encoding;
}

QString entryHash(const EntryKind& kind, const std::vector<QVariant>& values) {
  return QString::fromLatin1(
      QCryptographicHash::hash(canonicalEncoding(kind, values), QCryptographicHash::Sha256)
          .toHex());
}

ChainCheck checkChain(std::vector<StoredEntry> entries) {
  // The chain's order; entries without a place come last.
  std::stable_sort(entries.begin(), entries.end(), [](const StoredEntry& a, const StoredEntry& b) {
    if (a.sequence.has_value() != b.sequence.has_value()) return a.sequence.has_value();
    return a.sequence.value_or(0) < b.sequence.value_or(0);
  });
  ChainCheck check;
  auto broken = [&check](const StoredEntry& entry, const QString& why) {
    const qint64 write = entry.type == EntryType::Completion ? entry.writeId : entry.id;
    check.brokenSequence = entry.sequence;
    check.brokenWriteId = write;
    const QString place =
        entry.sequence
            ? QStringLiteral("entry %1 (%2)").arg(*entry.sequence).arg(entryName(entry.type, write))
            : entryName(entry.type, write);
    check.reason = place + QStringLiteral(": ") + why;
    return check;
  };
  std::map<qint64, QString> openings;  // write id -> the opening's hash
  std::set<qint64> completed;
  qint64 expected = 1;
  for (const StoredEntry& entry : entries) {
    if (!entry.sequence) {
      // A row of schema 1 was open when its file was brought up to date: outside the chain, and
      // never completed since. Anything else without a place was taken out of the chain.
      if (entry.type == EntryType::Schema1Row && !entry.completedFields) {
        ++check.writes;
        ++check.openWrites;
        continue;
      }
      return broken(entry, QStringLiteral("it has no place in the chain"));
    }
    if (*entry.sequence < expected) {
      return broken(entry, QStringLiteral("another entry has its place in the chain"));
    }
    if (*entry.sequence > expected) {
      return broken(entry, QStringLiteral("entry %1 was expected here; an entry before it is "
                                          "missing or out of place")
                               .arg(expected));
    }
    if (entry.prevHash != check.lastHash) {
      return broken(entry, QStringLiteral("its prev_hash is not the hash of the entry before it"));
    }
    if (!entry.hash || *entry.hash != entry.computedHash) {
      return broken(entry, QStringLiteral("its contents do not give its hash"));
    }
    switch (entry.type) {
      case EntryType::Opening:
        openings[entry.id] = *entry.hash;
        ++check.writes;
        break;
      case EntryType::Completion: {
        const auto opening = openings.find(entry.writeId);
        if (opening == openings.end()) {
          return broken(
              entry, QStringLiteral("no opening of write %1 comes before it").arg(entry.writeId));
        }
        if (completed.count(entry.writeId) != 0) {
          return broken(entry, QStringLiteral("write %1 is completed already").arg(entry.writeId));
        }
        if (entry.writeHash != opening->second) {
          return broken(entry, QStringLiteral("its write_hash is not the hash of the opening of "
                                              "write %1")
                                   .arg(entry.writeId));
        }
        completed.insert(entry.writeId);
        break;
      }
      case EntryType::Schema1Row:
        ++check.writes;
        break;
    }
    check.lastHash = *entry.hash;
    check.lastSequence = *entry.sequence;
    ++check.entries;
    ++expected;
  }
  check.openWrites += static_cast<qint64>(openings.size() - completed.size());
  return check;
}

}  // namespace tadjust::history
