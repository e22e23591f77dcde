// t-adjust-device-pictures FOLDER
//
// Pictures of the "Device settings" group of one model per family (RKA-49, RKA-59, GWA-43,
// ARR/A) in English and Polish, for the documentation: FOLDER/device-<model>-<en|pl>.png, and
// the whole window beside each as FOLDER/device-<model>-<en|pl>-window.png. Each is the program
// itself (Application) linked with a simulated device on virtual time: the language question,
// Start, Connect and the eleven ticks to the reply, every prompt answered OK. Rendered
// offscreen; no screen is needed.

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "app/application.h"
#include "app/start_up.h"
#include "sim/model_images.h"
#include "sim/simulated_device.h"
#include "sim/simulated_serial_port.h"

namespace tadjust {
namespace {

constexpr char kBoxPort[] = "/dev/ttyUSB0";
constexpr int kTicksToCollect = 11;

// The user of the pictures: the language question answered for the picture's language, every
// prompt with OK; anything else (a failed search or read) is declined and the picture fails.
class PromptAnswers final : public MessageBoxes {
 public:
  explicit PromptAnswers(bool english) : english_(english) {}

  Answer ask(const QString& caption, const QString& text, Buttons buttons) override {
    if (!languageAsked_) {
      languageAsked_ = true;
      return english_ ? Answer::No : Answer::Yes;
    }
    if (buttons == Buttons::OkCancel || buttons == Buttons::Ok) return Answer::Ok;
    std::fprintf(stderr, "unexpected question: %s: %s\n", qPrintable(caption), qPrintable(text));
    return Answer::Cancel;
  }
  void reportError(const QString& text) override {
    std::fprintf(stderr, "error: %s\n", qPrintable(text));
  }

 private:
  bool english_;
  bool languageAsked_ = false;
};

class NoWindowEvents final : public WindowEvents {
 public:
  void processPendingMessages() override {}
  void requestTerminate() override {}
};

// The interface box on its USB port, as the system's serial-port map lists it.
class BoxPortMap final : public SerialPortMap {
 public:
  std::optional<std::vector<SerialPortEntry>> entries() override {
    return std::vector<SerialPortEntry>{{"usb/ftdi_sio", kBoxPort}};
  }
  PortNaming naming() const override { return PortNaming::Posix; }
};

// The window linked with a simulated device of the model, its groups as the first read leaves
// them. False when the device did not link.
bool takePictures(const char* model, bool english, const QString& stem) {
  VirtualClock clock;
  VirtualPause pause{clock};
  SimulatedSerialPort port(clock, pause, PortNaming::Posix);
  const std::optional<SimulatedModel> simulated = findSimulatedModel(model);
  SimulatedDevice device(simulated->model,
                         makeModelImage(*simulated, defaultSerialNumber(*simulated)));
  port.addPort(kBoxPort, &device);
  PromptAnswers answers(english);
  NoWindowEvents events;
  BoxPortMap portMap;
  QTemporaryDir programDirectory;
  Application app({port, pause, answers, events, portMap, programDirectory.path()});

  bool retrySearch = false;
  FormCreate(app.form(), answers, retrySearch);
  app.controller().BitBtn1Click();  // Start
  app.controller().BitBtn1Click();  // Connect
  for (int tick = 0; tick < kTicksToCollect; ++tick) {
    clock.advance(std::chrono::seconds(1));
    app.controller().Timer1Timer();
  }
  if (!app.controller().state.DeviceLinked) return false;

  Form1& form = app.form();
  form.show();
  QApplication::processEvents();
  return form.GroupBox2->grab().save(stem + ".png") && form.grab().save(stem + "-window.png");
}

}  // namespace
}  // namespace tadjust

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: t-adjust-device-pictures FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  // Numbers as a Polish-configured system writes them, with the decimal comma.
  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  struct Picture {
    const char* model;
    const char* file;
  };
  const Picture pictures[] = {
      {"RKA-49", "rka-49"}, {"RKA-59", "rka-59"}, {"GWA-43", "gwa-43"}, {"ARR/A", "arr-a"}};
  int status = 0;
  for (const Picture& picture : pictures) {
    for (const bool english : {true, false}) {
      const QString stem = folder + "/device-" + picture.file + (english ? "-en" : "-pl");
      if (tadjust::takePictures(picture.model, english, stem)) {
        std::printf("%s.png\n", qPrintable(stem));
      } else {
        std::fprintf(stderr, "no picture of %s\n", picture.model);
        status = 1;
      }
    }
  }
  return status;
}
