#include "app/record_commands.h"

#include <QFileInfo>
#include <QPrinter>

#include "app/file_command_texts.h"
#include "record/record_output.h"

namespace tadjust {

RecordCommands::RecordCommands(const Form1& form, MessageBoxes& boxes, FileDialogs& dialogs,
                               std::function<DeviceRecord()> gather)
    : form_(form), boxes_(boxes), dialogs_(dialogs), gather_(std::move(gather)) {}

QString RecordCommands::text(const BilingualText& t) const { return t.in(form_.UseEnglish); }

void RecordCommands::exportPdf() {
  const DeviceRecord record = gather_();
  QString path = dialogs_.chooseFileToSave({text(file_command_texts::ExportRecordCaption),
                                            inDocumentsFolder(recordFileName(record)),
                                            text(file_command_texts::PdfFilter)});
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  const RecordFileResult result = writeRecordPdf(record, path);
  if (!result.written) {
    boxes_.ask(text(file_command_texts::RecordNotWrittenCaption),
               text(file_command_texts::RecordNotWrittenText).arg(path, result.error), Buttons::Ok);
  }
}

void RecordCommands::print() {
  const DeviceRecord record = gather_();
  QPrinter printer(QPrinter::HighResolution);
  prepareRecordPrinter(printer, record);
  if (!dialogs_.choosePrinter(printer, text(file_command_texts::PrintRecordCaption))) return;
  if (!printRecord(record, printer)) {
    boxes_.ask(text(file_command_texts::RecordNotPrintedCaption),
               text(file_command_texts::RecordNotPrintedText), Buttons::Ok);
  }
}

}  // namespace tadjust
