#pragma once

// The write of the edited settings (BitBtn4Click) and its verification: the encode step gives
// the outgoing block of the current layout, or says why nothing may be sent; the block goes to
// the device behind the write command, byte by byte with the protocol's pauses; the writer has
// the exchange controller read the settings back and, told that the reply was taken, compares
// it with the block: the device written first (product code and serial number), then every
// byte. A difference asks "Repeat writing?", and Yes writes again.
//
// Monitoring is switched off, the editable group disabled and the action buttons hidden for the
// whole write; a refusal brings the linked state back at once, with nothing sent.
//
// Calls go one way: the writer calls the controller (flows, status news, the read), and the
// controller tells the writer only how a read ended, through ReplyObserver.
//
// Every write whose block has been sent is recorded in the write history (HistoryRecorder): a
// row opened once the block is sent, completed with the outcome — the verification read, the
// answer to "Repeat writing?" (a write again after Yes is a row of its own), a read given up or
// a lost box. The history stores them on a thread of its own; it never stops nor holds a write.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "app/exchange_controller.h"
#include "app/history_recorder.h"
#include "image/settings_image.h"
#include "link/device_protocol.h"
#include "link/pause.h"
#include "link/serial_port.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"
#include "view/settings_view.h"

namespace tadjust {

// The block a write sends: the command letter and the bytes of the current layout's block.
struct OutgoingBlock {
  std::uint8_t command = kWriteCommand;
  std::vector<std::uint8_t> bytes;
};

// Why nothing may be sent, in the chosen language (shown in an OK box).
struct WriteRefusal {
  QString reason;
};

using EncodedSettings = std::variant<OutgoingBlock, WriteRefusal>;

// Encodes the editable group for a write: validates what the group shows, checks that the copy
// it starts from may be written to the device now linked, and gives the block of the model's
// layout (image/layout.h: "W" and 192 bytes for transmitters, "W" and 64 for the indicator, "w"
// and 64 for the humidity models), or the refusal. The write leaves the block it sent in the
// layout's outgoing block, for the read-back comparison and as the start of the next encode of
// a small layout.
using EncodeForWrite = std::function<EncodedSettings()>;

// Asked once a block is encoded and before anything is read or sent: whether the block may go
// to the device linked now (the program's asks the technician when the editable group was not
// taken from that device). False sends nothing.
using ConfirmWrite = std::function<bool(ConstBytes block)>;

struct WrittenDevice {
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
  friend bool operator==(const WrittenDevice&, const WrittenDevice&) = default;
};

// How the verification of the last write ended.
enum class WriteOutcome {
  ReadingBack,  // the block is sent, its read-back not yet taken
  Verified,     // the read-back agrees with the block
  StoredWrong,  // the read-back differs from the block
  NoReadBack,   // no read-back came, and none is read again
  OtherDevice,  // another device answered the read-back
};

using ImageCopy = std::array<std::uint8_t, kSettingsImageSize>;

// What this link's writes did to one device, for the device record: the device as the read
// before the first write found it, and as the last verification read left it. A new link or
// another device starts it anew.
struct LinkWrites {
  unsigned linkNumber = 0;
  WrittenDevice device;
  ImageCopy asFound{};
  std::optional<ImageCopy> asLeft;  // the last read-back of the device written
  WriteOutcome outcome = WriteOutcome::ReadingBack;
};

struct WriteState {
  // The pending read is the check before a write: the device on the box must be the one the
  // last read named (writtenDevice) before the block is sent.
  bool CheckPending = false;
  bool VerifyPending = false;  // the pending or next read is the read-back of the block sent
  // The device the block was meant for, as the read before it named it: the read-back must name
  // the same one.
  WrittenDevice writtenDevice;
  std::optional<LinkWrites> linkWrites;
};

class SettingsWriter final : public ReplyObserver {
 public:
  struct Platform {
    SerialPort& port;
    Pause& pause;
    MessageBoxes& boxes;
    WindowEvents& events;
    HistoryRecorder& history;
  };

  // view: the model laid out, whose layout names the device written. encode: the program's is
  // EditedSettings::encodeForWrite. confirm: none asks nothing.
  SettingsWriter(Form1& form, Platform platform, ExchangeController& controller,
                 SettingsImages& images, const SettingsViewState& view, EncodeForWrite encode,
                 ConfirmWrite confirm = {});

  // The handler of BitBtn4: encodes the group, asks confirm, reads the device once to check it
  // is still the one read before, and only then sends the block. Yes to "Repeat writing?" runs
  // the same without confirm (the technician chose this group for this device already).
  void BitBtn4Click();

  const WriteState& state() const { return state_; }

 private:
  bool readingBack() const override { return state_.VerifyPending; }
  void replyTaken() override;
  void readGivenUp() override;

  QString text(const BilingualText& t) const;
  void send(bool confirmFirst);
  void prepare(bool confirmFirst);
  void checkDevice();
  void write();
  // The block to send, placed into the layout's outgoing block; a refusal's reason otherwise.
  std::variant<Bytes, QString> takeBlock();
  void refuse(const QString& reason);
  void showWriteProgress();
  void advanceProgress(int step);
  void sendBlock(std::uint8_t command, ConstBytes block);
  // The device the images name now: product code and the serial number of its layout.
  WrittenDevice deviceRead() const;
  void rememberAsFound();
  void checkWrite();
  bool writeMatchesReadBack() const;
  void sayAnotherDeviceAnswered(const WrittenDevice& answered);
  void offerRepeatWriting();
  // How the read-back differs from the block sent, one line each.
  QStringList readBackDifferences() const;
  void recordBlockSent(ConstBytes sent);
  void recordOutcome(history::Outcome outcome, bool withReadBack);

  Form1& form_;
  Platform platform_;
  ExchangeController& controller_;
  SettingsImages& images_;
  const SettingsViewState& view_;
  EncodeForWrite encode_;
  ConfirmWrite confirm_;
  std::vector<std::uint8_t> blockToSend_;
  WriteState state_;
};

}  // namespace tadjust
