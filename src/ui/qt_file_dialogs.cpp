#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/file_dialogs.h"

namespace tadjust {

QString QtFileDialogs::chooseFileToSave(const FileQuestion& question) {
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), question.caption,
                                      question.startAt, question.filter);
}

QString QtFileDialogs::chooseFileToOpen(const FileQuestion& question) {
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), question.caption,
                                      question.startAt, question.filter);
}

bool QtFileDialogs::choosePrinter(QPrinter& printer, const QString& caption) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  dialog.setWindowTitle(caption);
  return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<QDialog> makeComparisonDialog(const Comparison& comparison) {
  auto dialog = std::make_unique<QDialog>(QApplication::activeWindow());
  dialog->setWindowTitle(comparison.title);
  auto* table = new QTableWidget(static_cast<int>(comparison.rows.size()), 4, dialog.get());
  table->setObjectName(QStringLiteral("ComparisonTable"));
  const QString differs =
      comparison.useEnglish ? QStringLiteral("differs") : QStringLiteral("różni się");
  table->setHorizontalHeaderLabels(
      {comparison.useEnglish ? QStringLiteral("Setting") : QStringLiteral("Ustawienie"),
       comparison.leftHeading, comparison.rightHeading, QString()});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int row = 0; row < table->rowCount(); ++row) {
    const ComparedSetting& compared = comparison.rows[static_cast<std::size_t>(row)];
    const QString texts[] = {compared.caption, compared.left, compared.right,
                             compared.differs ? differs : QString()};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(texts[column]);
      QFont font = item->font();
      font.setBold(compared.differs);
      item->setFont(font);
      table->setItem(row, column, item);
    }
  }
  table->resizeColumnsToContents();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog.get());
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
  auto* layout = new QVBoxLayout(dialog.get());
  layout->addWidget(table);
  layout->addWidget(buttons);
  int width = 0;
  for (int column = 0; column < 4; ++column) width += table->columnWidth(column);
  dialog->resize(width + 60, 80 + table->rowCount() * table->rowHeight(0) + 60);
  return dialog;
}

void QtFileDialogs::showComparison(const Comparison& comparison) {
  makeComparisonDialog(comparison)->exec();
}

QString inDocumentsFolder(const QString& fileName) {
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  return fileName.isEmpty() ? documents.path() : documents.filePath(fileName);
}

}  // namespace tadjust
