#pragma once

// The program: the main window, the subsystems, and the wiring of the window's events to them.
// The platform it talks through (serial port, pause, message boxes, window events, serial-port
// map, program directory) is handed in: main() gives the real one, end-to-end tests their own.
//
// How a press reaches the device: BitBtn1 -> ExchangeController::BitBtn1Click, which searches
// for the interface box (InterfaceDiscovery), links the device and requests a read; every tick
// of Timer1 -> ExchangeController::Timer1Timer, which collects the reply on the eleventh tick,
// has the settings view laid out and the device group decoded, and polls the monitoring.
// BitBtn3 -> CopyForEditing::BitBtn3Click, which takes the settings last read into the editable
// group and the outgoing block, and records the device it copied from (copyRecord).
// BitBtn4 -> SettingsWriter::BitBtn4Click, which sends the block EditedSettings encodes from the
// editable group (after validating its boxes and checking the copy) and has the controller read
// it back; the controller tells the writer, its ReplyObserver, when the reply is taken, and the
// writer verifies the write (Yes to "Repeat writing?" writes again).
// A user's new choice in ComboBox1 or ComboBox2 (QComboBox::activated on another entry than the
// list showed, never a selection made by code) -> SensorTypeEditing; a click into a numeric box of
// the editable group or leaving it (Form1::editChange) -> ValueValidation.
// The File menu (Form1::mainMenu) -> MenuCommands, which enables each entry where it can act:
// "Export record as PDF…" and "Print record…" -> RecordCommands; "Save device settings…",
// "Open settings file…" and the comparisons -> SettingsFileCommands; "Quit" closes the window.

#include <QString>
#include <memory>

#include "app/commissioning_commands.h"
#include "app/edited_settings.h"
#include "app/exchange_controller.h"
#include "app/history_recorder.h"
#include "app/history_window.h"
#include "app/interface_discovery.h"
#include "app/menu_commands.h"
#include "app/monitoring_poll.h"
#include "app/origin_question.h"
#include "app/record_commands.h"
#include "app/settings_file_commands.h"
#include "app/settings_writer.h"
#include "app/toolkit_translation.h"
#include "edit/copy_for_editing.h"
#include "edit/copy_record.h"
#include "edit/edit_origin.h"
#include "edit/edit_state.h"
#include "edit/group_fields.h"
#include "edit/sensor_type_editing.h"
#include "edit/value_validation.h"
#include "image/settings_image.h"
#include "link/pause.h"
#include "link/port_memory.h"
#include "link/serial_port.h"
#include "link/serial_port_map.h"
#include "ui/file_dialogs.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"
#include "view/device_group.h"
#include "view/settings_view.h"

namespace tadjust {

struct Platform {
  // Used only by the exchange worker: on a thread of its own in the program, on the caller's
  // (virtual time) in tests; see pacing.
  SerialPort& port;
  Pause& pause;
  MessageBoxes& boxes;
  WindowEvents& events;
  SerialPortMap& portMap;
  QString programDirectory;  // where "T-adjust.ini" is kept
  FileDialogs& dialogs;      // the file and print dialogs of the File menu
  QString historyFolder;     // where the write history (history.sqlite) is kept
  Pacing pacing = Pacing::WorkerThread;
};

class Application {
 public:
  // Builds the window and the subsystems; the window stays hidden until start().
  explicit Application(Platform platform);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Asks the language, puts Qt's own texts into it, shows the window in the centre of the
  // screen and starts Timer1.
  void start();
  // start(), then the message loop until the application is asked to terminate or the window
  // is closed. Returns the program's exit code.
  int run();

  Form1& form() { return form_; }
  ExchangeController& controller() { return controller_; }
  SettingsImages& images() { return images_; }
  SettingsViewState& view() { return view_; }
  MonitoringPoll& monitoring() { return monitoring_; }
  EditState& editState() { return edit_; }
  CopyForEditing& copy() { return copy_; }
  const CopyRecord& copyRecord() const { return copyRecord_; }
  SettingsWriter& writer() { return writer_; }
  ValueValidation& validation() { return validation_; }
  EditedSettings& editedSettings() { return editedSettings_; }
  MenuCommands& menuCommands() { return menuCommands_; }
  SettingsFileCommands& settingsFiles() { return settingsFileCommands_; }
  HistoryRecorder& history() { return history_; }
  ExchangeWorker& exchange() { return exchange_; }
  CommissioningCommands& commissioning() { return commissioning_; }
  // Where the editable group's values came from: "Copy for edition" of the device linked now, a
  // settings file opened onto it, the start values (a fresh program, another model read) or a
  // row of a commissioning list (set by the one who enters it). Typing and a verified write keep
  // it. A Send asks before writing values not taken from the device on the box.
  const EditOrigin& editOrigin() const { return editOrigin_; }
  void setEditOrigin(const EditOrigin& origin) { editOrigin_ = origin; }
  // The device record of what the window shows now, with where the settings came from and the
  // history entry of the last write; writeRecordPdf (record/record_output.h) writes it to a path.
  DeviceRecord gatherRecord() const;
  // File > "Write history…": the history window, opened beside the main window (or raised).
  HistoryWindow& openWriteHistory();

 private:
  void connectEvents();
  // The editable group now holds the copy of the device the last read named.
  void originIsTheCopy(const DeviceIdentity& device);
  // Another product code was read: the group holds that model's start values.
  void editableGroupRestarted();
  // What the editable group now holds, said at its foot; details in the tooltip.
  void showEditNotice(const QString& text, const QString& details);
  void showHistoryNews();
  void connectMenu();
  void centreOnScreen();
  // The tooltips of the numeric boxes after a change of what their limits depend on.
  void showLimits();
  // A press that would start another exchange while one is under way does nothing.
  bool exchangeUnderWay() const;
  // Closing during a write waits for the block to be complete; true when the close must wait.
  bool holdCloseForTheWrite();

  Platform platform_;
  Form1 form_;
  // Before every subsystem that hands it jobs, and destroyed after them: a job's report never
  // finds its subsystem gone.
  ExchangeWorker exchange_;
  SettingsImages images_;
  SettingsViewState view_;
  DecoderState decoder_;
  PortMemory portMemory_;
  InterfaceDiscovery discovery_;
  HistoryRecorder history_;
  EditOrigin editOrigin_;
  // A model was laid out before the one of the last read.
  bool modelReadBefore_ = false;
  OriginQuestion originQuestion_;
  // Built before the controller, which keeps it as the observer of its reads.
  SettingsWriter writer_;
  // Built before the controller, which keeps it as the observer of its reads: it passes each on
  // to the writer, then follows the commissioning job.
  CommissioningCommands commissioning_;
  ExchangeController controller_;
  MonitoringPoll monitoring_;
  ToolkitTranslation toolkitTranslation_;
  EditState edit_;
  CopyRecord copyRecord_;
  CopyForEditing copy_;
  ValueValidation validation_;
  SensorTypeEditing sensorTypeEditing_;
  EditedSettings editedSettings_;
  RecordCommands recordCommands_;
  SettingsEntry settingsEntry_;
  SettingsFileCommands settingsFileCommands_;
  MenuCommands menuCommands_;
  std::unique_ptr<HistoryWindow> historyWindow_;
  std::unique_ptr<QObject> closeGuard_;
  bool closingAfterWrite_ = false;
};

}  // namespace tadjust
