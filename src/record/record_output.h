#pragma once

// The device record written as a PDF file or sent to a printer.

#include <QPrinter>
#include <QString>
#include <vector>

#include "record/device_record.h"

namespace tadjust {

// Writes the record as a PDF through QSaveFile: the file appears whole or not at all. On a
// failure the answer is the reason as the system words it.
struct RecordFileResult {
  bool written = false;
  QString error;
};
// This is the one way the program writes a record to a file: the File menu's export, a
// commissioning job's <tag>-<serial>.pdf and the history's records alike.
RecordFileResult writeRecordPdf(const DeviceRecord& record, const QString& path);
// Several records in one PDF, each from a new page; none is refused.
RecordFileResult writeRecordsPdf(const std::vector<DeviceRecord>& records, const QString& path);

// Sets the printer up for the record (A4 portrait, the document named as the PDF would be),
// before the print dialog shows it.
void prepareRecordPrinter(QPrinter& printer, const DeviceRecord& record);
// Prints the record on the printer the print dialog set up. False when it could not be printed.
bool printRecord(const DeviceRecord& record, QPrinter& printer);
bool printRecords(const std::vector<DeviceRecord>& records, QPrinter& printer);

}  // namespace tadjust
