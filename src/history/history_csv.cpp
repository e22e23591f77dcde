#include "history/history_csv.h"

namespace tadjust::history {

namespace {

QString number(const std::optional<qint64>& value) {
  return value ? QString::number(*value) : QString();
}

QString hex(const std::optional<QByteArray>& bytes) {
  return bytes ? QString::fromLatin1(bytes->toHex()) : QString();
}

QString text(const std::optional<QString>& value) {
  return csvTextField(value.value_or(QString()));
}

QStringList fieldsOf(const WriteRow& row) {
  return {QString::number(row.id),
          number(row.sequence),
          text(row.writtenAt),
          text(row.completedAt),
          text(row.user),
          text(row.host),
          text(row.programVersion),
          QString::number(row.processId),
          text(row.port),
          text(row.model),
          QString::number(row.productCode),
          QString::number(row.serialNumber),
          text(row.tag),
          text(row.outcome),
          hex(row.asFound),
          hex(row.sent),
          hex(row.asLeft),
          text(row.changes),
          text(row.prevHash),
          text(row.hash),
          number(row.openingSequence),
          text(row.openingHash),
          number(row.answeredProductCode),
          number(row.answeredSerialNumber)};
}

}  // namespace

QString formulaGuarded(const QString& text) {
  if (text.isEmpty()) return text;
  switch (text.front().unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
    case '\'':
      return QLatin1Char('\'') + text;
    default:
      break;
  }
  return text;
}

QString csvField(const QString& field) {
  const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                      field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
  if (!quoted) return field;
  QString escaped = field;
  escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString csvTextField(const QString& text) { return csvField(formulaGuarded(text)); }

QByteArray csvRecord(const QStringList& fields) {
  return fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QStringList csvColumns() {
  return {"id",
          "sequence",
          "written_at",
          "completed_at",
          "user",
          "host",
          "program_version",
          "process_id",
          "port",
          "model",
          "product_code",
          "serial_number",
          "tag",
          "outcome",
          "as_found",
          "sent",
          "as_left",
          "changes",
          "prev_hash",
          "hash",
          "opening_sequence",
          "opening_hash",
          "answered_product_code",
          "answered_serial_number"};
}

QByteArray csvOf(const std::vector<WriteRow>& rows) {
  QByteArray csv = csvRecord(csvColumns());
  for (const WriteRow& row : rows) csv += csvRecord(fieldsOf(row));
  return csv;
}

}  // namespace tadjust::history
