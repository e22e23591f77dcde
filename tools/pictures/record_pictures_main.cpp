// t-adjust-record-pictures FOLDER
//
// The device record and the File menu for the documentation, in English and Polish:
// FOLDER/record-rka-49-<en|pl>.pdf, the record of a simulated RKA-49 read, edited as a
// technician does (K thermocouple, 0 to 1000 °C, external cold junction at 25 °C, a correction of
// 0,7 °C, tag TT-7) and written; and FOLDER/menu-<en|pl>.png, the window after that write with
// the File menu open; FOLDER/compare-<en|pl>.png, the comparison of that device with the
// editable group after the tag was changed. scripts/pictures record turns the PDF's pages into
// pictures with pdftoppm; FOLDER/history-<en|pl>.png, the write history after the write.

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <memory>

#include "app/history_window.h"
#include "pictures/picture_session.h"
#include "record/record_output.h"

namespace tadjust::pictures {
namespace {

bool saveRecord(PictureSession& session, const QString& file) {
  return writeRecordPdf(session.app().gatherRecord(), file).written;
}

// The window with the File menu open over it, as one picture.
bool saveMenu(Form1& form, const QString& file) {
  form.show();
  QApplication::processEvents();
  QMenu* menu = form.mainMenu.fileMenu;
  QMenuBar* bar = form.mainMenu.bar;
  bar->setActiveAction(menu->menuAction());
  QApplication::processEvents();
  QImage picture = form.grab().toImage();
  if (menu->isVisible()) {
    QPainter painter(&picture);
    painter.drawImage(form.mapFromGlobal(menu->pos()), menu->grab().toImage());
  }
  const bool opened = menu->isVisible();
  menu->hide();
  form.hide();
  return opened && picture.save(file);
}

// The device as read beside the editable group, a new tag typed: what Send would change.
bool saveComparison(PictureSession& session, const QString& file) {
  session.form().Edit5->setText("TT-8");
  session.app().settingsFiles().compareWithGroup();
  if (!session.lastComparison()) return false;
  const std::unique_ptr<QDialog> dialog = makeComparisonDialog(*session.lastComparison());
  dialog->show();
  QApplication::processEvents();
  const bool saved = dialog->grab().save(file);
  dialog->hide();
  return saved;
}

// The write history after that write, its row selected to show what changed.
bool saveHistory(PictureSession& session, const QString& file) {
  session.app().history().flush();
  HistoryWindow& window = session.app().openWriteHistory();
  window.resize(820, 460);
  window.table->selectRow(0);
  QApplication::processEvents();
  const bool saved = window.grab().save(file);
  window.hide();
  return saved;
}

bool takeAll(const QString& folder) {
  bool all = true;
  for (const bool english : {true, false}) {
    const QString language = english ? "en" : "pl";
    const QString record = folder + "/record-rka-49-" + language + ".pdf";
    const QString menu = folder + "/menu-" + language + ".png";
    PictureSession session("RKA-49", english);
    bool written = session.link();
    if (written) {
      session.copy();
      session.editAsATechnician();
      written = session.write();
    }
    all = reportPicture(written && saveRecord(session, record), record) && all;
    all = reportPicture(written && saveMenu(session.form(), menu), menu) && all;
    const QString comparison = folder + "/compare-" + language + ".png";
    all = reportPicture(written && saveComparison(session, comparison), comparison) && all;
    const QString history = folder + "/history-" + language + ".png";
    all = reportPicture(written && saveHistory(session, history), history) && all;
  }
  return all;
}

}  // namespace
}  // namespace tadjust::pictures

int main(int argc, char* argv[]) {
  return tadjust::pictures::runPictureTool(argc, argv, "t-adjust-record-pictures FOLDER",
                                           tadjust::pictures::takeAll);
}
