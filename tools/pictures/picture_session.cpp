#include "pictures/picture_session.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QLocale>
#include <chrono>
#include <cstdio>

#include "app/start_up.h"

namespace tadjust::pictures {

namespace {

constexpr char kBoxPort[] = "/dev/ttyUSB0";
constexpr int kTicksToCollect = 11;

}  // namespace

Answer PromptAnswers::ask(const QString& caption, const QString& text, Buttons buttons) {
  if (!languageAsked_) {
    languageAsked_ = true;
    return english_ ? Answer::No : Answer::Yes;
  }
  if (buttons == Buttons::OkCancel) return Answer::Ok;
  std::fprintf(stderr, "unexpected question: %s: %s\n", qPrintable(caption), qPrintable(text));
  surprised_ = true;
  return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

void PromptAnswers::reportError(const QString& text) {
  std::fprintf(stderr, "error: %s\n", qPrintable(text));
  surprised_ = true;
}

std::optional<std::vector<SerialPortEntry>> BoxPortMap::entries() {
  return std::vector<SerialPortEntry>{{"usb/ftdi_sio", kBoxPort}};
}

PictureSession::PictureSession(std::string_view model, bool english,
                               const std::optional<ImageBytes>& image)
    : port_(clock_, pause_, PortNaming::Posix),
      answers_(english),
      app_({port_, pause_, answers_, events_, portMap_, programDirectory_.path(), dialogs_,
            programDirectory_.filePath("history")}) {
  model_ = findSimulatedModel(model);
  if (model_) {
    device_.emplace(model_->model,
                    image ? *image : makeModelImage(*model_, defaultSerialNumber(*model_)));
    port_.addPort(kBoxPort, &*device_);
  }
  bool retrySearch = false;
  FormCreate(app_.form(), answers_, retrySearch);
}

void PictureSession::putOnTheBoxAndRead(std::uint16_t serialNumber) {
  if (!model_) return;
  // The port keeps pointing at the device's place in the optional.
  device_.emplace(model_->model, makeModelImage(*model_, serialNumber));
  form().ReadAgainButton->click();
  ticks(kTicksToCollect);
}

void PictureSession::ticks(int count) {
  for (int tick = 0; tick < count; ++tick) {
    clock_.advance(std::chrono::seconds(1));
    app_.controller().Timer1Timer();
  }
}

bool PictureSession::link() {
  app_.controller().BitBtn1Click();  // Start
  app_.controller().BitBtn1Click();  // Connect
  ticks(kTicksToCollect);
  return device_.has_value() && app_.controller().state().DeviceLinked;
}

void PictureSession::copy() { form().BitBtn3->click(); }

void PictureSession::choose(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  emit list->activated(index);
}

void PictureSession::type(QLineEdit* box, const QString& text) {
  box->setText(text);
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &focusOut);
}

bool PictureSession::write() {
  form().BitBtn4->click();
  // The check read of the device on the box, then the read-back of the block.
  ticks(kTicksToCollect);
  ticks(kTicksToCollect);
  return device_.has_value() && device_->writesStored() > 0 &&
         !app_.writer().state().VerifyPending && calm();
}

bool PictureSession::save(QWidget* widget, const QString& file) {
  form().show();
  QApplication::processEvents();
  const bool saved = widget->grab().save(file);
  form().hide();
  return saved;
}

int runPictureTool(int argc, char* argv[], const char* usage,
                   const std::function<bool(const QString& folder)>& take) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s\n", usage);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  return take(folder) ? 0 : 1;
}

bool reportPicture(bool saved, const QString& file) {
  if (saved) {
    std::printf("%s\n", qPrintable(file));
  } else {
    std::fprintf(stderr, "no picture %s\n", qPrintable(file));
  }
  return saved;
}

void PictureSession::editAsATechnician() {
  constexpr int kThermocoupleK = 6;
  constexpr int kExternalColdJunction = 1;
  Form1& f = form();
  choose(f.ComboBox1, kThermocoupleK);
  choose(f.ComboBox2, kExternalColdJunction);
  type(f.Edit1, "0");
  type(f.Edit2, "1000");
  type(f.Edit3, "25");
  type(f.Edit4, "0,7");
  f.Edit5->setText("TT-7");
}

}  // namespace tadjust::pictures
