#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

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

QString inDocumentsFolder(const QString& fileName) {
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  return fileName.isEmpty() ? documents.path() : documents.filePath(fileName);
}

}  // namespace tadjust
