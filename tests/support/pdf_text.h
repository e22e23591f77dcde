#pragma once

// The text of a PDF as Poppler's pdftotext reads it, laid out as on the page (a table's row on
// one line), and its page count as pdfinfo says it.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tadjust::testing {

inline QString pdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                   QStringLiteral("-")});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return {};
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The lines of the text with every run of blanks made one space.
inline QStringList pdfLines(const QString& path) {
  QStringList lines;
  for (const QString& line : pdfText(path).split(QLatin1Char('\n')))
    lines.append(line.simplified());
  return lines;
}

inline int pdfPageCount(const QString& path) {
  QProcess pdfinfo;
  pdfinfo.start(QStringLiteral("pdfinfo"), {path});
  if (!pdfinfo.waitForFinished(30000)) return 0;
  for (const QString& line : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split('\n'))
    if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
  return 0;
}

}  // namespace tadjust::testing
