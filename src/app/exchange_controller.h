#pragma once

// The spine of the device exchange. A request is three command bytes sent with fixed pauses by
// the exchange worker, off the window's thread; the reply accumulates in the port's input queue
// and is taken as soon as it is whole (the worker watches the queue), or at the latest on the
// eleventh tick of the one-second timer after the request, while the progress bar counts the
// ticks. Taking a reply lays the settings view out for a new model, has the device group
// decoded, and leads the user through retries; the tick also keeps the monitoring cadence. How
// each read ends is told to one ReplyObserver (the write, whose read-back is a read like any
// other); the controller knows nothing else of the write.
//
// Modal message boxes, the processing of pending window messages and the worker's reports let
// further ticks run while a handler is still inside them or a job is under way: every flag is
// cleared before the work it asks for, and before any dialog, is started, so such a tick finds
// nothing pending.

#include <cstdint>
#include <functional>

#include "app/interface_discovery.h"
#include "image/settings_image.h"
#include "link/device_protocol.h"
#include "link/exchange_worker.h"
#include "ui/bilingual_text.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"
#include "view/device_group.h"
#include "view/settings_view.h"

namespace tadjust {

struct ExchangeState {
  bool DeviceLinked = false;  // a device answered the first read after linking
  bool ReadPending = false;   // the progress bar counts the ticks until the reply is collected
  std::uint16_t lastLaidOutCode = 0;  // the product code the settings view was last laid out for
  int MonitorTicks = 0;               // qualifying ticks since the last monitoring poll
  // Raised by every link command: which link a copy for editing was taken on, so that a write
  // can tell the device linked now from one linked before.
  unsigned linkNumber = 0;
  // The interface box went from under the open port during this link; the link ends once the
  // questions that follow are answered.
  bool connectionLost = false;
  // Something is being sent or its outcome handled (a job of the exchange worker, a collected
  // reply with its questions, a write): nothing else that talks to the device may start.
  bool exchangeUnderWay = false;
};

// Told how each read of the settings ends. Only the one who asked for a read knows what it is
// for: the write waits for its read-back this way.
class ReplyObserver {
 public:
  // Whether the pending read is the read-back of a write: its status line says so.
  virtual bool readingBack() const = 0;
  // The reply was collected and shown, the device linked by a first read.
  virtual void replyTaken() = 0;
  // No reply, and none is read again: "Repeat reading?" answered No, or the box lost.
  virtual void readGivenUp() = 0;

 protected:
  ~ReplyObserver() = default;
};

class ExchangeController {
 public:
  struct Subsystems {
    InterfaceDiscovery& discovery;
    SettingsImages& images;
    SettingsViewState& view;
    DecoderState& decoder;
  };

  ExchangeController(Form1& form, ExchangeWorker& exchange, MessageBoxes& boxes,
                     WindowEvents& events, Subsystems subsystems, ReplyObserver& observer);

  void BitBtn1Click();
  // The handler of ReadAgainButton: reads the linked device's settings again, without the link
  // prompt.
  void ReadAgainClick();
  void LinkDevice();
  void RequestRead();
  void Timer1Timer();
  void ShowActionButtons(bool visible);
  // News that Label41 keeps until the next button press (BitBtn1, BitBtn3, BitBtn4, "Read
  // again"): another device answering, a lost box. A press ends it. The news of a verified
  // write ends also at the user's first change to the editable group
  // (forgetStatusKeptUntilEdit): the group no longer holds what was verified. The news of a
  // write not verified lasts until the next write, copy, settings file opened or Disconnect
  // (NextChange): a later read verifies nothing, so after "Read again" it is shown again.
  enum class KeptUntil { ButtonPress, Edit, NextChange };
  void keepStatus(const QString& news, KeptUntil until = KeptUntil::ButtonPress);
  void forgetKeptStatus();
  void forgetStatusKeptUntilEdit();
  // The interface box went from under the open port, which is closed by now.
  void ConnectionLost();
  // Once the box is lost, the link ends when the questions and the write under way are done:
  // nothing more is read from or written to a closed port. The write marks itself under way.
  void beginFlow();
  void endFlow();

  // One monitoring poll, run on every fourth tick while monitoring is on.
  void setPollMonitoring(std::function<void()> poll) { pollMonitoring_ = std::move(poll); }
  // Told whenever a device becomes read or stops being (a read requested or ended, the link
  // ended or lost): the menu enables its entries by it.
  void setStateChanged(std::function<void()> changed) { stateChanged_ = std::move(changed); }

  // Run when a read has laid the groups out for another product code: the editable group holds
  // that model's start values, and what the editing kept of the earlier model goes with them.
  void setEditableGroupRestarted(std::function<void()> restarted) {
    editableGroupRestarted_ = std::move(restarted);
  }

  const ExchangeState& state() const { return state_; }

 private:
  bool CollectReply(const SettingsReply& reply);
  // Opens the port of Edit18 for a link; when it is gone, searches for the box as Start does
  // and opens the port found (searched: that search is done). opened runs once a port is open;
  // otherwise it has been said, or the search's own questions asked.
  void openLinkPort(std::function<void()> opened, bool searched = false);
  void sayPortNotOpened(const QString& portName, bool denied);
  void showLastingNewsAgain();
  QString text(const BilingualText& t) const;
  void showStatus(const QString& status);
  void showStatus(const BilingualText& status);
  void disconnect();
  void countPendingRead();
  void linkOpened();
  // The read request, sent by the worker: purge, 0, "$", "R", then the watch for the reply.
  void sendReadRequest(PortLine& line, unsigned read);
  void readRequested();
  void replyWhole(unsigned read, const SettingsReply& reply);
  void handleReply(const SettingsReply& reply);
  void closePort();
  void noteExchangeUnderWay();
  void takeReply();
  void endLostLinkWhenIdle();
  void endLostLink();
  void keepStatus(const BilingualText& news);
  void sayUnknownProductCode(std::uint16_t code);
  void handleNoFirstReply();
  void handleNoLaterReply();
  void keepMonitoringCadence();
  void tellStateChanged();

  Form1& form_;
  ExchangeWorker& exchange_;
  MessageBoxes& boxes_;
  WindowEvents& events_;
  Subsystems subsystems_;
  ReplyObserver& observer_;
  std::function<void()> pollMonitoring_;
  std::function<void()> editableGroupRestarted_;
  std::function<void()> stateChanged_;
  ExchangeState state_;
  bool keptStatusShown_ = false;  // Label41 keeps its news until the next button press
  bool keptUntilEdit_ = false;    // ... or until the user's next change to the editable group
  QString lastingNews_;           // kept until the next write, copy, file opened or Disconnect
  int flowsUnderWay_ = 0;         // a collected reply's handling or a write, with their questions
  unsigned readNumber_ = 0;  // raised by every read request: a late report of another is ignored
};

}  // namespace tadjust
