#pragma once

// File and print dialogs that answer from the test and record what they were asked: the file
// to save or open (empty: cancelled) and whether a printer is chosen. A chosen printer prints to
// a PDF file of the test's, so what was printed can be read back. Comparisons are kept.

#include <QPrinter>
#include <QString>
#include <vector>

#include "ui/file_dialogs.h"

namespace tadjust::testing {

class ScriptedFileDialogs final : public FileDialogs {
 public:
  QString chooseFileToSave(const FileQuestion& question) override {
    saveQuestions.push_back(question);
    return fileToSave;
  }
  QString chooseFileToOpen(const FileQuestion& question) override {
    openQuestions.push_back(question);
    return fileToOpen;
  }
  bool choosePrinter(QPrinter& printer, const QString& caption) override {
    printCaptions.push_back(caption);
    printerPageSize = printer.pageLayout().pageSize().id();
    if (printTo.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printTo);
    return true;
  }

  void showComparison(const Comparison& comparison) override { comparisons.push_back(comparison); }

  QString fileToSave;
  QString fileToOpen;
  QString printTo;  // empty: the print dialog is cancelled
  std::vector<FileQuestion> saveQuestions;
  std::vector<FileQuestion> openQuestions;
  std::vector<QString> printCaptions;
  std::vector<Comparison> comparisons;
  QPageSize::PageSizeId printerPageSize = QPageSize::Custom;
};

}  // namespace tadjust::testing
