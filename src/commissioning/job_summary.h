#pragma once

// The job's summary: each row's tag, model, serial number, outcome, time and the history entry
// of its write, as a CSV file for a spreadsheet and a PDF page for the paper file.

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

#include "commissioning/commissioning_job.h"

namespace tadjust {

// The PDF's words in the chosen language.
struct SummaryTexts {
  QString title;             // "Commissioning summary"
  QStringList lines;         // under the title: the list, when made, the progress
  QStringList headings;      // the seven columns
  QStringList outcomeNames;  // waiting, verified, skipped, failed
  QLocale locale;            // the times
};

// The row's outcome: 0 waiting, 1 verified, 2 skipped, 3 failed (waiting after a failed write).
int outcomeOf(const RowProgress& progress);

// The summary as CSV for other programs: UTF-8, comma separated, CR LF, the header row
// tag,model,serial_number,outcome,time,history_sequence,history_hash; outcomes "waiting",
// "verified", "skipped", "failed"; times in UTC, ISO 8601. Every text cell guarded against a
// spreadsheet's formulas as the write history's export guards its own (history_csv.h).
QByteArray summaryCsv(const CommissioningJob& job);

struct SummaryFileResult {
  bool written = false;
  QString error;
};
// The summary as a PDF (A4 landscape) through QSaveFile.
SummaryFileResult writeSummaryPdf(const CommissioningJob& job, const SummaryTexts& texts,
                                  const QString& path);

}  // namespace tadjust
