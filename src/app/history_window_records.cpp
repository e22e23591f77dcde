// The history window's "Print records…": the device records of the selected writes.

#include <QPrinter>
#include <algorithm>

#include "app/file_command_texts.h"
#include "app/history_texts.h"
#include "app/history_window.h"
#include "record/history_record.h"
#include "record/record_output.h"

namespace tadjust {

std::vector<qint64> HistoryWindow::selectedIds() const {
  std::vector<qint64> ids;
  for (const QModelIndex& index : table->selectionModel()->selectedRows(IdColumn))
    ids.push_back(model_->data(index, Qt::EditRole).toLongLong());
  std::sort(ids.begin(), ids.end());
  return ids;
}

void HistoryWindow::printRecords() {
  std::vector<DeviceRecord> records;
  for (const qint64 id : selectedIds())
    if (const std::optional<history::WriteRow> row = database_.row(id))
      records.push_back(recordOfHistoryRow(*row, useEnglish_));
  if (records.empty()) return;
  QPrinter printer(QPrinter::HighResolution);
  prepareRecordPrinter(printer, records.front());
  if (!dialogs_.choosePrinter(printer, text(history_texts::PrintRecordsCaption))) return;
  if (!tadjust::printRecords(records, printer)) {
    boxes_.ask(file_command_texts::RecordNotPrintedCaption.in(useEnglish_),
               file_command_texts::RecordNotPrintedText.in(useEnglish_), Buttons::Ok);
  }
}

}  // namespace tadjust
