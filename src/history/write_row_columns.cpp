#include "history/write_row_columns.h"

#include <QStringList>
#include <optional>
#include <type_traits>

#include "history/history_csv.h"

namespace tadjust::history {

std::optional<QString> textOrNull(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.toString();
}

std::optional<qint64> integerOrNull(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.toLongLong();
}

namespace {

std::optional<QByteArray> blobOrNull(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.toByteArray();
}

QString number(const std::optional<qint64>& value) {
  return value ? QString::number(*value) : QString();
}

QString hex(const std::optional<QByteArray>& bytes) {
  return bytes ? QString::fromLatin1(bytes->toHex()) : QString();
}

QString text(const std::optional<QString>& value) {
  return csvTextField(value.value_or(QString()));
}

// A member's value read from the query and written to the CSV, by the member's type.
template <auto member>
void readMember(WriteRow& row, const QVariant& value) {
  using Type = std::remove_cvref_t<decltype(row.*member)>;
  if constexpr (std::is_same_v<Type, QString>) {
    row.*member = value.toString();
  } else if constexpr (std::is_same_v<Type, std::optional<QString>>) {
    row.*member = textOrNull(value);
  } else if constexpr (std::is_same_v<Type, qint64>) {
    row.*member = value.toLongLong();
  } else if constexpr (std::is_same_v<Type, std::optional<qint64>>) {
    row.*member = integerOrNull(value);
  } else if constexpr (std::is_same_v<Type, QByteArray>) {
    row.*member = value.toByteArray();
  } else {
    static_assert(std::is_same_v<Type, std::optional<QByteArray>>);
    row.*member = blobOrNull(value);
  }
}

template <auto member>
QString csvMember(const WriteRow& row) {
  using Type = std::remove_cvref_t<decltype(row.*member)>;
  if constexpr (std::is_same_v<Type, QString> || std::is_same_v<Type, std::optional<QString>>) {
    return text(row.*member);
  } else if constexpr (std::is_same_v<Type, qint64>) {
    return QString::number(row.*member);
  } else if constexpr (std::is_same_v<Type, std::optional<qint64>>) {
    return number(row.*member);
  } else {
    return hex(row.*member);  // a blob, read or not
  }
}

template <auto member>
constexpr RowColumn column(const char* name, const char* joined, const char* schema1) {
  return {name, joined, schema1, &readMember<member>, &csvMember<member>};
}

// A write's opening is the join's w, its first completion c. Schema 1 has no opening entry and
// no answering device.
const RowColumn kRowColumns[] = {
    column<&WriteRow::id>("id", "w.id", "id"),
    column<&WriteRow::sequence>("sequence", "c.sequence", "sequence"),
    column<&WriteRow::writtenAt>("written_at", "w.written_at", "written_at"),
    column<&WriteRow::completedAt>("completed_at", "c.completed_at", "completed_at"),
    column<&WriteRow::user>("user", "w.user", "user"),
    column<&WriteRow::host>("host", "w.host", "host"),
    column<&WriteRow::programVersion>("program_version", "w.program_version", "program_version"),
    column<&WriteRow::processId>("process_id", "w.process_id", "process_id"),
    column<&WriteRow::port>("port", "w.port", "port"),
    column<&WriteRow::model>("model", "w.model", "model"),
    column<&WriteRow::productCode>("product_code", "w.product_code", "product_code"),
    column<&WriteRow::serialNumber>("serial_number", "w.serial_number", "serial_number"),
    column<&WriteRow::tag>("tag", "w.tag", "tag"),
    column<&WriteRow::outcome>("outcome", "c.outcome", "outcome"),
    column<&WriteRow::asFound>("as_found", "w.as_found", "as_found"),
    column<&WriteRow::sent>("sent", "w.sent", "sent"),
    column<&WriteRow::asLeft>("as_left", "c.as_left", "as_left"),
    column<&WriteRow::changes>("changes", "w.changes", "changes"),
    column<&WriteRow::prevHash>("prev_hash", "c.prev_hash", "prev_hash"),
    column<&WriteRow::hash>("hash", "c.hash", "hash"),
    column<&WriteRow::openingSequence>("opening_sequence", "w.sequence", "NULL"),
    column<&WriteRow::openingHash>("opening_hash", "w.hash", "NULL"),
    column<&WriteRow::answeredProductCode>("answered_product_code", "c.answered_product_code",
                                           "NULL"),
    column<&WriteRow::answeredSerialNumber>("answered_serial_number", "c.answered_serial_number",
                                            "NULL"),
};

QString selectList(const char* RowColumn::*source) {
  QStringList list;
  for (const RowColumn& column : kRowColumns)
    list << QStringLiteral("%1 AS %2")
                .arg(QString::fromLatin1(column.*source), QString::fromLatin1(column.name));
  return list.join(QStringLiteral(", "));
}

}  // namespace

std::span<const RowColumn> rowColumns() { return kRowColumns; }

QString rowColumnNames() {
  QStringList names;
  for (const RowColumn& column : kRowColumns) names << QString::fromLatin1(column.name);
  return names.join(QStringLiteral(", "));
}

QString joinedRowColumns() { return selectList(&RowColumn::joined); }
QString schema1RowColumns() { return selectList(&RowColumn::schema1); }

WriteRow rowOf(const QSqlQuery& query) {
  WriteRow row;
  int i = 0;
  for (const RowColumn& column : kRowColumns) column.read(row, query.value(i++));
  return row;
}

}  // namespace tadjust::history
