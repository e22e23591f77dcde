#pragma once

// The spine of the device exchange. A request is three command bytes sent with fixed pauses;
// the reply is left to accumulate in the port's input queue, and the one-second timer collects
// it on the eleventh tick after the request while the progress bar counts the ticks. The timer
// tick also lays the settings view out for a new model, has the device group decoded, checks
// the read-back after a write, leads the user through retries, and keeps the monitoring cadence.
//
// Modal message boxes and the processing of pending window messages let further ticks run while
// a handler is still inside them: every flag is cleared before the work it asks for, and before
// any dialog, is started, so such a tick finds nothing pending.

#include <cstdint>
#include <functional>

#include "app/interface_discovery.h"
#include "image/settings_image.h"
#include "link/device_protocol.h"
#include "link/pause.h"
#include "link/serial_port.h"
#include "ui/bilingual_text.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"
#include "view/image_decoder.h"
#include "view/settings_view.h"

namespace tadjust {

struct WrittenDevice {
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
  friend bool operator==(const WrittenDevice&, const WrittenDevice&) = default;
};

struct ExchangeState {
  bool DeviceLinked = false;   // a device answered the first read after linking
  bool ReadPending = false;    // the progress bar counts the ticks until the reply is collected
  bool VerifyPending = false;  // the pending or next read is the read-back of a write
  std::uint16_t lastLaidOutCode = 0;  // the product code the settings view was last laid out for
  int MonitorTicks = 0;               // qualifying ticks since the last monitoring poll
  // Raised by every link command: which link a copy for editing was taken on, so that a write
  // can tell the device linked now from one linked before.
  unsigned linkNumber = 0;
  // The interface box went from under the open port during this link; the link ends once the
  // questions that follow are answered.
  bool connectionLost = false;
  // The device the last write was meant for, as the read before it named it: the read-back must
  // name the same one.
  WrittenDevice writtenDevice;
};

class ExchangeController {
 public:
  struct Subsystems {
    InterfaceDiscovery& discovery;
    SettingsImages& images;
    SettingsViewState& view;
    DecoderState& decoder;
  };

  ExchangeController(Form1& form, SerialPort& port, MessageBoxes& boxes, WindowEvents& events,
                     Subsystems subsystems);

  void BitBtn1Click();
  void LinkDevice();
  void RequestRead();
  bool CollectReply();
  void Timer1Timer();
  void ShowActionButtons(bool visible);
  // A button press (BitBtn1, BitBtn3, BitBtn4) ends the news that Label41 keeps until then: a
  // verified write, another device answering, a lost box.
  void forgetWriteVerified();
  // The interface box went from under the open port, which is closed by now.
  void ConnectionLost();
  // Once the box is lost, the link ends when the questions and the write under way are done:
  // nothing more is read from or written to a closed port. The write marks itself under way.
  void beginFlow() { ++flowsUnderWay_; }
  void endFlow();
  // The device the images name now: product code and the serial number of its layout.
  WrittenDevice deviceRead() const;

  // The write of the edited settings (BitBtn4Click), run again by Yes to "Repeat writing?".
  void setWriteSettings(std::function<void()> write) { writeSettings_ = std::move(write); }
  // One monitoring poll, run on every fourth tick while monitoring is on.
  void setPollMonitoring(std::function<void()> poll) { pollMonitoring_ = std::move(poll); }

  ExchangeState state;

 private:
  QString text(const BilingualText& t) const;
  void showStatus(const QString& status);
  void showStatus(const BilingualText& status);
  void disconnect();
  void countPendingRead();
  void takeReply();
  bool writeMatchesReadBack() const;
  void checkWrite();
  void sayAnotherDeviceAnswered(const WrittenDevice& answered);
  void endLostLinkWhenIdle();
  void endLostLink();
  void keepStatus(const BilingualText& status);
  void sayUnknownProductCode(std::uint16_t code);
  void sayWriteVerified();
  void offerRepeatWriting();
  void handleNoFirstReply();
  void handleNoLaterReply();
  void keepMonitoringCadence();

  Form1& form_;
  SerialPort& port_;
  MessageBoxes& boxes_;
  WindowEvents& events_;
  Subsystems subsystems_;
  std::function<void()> writeSettings_;
  std::function<void()> pollMonitoring_;
  bool keptStatusShown_ = false;  // Label41 keeps its news until the next button press
  int flowsUnderWay_ = 0;         // a collected reply's handling or a write, with their questions
};

}  // namespace tadjust
