// t-adjust-commissioning-pictures FOLDER
//
// Pictures of the commissioning job window beside the main window, in English and Polish, for
// the documentation: FOLDER/commissioning-<en|pl>.png. A list of five RKA-49 rows (two settings
// files, one row with a range of its own) is opened; two simulated devices are read, given their
// rows, written and verified; the third row is skipped; a third device is read and the fourth
// row entered for it, ready to send.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include "files/settings_file.h"
#include "pictures/picture_session.h"

namespace tadjust::pictures {
namespace {

// A settings file as the program saves it from a simulated RKA-49, its range set.
QByteArray settingsFile(std::uint16_t serialNumber, const char* low, const char* high) {
  const SimulatedModel model = findSimulatedModel("RKA-49").value();
  SettingsImages images;
  const ImageBytes image = makeModelImage(model, serialNumber);
  std::copy(image.begin(), image.end(), images.SettingsImage.begin());
  settleProductCode(images);
  SettingsFileContents contents;
  contents.model = QStringLiteral("RKA-49");
  contents.productCode = images.ProductCode();
  contents.serialNumber = serialNumber;
  contents.settings = decodeSettings(
      images, {model.model, series(model.productCode), layoutOf(model.model.family)});
  setFieldText(contents.settings, SettingsField::RangeLow, low);
  setFieldText(contents.settings, SettingsField::RangeHigh, high);
  contents.image = images.SettingsImage;
  contents.savedAt = QDateTime::currentDateTimeUtc();
  return writeSettingsFile(contents);
}

bool write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool takeOne(bool english, const QString& file) {
  QTemporaryDir folder;
  const QString list = folder.filePath(english ? "section 4.csv" : "sekcja 4.csv");
  if (!write(folder.filePath("pt100.tadj"), settingsFile(21017, "0", "150")) ||
      !write(folder.filePath("pt100-wide.tadj"), settingsFile(21018, "-50", "250")) ||
      !write(list,
             "tag;settings;rangeHigh\n"
             "TT-401;pt100.tadj;\n"
             "TT-402;pt100.tadj;120\n"
             "TT-403;pt100.tadj;\n"
             "TT-404;pt100-wide.tadj;\n"
             "TT-405;pt100-wide.tadj;\n"))
    return false;

  PictureSession session("RKA-49", english);
  session.openOnNextDialog(list);
  if (!session.link()) return false;
  session.form().mainMenu.commissionFromList->trigger();
  CommissioningWindow* window = session.app().commissioning().window();
  if (window == nullptr || !session.write()) return false;
  session.putOnTheBoxAndRead(30402);
  if (!session.write()) return false;
  window->rows->selectRow(2);
  window->skipRow->click();
  session.putOnTheBoxAndRead(30404);
  if (!session.calm()) return false;

  // The job window beside the main window, as the technician sees them.
  session.form().show();
  window->show();
  window->move(session.form().frameGeometry().topRight());
  QApplication::processEvents();
  const QPixmap main = session.form().grab();
  const QPixmap job = window->grab();
  QPixmap both(main.width() + job.width() + 12, std::max(main.height(), job.height()));
  both.fill(Qt::white);
  QPainter painter(&both);
  painter.drawPixmap(0, 0, main);
  painter.drawPixmap(main.width() + 12, 0, job);
  painter.end();
  const bool saved = both.save(file);
  window->hide();
  session.form().hide();
  return saved;
}

bool takeAll(const QString& folder) {
  bool all = true;
  for (const bool english : {true, false}) {
    const QString file = folder + "/commissioning" + (english ? "-en" : "-pl") + ".png";
    all = reportPicture(takeOne(english, file), file) && all;
  }
  return all;
}

}  // namespace
}  // namespace tadjust::pictures

int main(int argc, char* argv[]) {
  return tadjust::pictures::runPictureTool(argc, argv, "t-adjust-commissioning-pictures FOLDER",
                                           tadjust::pictures::takeAll);
}
