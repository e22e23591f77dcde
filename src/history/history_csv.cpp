#include "history/history_csv.h"

#include "history/write_row_columns.h"

namespace tadjust::history {

namespace {

QStringList fieldsOf(const WriteRow& row) {
  QStringList fields;
  for (const RowColumn& column : rowColumns()) fields << column.csvText(row);
  return fields;
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
  QStringList names;
  for (const RowColumn& column : rowColumns()) names << QString::fromLatin1(column.name);
  return names;
}

QByteArray csvOf(const std::vector<WriteRow>& rows) {
  QByteArray csv = csvRecord(csvColumns());
  for (const WriteRow& row : rows) csv += csvRecord(fieldsOf(row));
  return csv;
}

}  // namespace tadjust::history
