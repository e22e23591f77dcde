#pragma once

// The file and print dialogs, injected like the message boxes so that tests choose the file or
// the printer themselves and no real dialog opens.

#include <QString>
#include <memory>
#include <vector>

class QDialog;
class QPrinter;

namespace tadjust {

// What a file dialog shows: its caption, where it starts (a folder, or a file name in one) and
// the filter of the files it offers ("T-adjust settings (*.tadj)").
struct FileQuestion {
  QString caption;
  QString startAt;
  QString filter;
};

// Two sets of a device's settings side by side: one row a setting, each differing row marked.
struct ComparedSetting {
  QString caption;  // without its colon
  QString left;     // value and unit
  QString right;
  bool differs = false;
};
struct Comparison {
  QString title;  // names both sides
  QString leftHeading;
  QString rightHeading;
  std::vector<ComparedSetting> rows;
  bool useEnglish = true;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The file the user chose to write; empty when the dialog was cancelled.
  virtual QString chooseFileToSave(const FileQuestion& question) = 0;
  // The file the user chose to read; empty when the dialog was cancelled.
  virtual QString chooseFileToOpen(const FileQuestion& question) = 0;
  // The print dialog: the user chooses and sets up the printer; false when cancelled.
  virtual bool choosePrinter(QPrinter& printer, const QString& caption) = 0;
  // Shows a comparison until the user closes it.
  virtual void showComparison(const Comparison& comparison) = 0;
};

// The real dialogs: QFileDialog and QPrintDialog, owned by the active window.
class QtFileDialogs final : public FileDialogs {
 public:
  QString chooseFileToSave(const FileQuestion& question) override;
  QString chooseFileToOpen(const FileQuestion& question) override;
  bool choosePrinter(QPrinter& printer, const QString& caption) override;
  void showComparison(const Comparison& comparison) override;
};

// The comparison's dialog: a table of the settings, a differing row bold and marked "differs" in
// a column of its own (a screen reader reads it; the difference is never told by colour alone).
std::unique_ptr<QDialog> makeComparisonDialog(const Comparison& comparison);

// fileName in the user's documents folder, where every file dialog of the program starts.
QString inDocumentsFolder(const QString& fileName = {});

}  // namespace tadjust
