#pragma once

// A reader of RFC 4180 CSV written apart from the program's writer, so that a test reads an
// export back as any spreadsheet would: quoted fields, doubled quotes, line breaks inside quotes,
// CR LF between records.

#include <QString>
#include <QStringList>
#include <vector>

namespace tadjust::testing {

// The records of the text; an empty vector when a quote is never closed.
inline std::vector<QStringList> readCsv(const QString& text) {
  std::vector<QStringList> records;
  QStringList record;
  QString field;
  bool quoted = false;
  bool fieldStarted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
      fieldStarted = true;
    } else if (c == ',') {
      record << field;
      field.clear();
      fieldStarted = true;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      record << field;
      records.push_back(record);
      record.clear();
      field.clear();
      fieldStarted = false;
      ++i;
    } else {
      field += c;
      fieldStarted = true;
    }
  }
  if (quoted) return {};
  if (fieldStarted || !field.isEmpty()) {
    record << field;
    records.push_back(record);
  }
  return records;
}

}  // namespace tadjust::testing
