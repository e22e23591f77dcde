#pragma once

// "Export record as PDF…" and "Print record…": the record is gathered when the command is
// chosen (what the window shows then), then the user picks the file or the printer through the
// dialog seam; a failure is said in a message box.

#include <QDateTime>
#include <functional>

#include "record/device_record.h"
#include "ui/bilingual_text.h"
#include "ui/file_dialogs.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"

namespace tadjust {

class RecordCommands {
 public:
  // gather: the record of the device the window shows now.
  RecordCommands(const Form1& form, MessageBoxes& boxes, FileDialogs& dialogs,
                 std::function<DeviceRecord()> gather);

  // The save dialog starts in the documents folder at <model>-<serial>-<date>.pdf; a name
  // chosen without a suffix gets ".pdf".
  void exportPdf();
  void print();

 private:
  QString text(const BilingualText& t) const;

  const Form1& form_;
  MessageBoxes& boxes_;
  FileDialogs& dialogs_;
  std::function<DeviceRecord()> gather_;
};

}  // namespace tadjust
