#pragma once

// Commissioning from a list (File › "Commission devices from a list…", docs/commissioning.md).
// The list is read whole and refused with every fault before anything is written; the job it
// starts (or resumes, from <list>.job.json) is shown in its own window beside the main one.
//
// For each device the technician puts on the box, the job follows the exchange's reads: after a
// read of the device (Connect, Read again), the selected waiting row, or else the next waiting
// one, is entered into the editable group as a settings file is opened onto the device — the
// copy for edition of this device first, so identity and calibration stay its own, then the
// row's settings chosen and typed and validated, the corrections said in the row — with the
// row's tag, and the group's origin names the row and the device. Send writes it as any write;
// when its read-back verifies, the row takes the device's serial number, the time and the
// history's entry of the write, the device record is saved as <tag>-<serial>.pdf in the job's
// folder, and the job's state is saved. A failed write leaves the row waiting with the reason.
// A device the job has already commissioned is refused.
//
// The job sees how reads end by standing between the exchange and the writer as the exchange's
// ReplyObserver: it passes every call on to the writer first, then looks at what it left.

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "app/commissioning_window.h"
#include "app/exchange_controller.h"
#include "app/history_recorder.h"
#include "app/settings_writer.h"
#include "commissioning/commissioning_job.h"
#include "edit/copy_for_editing.h"
#include "edit/edit_origin.h"
#include "edit/group_fields.h"
#include "record/device_record.h"
#include "ui/file_dialogs.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "view/settings_view.h"

namespace tadjust {

class CommissioningCommands final : public ReplyObserver {
 public:
  struct Sources {
    const SettingsImages& images;
    const SettingsViewState& view;
    ExchangeController& controller;
    SettingsWriter& writer;
    CopyForEditing& copy;
    SettingsEntry& entry;
    HistoryRecorder& history;
    // The record of the device the window shows now.
    std::function<DeviceRecord()> gatherRecord;
    // Where the editable group came from, told when a row is entered.
    std::function<void(const EditOrigin&)> setOrigin;
    // Says what the editable group now holds (EditNotice), with details.
    std::function<void(const QString& text, const QString& details)> notice;
  };

  // Nothing of the sources is used before the first call.
  CommissioningCommands(Form1& form, MessageBoxes& boxes, FileDialogs& dialogs, Sources sources);
  ~CommissioningCommands();

  // File › "Commission devices from a list…".
  void openList();
  // The editable group now holds something else than the row entered (a copy, a file, another
  // model's start values): its write is no longer the row's.
  void groupTakenElsewhere();
  // The history stored a completion of this program's writes (HistoryRecorder::setAnchorStored).
  void anchorStored(const HistoryAnchor& anchor);

  // The job's window while a job is open.
  CommissioningWindow* window() { return window_.get(); }
  const CommissioningJob* job() const { return job_.get(); }

 private:
  bool readingBack() const override;
  void replyTaken() override;
  void readGivenUp() override;

  QString text(const BilingualText& t) const;
  std::optional<QByteArray> readList(const QString& path);
  QString faultText(const ListFault& fault) const;
  // Takes the job's saved state, or asks whether to start anew; false when no job is to start.
  bool resumeOrStartAnew(CommissioningJob& job);
  bool saveState();
  void showWindow();
  void endJob();
  void refreshWindow();
  void say(const QString& status);

  bool deviceReadNow() const;
  void deviceRead();
  // The reply of a read just taken names the device on the box.
  void deviceReadTaken();
  void enterRowForDevice();
  void enterRow(std::size_t row);
  void enterSelectedRow();
  void skipSelectedRow();
  void writeEnded();
  void rowVerified(std::size_t row);
  void writeSummary();

  Form1& form_;
  MessageBoxes& boxes_;
  FileDialogs& dialogs_;
  Sources sources_;
  std::unique_ptr<CommissioningJob> job_;
  std::unique_ptr<CommissioningWindow> window_;
  // The row in the editable group and the device it was entered for.
  struct EnteredRow {
    std::size_t row = 0;
    std::uint16_t productCode = 0;
    std::uint16_t serialNumber = 0;
  };
  std::optional<EnteredRow> entered_;
  // A verified row whose write the history has not stored yet: it takes the anchor when the
  // history says it stored the last write.
  std::optional<std::size_t> awaitingAnchor_;
  std::vector<QString> notes_;
};

}  // namespace tadjust
