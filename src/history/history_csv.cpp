#include "history/history_csv.h"

namespace tadjust::history {

namespace {

QString csvField(const QString& value) {
  const bool quoted = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                      value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
  if (!quoted) return value;
  QString escaped = value;
  escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString number(const std::optional<qint64>& value) {
  return value ? QString::number(*value) : QString();
}

QString hex(const std::optional<QByteArray>& bytes) {
  return bytes ? QString::fromLatin1(bytes->toHex()) : QString();
}

QStringList fieldsOf(const WriteRow& row) {
  return {QString::number(row.id),
          number(row.sequence),
          row.writtenAt,
          row.completedAt.value_or(QString()),
          row.user,
          row.host,
          row.programVersion,
          QString::number(row.processId),
          row.port,
          row.model,
          QString::number(row.productCode),
          QString::number(row.serialNumber),
          row.tag,
          row.outcome.value_or(QString()),
          hex(row.asFound),
          hex(row.sent),
          hex(row.asLeft),
          row.changes,
          row.prevHash.value_or(QString()),
          row.hash.value_or(QString())};
}

void appendLine(QByteArray& csv, const QStringList& fields) {
  QStringList quoted;
  for (const QString& field : fields) quoted << csvField(field);
  csv += quoted.join(QLatin1Char(',')).toUtf8();
  csv += "\r\n";
}

}  // namespace

QStringList csvColumns() {
  return {"id",           "sequence",        "written_at", "completed_at", "user",
          "host",         "program_version", "process_id", "port",         "model",
          "product_code", "serial_number",   "tag",        "outcome",      "as_found",
          "sent",         "as_left",         "changes",    "prev_hash",    "hash"};
}

QByteArray csvOf(const std::vector<WriteRow>& rows) {
  QByteArray csv;
  appendLine(csv, csvColumns());
  for (const WriteRow& row : rows) appendLine(csv, fieldsOf(row));
  return csv;
}

}  // namespace tadjust::history
