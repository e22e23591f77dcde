#pragma once

// The write of the edited settings (BitBtn4Click): the encode step gives the outgoing block of
// the current layout, or says why nothing may be sent; the block goes to the device behind the
// write command, byte by byte with the protocol's pauses, and the exchange controller reads the
// settings back and compares them with the block.
//
// Monitoring is switched off, the editable group disabled and the action buttons hidden for the
// whole write; a refusal brings the linked state back at once, with nothing sent.

#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>
#include <variant>
#include <vector>

#include "app/exchange_controller.h"
#include "image/settings_image.h"
#include "link/device_protocol.h"
#include "link/pause.h"
#include "link/serial_port.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"

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
// it starts from may be written to the device now linked, and gives the block of the layout
// the model label selects (see writeFrameFor), or the refusal.
using EncodeForWrite = std::function<EncodedSettings()>;

// The command letter and block length the model label selects: "GWA-43" "W" and 64 bytes, the
// humidity models "w" and 64 bytes, any other text "W" and 192 bytes.
struct WriteFrame {
  std::uint8_t command;
  std::size_t blockSize;
};
WriteFrame writeFrameFor(std::string_view model);

// The outgoing block of the layout the model label selects: IndicatorBlock, HumidityBlock or
// TransmitterBlock. The write leaves the block it sent here, for the read-back comparison and
// as the start of the next encode of a small layout.
Bytes outgoingBlockFor(std::string_view model, SettingsImages& images);

class SettingsWriter {
 public:
  struct Platform {
    SerialPort& port;
    Pause& pause;
    MessageBoxes& boxes;
    WindowEvents& events;
  };

  SettingsWriter(Form1& form, Platform platform, ExchangeController& controller,
                 SettingsImages& images, EncodeForWrite encode);

  void setEncodeForWrite(EncodeForWrite encode) { encode_ = std::move(encode); }

  // The handler of BitBtn4; also run by Yes to "Repeat writing?".
  void BitBtn4Click();

 private:
  QString text(const BilingualText& t) const;
  void write();
  // The block to send, placed into the layout's outgoing block; a refusal's reason otherwise.
  std::variant<Bytes, QString> takeBlock();
  void refuse(const QString& reason);
  void showWriteProgress();
  void advanceProgress(int step);
  void sendBlock(std::uint8_t command, ConstBytes block);

  Form1& form_;
  Platform platform_;
  ExchangeController& controller_;
  SettingsImages& images_;
  EncodeForWrite encode_;
};

}  // namespace tadjust
