#pragma once

// The program with a simulated interface box and device on an in-process port: the whole
// Application (window, discovery, exchange controller, monitoring) on virtual time, the user's
// answers scripted. tick() is one second of the timer: the clock moves on, the port delivers what
// the message loop would (an unplug), then Timer1Timer runs.

#include <QTemporaryDir>
#include <chrono>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/start_up.h"
#include "sim/model_images.h"
#include "sim/simulated_device.h"
#include "sim/simulated_serial_port.h"
#include "support/fake_serial_port_map.h"
#include "support/recording_window_events.h"
#include "support/scripted_file_dialogs.h"
#include "support/scripted_message_boxes.h"

namespace tadjust::testing {

inline constexpr char kBoxPort[] = "/dev/ttyUSB0";
inline constexpr int kTicksToCollect = 11;

class SimulatedProgram {
 public:
  explicit SimulatedProgram(std::string_view model = "RKA-49", bool useEnglish = true)
      : port(clock, pause, PortNaming::Posix) {
    portMap.form = PortNaming::Posix;
    portMap.map = std::vector<SerialPortEntry>{{"usb/ftdi_sio", kBoxPort}};
    plugIn(model);
    // The language question as the program asks it at start; the tests look at later questions.
    boxes.queue(useEnglish ? Answer::No : Answer::Yes);
    bool retrySearch = false;
    FormCreate(app.form(), boxes, retrySearch);
    boxes.questions.clear();
  }

  // A device of the model (catalogue name or product code) behind the box; serialNumber: the
  // model's own when none is given.
  SimulatedDevice& plugIn(std::string_view model, DeviceFaults faults = {},
                          std::optional<std::uint16_t> serialNumber = std::nullopt) {
    const auto simulated = findSimulatedModel(model);
    device.emplace(
        simulated->model,
        makeModelImage(*simulated, serialNumber.value_or(defaultSerialNumber(*simulated))), faults);
    // A new device takes the old one's place in the optional: the port keeps pointing at it.
    if (!portAdded_) port.addPort(kBoxPort, &*device);
    portAdded_ = true;
    return *device;
  }

  // The message loop between two ticks: what the port has to tell, then the tick.
  void tick() {
    clock.advance(std::chrono::seconds(1));
    port.deliverEvents();
    app.controller().Timer1Timer();
  }
  void ticks(int count) {
    for (int i = 0; i < count; ++i) tick();
  }

  // Start: the plug-in prompt answered OK, the box found on its USB port.
  void findBox() {
    boxes.queue(Answer::Ok);
    app.controller().BitBtn1Click();
  }
  // Connect: the link prompt answered OK, then the eleven ticks to the reply.
  void connect() {
    boxes.queue(Answer::Ok);
    app.controller().BitBtn1Click();
    ticks(kTicksToCollect);
  }

  // Send pressed, then the eleven ticks of the read that checks the device on the box: the
  // block is sent when it is the device read before, and the read-back is pending.
  void send() {
    app.form().BitBtn4->click();
    ticks(kTicksToCollect);
  }

  Form1& form() { return app.form(); }
  ExchangeController& controller() { return app.controller(); }
  const ExchangeState& state() { return app.controller().state(); }
  const WriteState& writeState() { return app.writer().state(); }
  SettingsViewState& view() { return app.view(); }

  VirtualClock clock;
  VirtualPause pause{clock};
  SimulatedSerialPort port;
  std::optional<SimulatedDevice> device;
  ScriptedMessageBoxes boxes;
  RecordingWindowEvents events;
  FakeSerialPortMap portMap;
  QTemporaryDir programDirectory;
  ScriptedFileDialogs dialogs;
  // The write history's folder, as the user's data folder for T-adjust: made at the first write.
  QString historyFolder() const { return programDirectory.filePath("T-adjust"); }
  QString historyPath() const { return programDirectory.filePath("T-adjust/history.sqlite"); }
  Application app{
      {port, pause, boxes, events, portMap, programDirectory.path(), dialogs, historyFolder()}};

 private:
  bool portAdded_ = false;
};

}  // namespace tadjust::testing
