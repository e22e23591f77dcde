#pragma once

// The program itself (Application) linked with a simulated device on virtual time, for the
// documentation's pictures: the language question, Start, Connect and the eleven ticks to the
// reply, every prompt answered OK; then the technician's presses, choices and typing, and the
// write with its read-back. Rendered offscreen; no screen is needed.

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <string_view>

#include "app/application.h"
#include "link/serial_port_map.h"
#include "sim/model_images.h"
#include "sim/simulated_device.h"
#include "sim/simulated_serial_port.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"

namespace tadjust::pictures {

// The user of the pictures: the language question answered for the picture's language, every
// prompt with OK; anything else (a failed search or read, a refused write) is declined and
// reported, and the picture fails.
class PromptAnswers final : public MessageBoxes {
 public:
  explicit PromptAnswers(bool english) : english_(english) {}
  Answer ask(const QString& caption, const QString& text, Buttons buttons) override;
  void reportError(const QString& text) override;
  bool surprised() const { return surprised_; }

 private:
  bool english_;
  bool languageAsked_ = false;
  bool surprised_ = false;
};

// No file or print dialog opens while a picture is taken; a comparison is kept to be pictured.
// A file to open may be given beforehand (a commissioning list).
class NoFileDialogs final : public FileDialogs {
 public:
  QString chooseFileToSave(const FileQuestion&) override { return {}; }
  QString chooseFileToOpen(const FileQuestion&) override { return fileToOpen; }
  bool choosePrinter(QPrinter&, const QString&) override { return false; }
  void showComparison(const Comparison& comparison) override { lastComparison = comparison; }

  std::optional<Comparison> lastComparison;
  QString fileToOpen;
};

class NoWindowEvents final : public WindowEvents {
 public:
  void processPendingMessages() override {}
  void requestTerminate() override {}
};

// The interface box on its USB port, as the system's serial-port map lists it.
class BoxPortMap final : public SerialPortMap {
 public:
  std::optional<std::vector<SerialPortEntry>> entries() override;
  PortNaming naming() const override { return PortNaming::Posix; }
};

class PictureSession {
 public:
  // model: a catalogue name (series 7) or a product code. image: the device's settings, or the
  // simulator's own image of the model.
  PictureSession(std::string_view model, bool english,
                 const std::optional<ImageBytes>& image = std::nullopt);

  // Start, Connect and the eleven ticks: false when the device did not link.
  bool link();
  // "Copy for edition".
  void copy();
  // Another device of the model behind the box, with the serial number given; then "Read
  // again" and the eleven ticks.
  void putOnTheBoxAndRead(std::uint16_t serialNumber);
  // The file the next open dialog chooses.
  void openOnNextDialog(const QString& path) { dialogs_.fileToOpen = path; }
  // A choice in a list, as a click in its popup makes it.
  static void choose(QComboBox* list, int index);
  // A text typed into a box, then the focus moving on.
  static void type(QLineEdit* box, const QString& text);
  // "Send to device" and the eleven ticks to the read-back; true when it was verified.
  bool write();

  // The window shown and the widget saved as a PNG picture.
  bool save(QWidget* widget, const QString& file);

  Form1& form() { return app_.form(); }
  Application& app() { return app_; }
  // The editable group as a technician sets a K thermocouple: 0 to 1000 °C, external cold
  // junction at 25 °C, a correction of 0,7 °C, tag TT-7.
  void editAsATechnician();
  const std::optional<Comparison>& lastComparison() const { return dialogs_.lastComparison; }
  // Nothing unexpected was asked.
  bool calm() const { return !answers_.surprised(); }

 private:
  void ticks(int count);

  std::optional<SimulatedModel> model_;
  VirtualClock clock_;
  VirtualPause pause_{clock_};
  SimulatedSerialPort port_;
  std::optional<SimulatedDevice> device_;
  PromptAnswers answers_;
  NoWindowEvents events_;
  NoFileDialogs dialogs_;
  BoxPortMap portMap_;
  QTemporaryDir programDirectory_;
  Application app_;
};

// The main of a picture tool: FOLDER as its one argument, an offscreen QApplication, numbers as
// a Polish-configured system writes them (the decimal comma), the folder made; take() saves the
// pictures into it and says whether every one was taken. Returns the exit status: 0, 1 when a
// picture failed, 2 for a wrong command line.
int runPictureTool(int argc, char* argv[], const char* usage,
                   const std::function<bool(const QString& folder)>& take);

// Prints the picture's file, or says that it failed; returns `saved`.
bool reportPicture(bool saved, const QString& file);

}  // namespace tadjust::pictures
