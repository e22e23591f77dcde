#include "app/commissioning_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QVBoxLayout>

#include "app/commissioning_texts.h"

namespace tadjust {

namespace {

enum Column { kLine, kTag, kModel, kSettings, kState, kSerial, kTime, kNote, kColumns };

}  // namespace

CommissioningWindow::CommissioningWindow(bool useEnglish, QWidget* parent)
    : QWidget(parent, Qt::Window), useEnglish_(useEnglish) {
  setObjectName(QStringLiteral("commissioningWindow"));
  rows = new QTableWidget(0, kColumns, this);
  rows->setObjectName(QStringLiteral("commissioningRows"));
  rows->setHorizontalHeaderLabels(
      {text(commissioning_texts::LineHeading), text(commissioning_texts::TagHeading),
       text(commissioning_texts::ModelHeading), text(commissioning_texts::SettingsHeading),
       text(commissioning_texts::StateHeading), text(commissioning_texts::SerialHeading),
       text(commissioning_texts::TimeHeading), text(commissioning_texts::NoteHeading)});
  rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows->setSelectionMode(QAbstractItemView::SingleSelection);
  rows->verticalHeader()->hide();
  rows->horizontalHeader()->setStretchLastSection(true);
  progress = new QLabel(this);
  progress->setObjectName(QStringLiteral("commissioningProgress"));
  status = new QLabel(this);
  status->setObjectName(QStringLiteral("commissioningStatus"));
  status->setWordWrap(true);
  enterRow = new QPushButton(text(commissioning_texts::EnterRowButton), this);
  enterRow->setObjectName(QStringLiteral("enterRowButton"));
  skipRow = new QPushButton(text(commissioning_texts::SkipRowButton), this);
  skipRow->setObjectName(QStringLiteral("skipRowButton"));
  summary = new QPushButton(text(commissioning_texts::SummaryButton), this);
  summary->setObjectName(QStringLiteral("jobSummaryButton"));
  closeButton = new QPushButton(text(commissioning_texts::CloseButton), this);
  closeButton->setObjectName(QStringLiteral("closeJobButton"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(enterRow);
  buttons->addWidget(skipRow);
  buttons->addStretch();
  buttons->addWidget(summary);
  buttons->addWidget(closeButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(progress);
  layout->addWidget(rows);
  layout->addWidget(status);
  layout->addLayout(buttons);
  resize(900, 420);

  QObject::connect(enterRow, &QPushButton::clicked, this, [this] {
    if (enterRowClicked) enterRowClicked();
  });
  QObject::connect(skipRow, &QPushButton::clicked, this, [this] {
    if (skipRowClicked) skipRowClicked();
  });
  QObject::connect(summary, &QPushButton::clicked, this, [this] {
    if (summaryClicked) summaryClicked();
  });
  QObject::connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
  QObject::connect(rows, &QTableWidget::itemSelectionChanged, this,
                   [this] { updateSkipCaption(); });
}

void CommissioningWindow::showJob(const CommissioningJob& job, const std::vector<QString>& notes) {
  job_ = &job;
  setWindowTitle(text(commissioning_texts::WindowTitle).arg(QFileInfo(job.listPath()).fileName()));
  progress->setText(text(commissioning_texts::Progress).arg(job.rowsDone()).arg(job.rowCount()));
  const QLocale locale(useEnglish_ ? QLocale::English : QLocale::Polish);
  rows->setRowCount(static_cast<int>(job.rowCount()));
  for (std::size_t i = 0; i < job.rowCount(); ++i) {
    const CommissioningRow& row = job.rows()[i];
    const RowProgress& p = job.progress(i);
    const bool verified = p.state == RowState::Verified;
    QString state = text(commissioning_texts::Waiting);
    if (verified) state = text(commissioning_texts::Verified);
    if (p.state == RowState::Skipped) state = text(commissioning_texts::Skipped);
    if (p.state == RowState::Waiting && !p.failure.isEmpty())
      state = text(commissioning_texts::FailedWith).arg(p.failure);
    const QStringList cells = {
        QString::number(row.line),
        row.tag,
        verified ? p.model : row.model,
        row.settingsFile,
        state,
        verified ? QString::number(p.serialNumber) : QString(),
        verified ? locale.toString(p.time.toLocalTime(), QLocale::ShortFormat) : QString(),
        i < notes.size() ? notes[i] : QString()};
    for (int c = 0; c < kColumns; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setToolTip(cells[c]);
      rows->setItem(static_cast<int>(i), c, item);
    }
  }
  rows->resizeColumnsToContents();
  updateSkipCaption();
}

void CommissioningWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (closed) closed();
}

void CommissioningWindow::setStatus(const QString& text) { status->setText(text); }

std::optional<std::size_t> CommissioningWindow::selectedRow() const {
  const QList<QTableWidgetSelectionRange> ranges = rows->selectedRanges();
  if (ranges.isEmpty()) return std::nullopt;
  return static_cast<std::size_t>(ranges.front().topRow());
}

void CommissioningWindow::clearSelection() { rows->clearSelection(); }

void CommissioningWindow::updateSkipCaption() {
  const auto row = selectedRow();
  const bool skipped = job_ != nullptr && row && *row < job_->rowCount() &&
                       job_->progress(*row).state == RowState::Skipped;
  skipRow->setText(
      text(skipped ? commissioning_texts::UnskipRowButton : commissioning_texts::SkipRowButton));
  skipRow->setEnabled(job_ != nullptr && row && *row < job_->rowCount() &&
                      job_->progress(*row).state != RowState::Verified);
  enterRow->setEnabled(job_ != nullptr && row && *row < job_->rowCount() &&
                       job_->progress(*row).state == RowState::Waiting);
}

}  // namespace tadjust
