#pragma once

// The history window (File > "Write history…", Ctrl+H): the writes of the history file, newest
// first, filtered by a text in the serial number, model or tag and by the days written; the
// selected row's outcome and field changes; its rows exported as CSV; the hash chain checked.
// It opens the file read-only on a connection of its own and never changes it.

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>

#include "history/field_changes.h"
#include "history/history_database.h"
#include "ui/bilingual_text.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"

namespace tadjust {

// The rows shown: the time in local time, the outcome in the window's language.
class HistoryTableModel final : public QSqlQueryModel {
 public:
  explicit HistoryTableModel(bool useEnglish, QObject* parent = nullptr)
      : QSqlQueryModel(parent), useEnglish_(useEnglish) {}
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  bool useEnglish_;
};

class HistoryWindow final : public QDialog {
 public:
  // The columns of the table; the id, first, is hidden.
  enum Column {
    IdColumn,
    TimeColumn,
    SerialColumn,
    ModelColumn,
    TagColumn,
    OutcomeColumn,
    UserColumn
  };

  HistoryWindow(const QString& path, bool useEnglish, MessageBoxes& boxes, FileDialogs& dialogs,
                QWidget* parent = nullptr);

  // Reads the file again with the filter as it stands.
  void refresh();
  void exportCsv();
  void checkIntegrity();
  // The device record of every selected write, regenerated from its stored images, oldest
  // first, on the printer the print dialog sets up (a PDF file among them).
  void printRecords();

  QTableView* table;
  QLineEdit* filter;
  QCheckBox* dateRange;  // the dates below filter only when checked
  QDateEdit* fromDate;
  QDateEdit* toDate;
  QPlainTextEdit* details;  // the selected row's outcome and changes
  QPushButton* exportButton;
  QPushButton* checkButton;
  QPushButton* printButton;  // enabled while rows are selected
  QLabel* summary;  // the chain's entries and its last entry, or why the file cannot be read
  QLabel* checkResult;

 private:
  QString text(const BilingualText& t) const { return t.in(useEnglish_); }
  history::RowFilter currentFilter() const;
  void showSelectedRow();
  void showSummary();
  std::vector<qint64> selectedIds() const;

  bool useEnglish_;
  MessageBoxes& boxes_;
  FileDialogs& dialogs_;
  history::HistoryDatabase database_;
  bool readable_ = false;
  HistoryTableModel* model_;
};

// A row's changes as people read them: each field by its row's caption in the language, the
// values before and after with the language's decimal separator and their units
// ("Upper range value: 150 [°C] → 1000 [°C]").
QStringList changeLines(const std::vector<history::FieldChange>& changes,
                        const history::WriteRow& row, bool useEnglish);

// The outcome of a row as the window shows it.
QString outcomeText(const std::optional<QString>& outcome, bool useEnglish);

}  // namespace tadjust
