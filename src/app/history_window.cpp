#include "app/history_window.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSaveFile>
#include <QVBoxLayout>
#include <algorithm>

#include "app/history_texts.h"
#include "catalogue/device_catalogue.h"
#include "history/field_changes.h"
#include "history/history_csv.h"
#include "view/settings_rows.h"
#include "view/settings_view.h"

namespace tadjust {

namespace {

constexpr char kShownColumns[] = "id, written_at, serial_number, model, tag, outcome, user";

}  // namespace

QStringList changeLines(const std::vector<history::FieldChange>& changes,
                        const history::WriteRow& row, bool useEnglish) {
  // The settings of the device as found give each value its sensor, unit and wording; the
  // values after the write are those settings with every change made.
  const LaidOutModel model =
      laidOutModel(row.model.toStdString(), series(static_cast<std::uint16_t>(row.productCode)));
  std::array<std::uint8_t, kSettingsImageSize> image{};
  std::copy_n(row.asFound.begin(), std::min<qsizetype>(row.asFound.size(), image.size()),
              image.begin());
  const DeviceSettings before = decodeSettings(imagesOfRead(image), model);
  DeviceSettings after = before;
  for (const history::FieldChange& change : changes)
    if (const std::optional<SettingsField> field = fieldNamed(change.field.toStdString()))
      setFieldText(after, *field, change.after.toStdString());

  const SettingsWording wording = SettingsWording::document(useEnglish);
  QStringList lines;
  for (const history::FieldChange& change : changes) {
    const std::string key = change.field.toStdString();
    const SettingText was =
        storedSettingText(key, change.before.toStdString(), before, model, wording);
    const SettingText is =
        storedSettingText(key, change.after.toStdString(), after, model, wording);
    // A row the sensors before and after word otherwise names both.
    const QString caption =
        was.caption == is.caption ? is.caption : was.caption + QStringLiteral(" / ") + is.caption;
    lines << QStringLiteral("%1: %2 → %3").arg(caption, was.valueWithUnit(), is.valueWithUnit());
  }
  return lines;
}

QString outcomeText(const std::optional<QString>& outcome, bool useEnglish) {
  if (!outcome) return history_texts::OpenOutcome.in(useEnglish);
  const std::optional<history::Outcome> known = history::outcomeNamed(outcome->toStdString());
  if (!known) return *outcome;
  return history_texts::Outcomes[static_cast<std::size_t>(*known)].in(useEnglish);
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
  const QVariant value = QSqlQueryModel::data(index, role);
  if (role != Qt::DisplayRole) return value;
  if (index.column() == HistoryWindow::TimeColumn) {
    const QDateTime written = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    if (written.isValid())
      return written.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  }
  if (index.column() == HistoryWindow::OutcomeColumn) {
    return outcomeText(value.isNull() ? std::nullopt : std::optional<QString>(value.toString()),
                       useEnglish_);
  }
  return value;
}

HistoryWindow::HistoryWindow(const QString& path, bool useEnglish, MessageBoxes& boxes,
                             FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      table(new QTableView(this)),
      filter(new QLineEdit(this)),
      dateRange(new QCheckBox(this)),
      fromDate(new QDateEdit(QDate::currentDate().addMonths(-1), this)),
      toDate(new QDateEdit(QDate::currentDate(), this)),
      details(new QPlainTextEdit(this)),
      exportButton(new QPushButton(this)),
      checkButton(new QPushButton(this)),
      printButton(new QPushButton(this)),
      summary(new QLabel(this)),
      checkResult(new QLabel(this)),
      useEnglish_(useEnglish),
      boxes_(boxes),
      dialogs_(dialogs),
      model_(new HistoryTableModel(useEnglish, this)) {
  setObjectName(QStringLiteral("historyWindow"));
  setWindowTitle(text(history_texts::WindowTitle));
  table->setObjectName(QStringLiteral("historyTable"));
  filter->setObjectName(QStringLiteral("historyFilter"));
  dateRange->setObjectName(QStringLiteral("historyDateRange"));
  exportButton->setObjectName(QStringLiteral("historyExportCsv"));
  checkButton->setObjectName(QStringLiteral("historyCheckIntegrity"));
  printButton->setObjectName(QStringLiteral("historyPrintRecords"));
  summary->setObjectName(QStringLiteral("historySummary"));
  checkResult->setObjectName(QStringLiteral("historyCheckResult"));

  filter->setToolTip(text(history_texts::FilterTip));
  dateRange->setText(text(history_texts::DateRange));
  for (QDateEdit* date : {fromDate, toDate}) {
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  }
  exportButton->setText(text(history_texts::ExportCsv));
  checkButton->setText(text(history_texts::CheckIntegrity));
  printButton->setText(text(history_texts::PrintRecords));
  printButton->setEnabled(false);
  details->setReadOnly(true);
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary->setWordWrap(true);
  checkResult->setWordWrap(true);

  table->setModel(model_);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    showSelectedRow();
    printButton->setEnabled(!selectedIds().empty());
  });

  auto* filters = new QHBoxLayout;
  filters->addWidget(new QLabel(text(history_texts::FilterLabel), this));
  filters->addWidget(filter, 1);
  filters->addWidget(dateRange);
  filters->addWidget(fromDate);
  filters->addWidget(new QLabel(text(history_texts::DateRangeTo), this));
  filters->addWidget(toDate);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(summary, 1);
  buttons->addWidget(exportButton);
  buttons->addWidget(printButton);
  buttons->addWidget(checkButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(table, 3);
  layout->addWidget(details, 1);
  layout->addWidget(checkResult);
  layout->addLayout(buttons);
  resize(900, 560);

  connect(filter, &QLineEdit::textChanged, this, [this] { refresh(); });
  connect(dateRange, &QCheckBox::toggled, this, [this] { refresh(); });
  connect(fromDate, &QDateEdit::dateChanged, this, [this] { refresh(); });
  connect(toDate, &QDateEdit::dateChanged, this, [this] { refresh(); });
  connect(exportButton, &QPushButton::clicked, this, [this] { exportCsv(); });
  connect(checkButton, &QPushButton::clicked, this, [this] { checkIntegrity(); });
  connect(printButton, &QPushButton::clicked, this, [this] { printRecords(); });

  const history::OpenResult opened = database_.openReadOnly(path);
  readable_ = opened.readable;
  if (!readable_) {
    summary->setText(text(history_texts::CannotRead).arg(opened.detail));
    exportButton->setEnabled(false);
    checkButton->setEnabled(false);
    return;
  }
  refresh();
}

history::RowFilter HistoryWindow::currentFilter() const {
  history::RowFilter rows;
  rows.containing = filter->text().trimmed();
  if (dateRange->isChecked()) {
    // Whole days in local time: from the start of the first to the end of the last.
    rows.from = fromDate->date().startOfDay();
    rows.before = toDate->date().addDays(1).startOfDay();
  }
  return rows;
}

void HistoryWindow::refresh() {
  if (!readable_) return;
  model_->setQuery(database_.selectRows(currentFilter(), QString::fromLatin1(kShownColumns)));
  const std::array<const BilingualText*, 7> headers{nullptr,
                                                    &history_texts::TimeColumn,
                                                    &history_texts::SerialColumn,
                                                    &history_texts::ModelColumn,
                                                    &history_texts::TagColumn,
                                                    &history_texts::OutcomeColumn,
                                                    &history_texts::UserColumn};
  for (int column = TimeColumn; column <= UserColumn; ++column)
    model_->setHeaderData(column, Qt::Horizontal, text(*headers[static_cast<std::size_t>(column)]));
  table->hideColumn(IdColumn);
  table->resizeColumnsToContents();
  details->clear();
  printButton->setEnabled(false);
  showSummary();
}

void HistoryWindow::showSummary() {
  const std::optional<history::HistoryDatabase::ChainEnd> end = database_.chainEnd();
  if (!end) {
    summary->setText(text(history_texts::CannotRead).arg(database_.lastError()));
    return;
  }
  summary->setText(text(history_texts::ChainSummary)
                       .arg(end->entries)
                       .arg(end->lastSequence)
                       .arg(end->lastHash));
}

void HistoryWindow::showSelectedRow() {
  const QModelIndexList selected = table->selectionModel()->selectedRows(IdColumn);
  if (selected.isEmpty()) {
    details->clear();
    return;
  }
  const std::optional<history::WriteRow> row =
      database_.row(model_->data(selected.first(), Qt::EditRole).toLongLong());
  if (!row) return;
  QStringList lines{text(history_texts::OutcomeLine).arg(outcomeText(row->outcome, useEnglish_))};
  if (row->answeredProductCode && row->answeredSerialNumber) {
    lines << text(history_texts::AnsweredBy)
                 .arg(*row->answeredProductCode)
                 .arg(*row->answeredSerialNumber);
  }
  if (row->outcome && !row->asLeft) lines << text(history_texts::NoVerificationRead);
  const std::vector<history::FieldChange> changes = history::changesOf(row->changes);
  if (changes.empty()) lines << text(history_texts::NoChanges);
  lines << changeLines(changes, *row, useEnglish_);
  details->setPlainText(lines.join(QLatin1Char('\n')));
}

void HistoryWindow::exportCsv() {
  QString path = dialogs_.chooseFileToSave({text(history_texts::ExportCaption),
                                            inDocumentsFolder(QStringLiteral("write-history.csv")),
                                            text(history_texts::CsvFilter)});
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  const std::optional<std::vector<history::WriteRow>> rows = database_.rows(currentFilter());
  QSaveFile file(path);
  QString error;
  if (!rows) {
    error = database_.lastError();
  } else if (!file.open(QIODevice::WriteOnly) || file.write(history::csvOf(*rows)) < 0 ||
             !file.commit()) {
    error = file.errorString();
  }
  if (!error.isEmpty()) {
    boxes_.ask(text(history_texts::NotExportedCaption),
               text(history_texts::NotExportedText).arg(path, error), Buttons::Ok);
  }
}

void HistoryWindow::checkIntegrity() {
  const std::optional<history::ChainCheck> check = database_.checkChain();
  if (!check) {
    checkResult->setText(text(history_texts::CannotRead).arg(database_.lastError()));
    return;
  }
  checkResult->setToolTip(check->reason);
  if (check->holds()) {
    checkResult->setText(text(history_texts::ChainHolds));
    summary->setText(text(history_texts::ChainSummary)
                         .arg(check->entries)
                         .arg(check->lastSequence)
                         .arg(check->lastHash));
  } else {
    checkResult->setText(text(history_texts::ChainBroken)
                             .arg(check->brokenSequence.value_or(0))
                             .arg(check->brokenWriteId.value_or(0)));
  }
}

}  // namespace tadjust
