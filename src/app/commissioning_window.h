#pragma once

// The job window of commissioning from a list: one window beside the main window (not a dock,
// not modal: the main window's controls keep working). It lists the list's rows with their state
// and progress ("12 of 40"), says what the job does, and offers entering the selected row,
// skipping a row and the job's summary. It shows what CommissioningCommands gives it and decides
// nothing.

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "commissioning/commissioning_job.h"
#include "ui/bilingual_text.h"

namespace tadjust {

class CommissioningWindow : public QWidget {
 public:
  CommissioningWindow(bool useEnglish, QWidget* parent);

  // The rows with their states; notes: one per row (what the job says of it).
  void showJob(const CommissioningJob& job, const std::vector<QString>& notes);
  void setStatus(const QString& text);
  // The row selected in the list, if one is.
  std::optional<std::size_t> selectedRow() const;
  void clearSelection();

  std::function<void()> enterRowClicked;
  std::function<void()> skipRowClicked;
  std::function<void()> summaryClicked;
  // The window was closed: the job ends (its state is saved; opening the list resumes it).
  std::function<void()> closed;

  QTableWidget* rows;
  QLabel* progress;
  QLabel* status;
  QPushButton* enterRow;
  QPushButton* skipRow;
  QPushButton* summary;
  QPushButton* closeButton;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QString text(const BilingualText& t) const { return t.in(useEnglish_); }
  void updateSkipCaption();

  bool useEnglish_;
  const CommissioningJob* job_ = nullptr;
};

}  // namespace tadjust
