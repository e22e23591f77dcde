#include "record/record_output.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

#include "record/record_pages.h"
#include "record/record_texts.h"

namespace tadjust {

namespace {

// Print quality; the text stays text at any resolution.
constexpr int kPdfResolution = 600;

QPageLayout a4Portrait() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

QString documentTitle(const DeviceRecord& record) {
  return QStringLiteral("%1 %2 %3")
      .arg(record_texts::Heading.in(record.useEnglish), record.identity.model,
           record.identity.serialNumber);
}

}  // namespace

QString recordFileName(const DeviceRecord& record) {
  QString model = record.identity.model;
  model.replace(QLatin1Char('/'), QLatin1Char('-'));
  return QStringLiteral("%1-%2-%3.pdf")
      .arg(model, record.identity.serialNumber,
           record.made.date().toString(QStringLiteral("yyyy-MM-dd")));
}

RecordFileResult writeRecordPdf(const DeviceRecord& record, const QString& path) {
  return writeRecordsPdf({record}, path);
}

RecordFileResult writeRecordsPdf(const std::vector<DeviceRecord>& records, const QString& path) {
  if (records.empty()) return {false, QStringLiteral("no record to write")};
  const DeviceRecord& record = records.front();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};
  bool painted = false;
  {
    // The writer finishes the PDF when it goes, before the file is committed.
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(a4Portrait());
    pdf.setTitle(records.size() == 1 ? documentTitle(record)
                                     : record_texts::Heading.in(record.useEnglish));
    pdf.setCreator(record.program);
    painted = paintDeviceRecords(pdf, records);
  }
  if (!painted) {
    file.cancelWriting();
    return {false, file.errorString()};
  }
  if (!file.commit()) return {false, file.errorString()};
  return {true, {}};
}

void prepareRecordPrinter(QPrinter& printer, const DeviceRecord& record) {
  printer.setPageLayout(a4Portrait());
  printer.setDocName(documentTitle(record));
}

bool printRecord(const DeviceRecord& record, QPrinter& printer) {
  return paintDeviceRecord(printer, record);
}

bool printRecords(const std::vector<DeviceRecord>& records, QPrinter& printer) {
  return paintDeviceRecords(printer, records);
}

}  // namespace tadjust
