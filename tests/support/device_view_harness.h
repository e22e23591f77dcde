#pragma once

// The read path of the device group without the serial exchange: a reply is copied into the
// settings image and its product code settled, as the exchange controller collects it, then
// shown by the controller's own step (showSettingsRead): the view laid out when the code differs
// from the last laid-out one, and the image decoded.

#include <QLocale>
#include <array>
#include <cstdint>
#include <functional>

#include "image/settings_image.h"
#include "support/recording_window_events.h"
#include "ui/form1.h"
#include "view/image_decoder.h"
#include "view/settings_read.h"
#include "view/settings_view.h"

namespace tadjust {

using Reply = std::array<std::uint8_t, kSettingsImageSize>;

// A transmitter's reply: product code at 192, serial number at 194, fields filled by fill.
inline Reply transmitterReply(std::uint16_t code, const std::function<void(Bytes)>& fill = {},
                              std::uint16_t serial = 1234) {
  Reply reply{};
  if (fill) fill(reply);
  transmitter::ProductCode.set(reply, code);
  transmitter::SerialNumber.set(reply, serial);
  return reply;
}

// A reply of the indicator or a humidity model: the code at 64, 0xFFFF at 192.
inline Reply smallLayoutReply(std::uint16_t code, const std::function<void(Bytes)>& fill = {},
                              std::uint16_t serial = 4321) {
  Reply reply{};
  if (fill) fill(reply);
  indicator::ProductCode.set(reply, code);
  indicator::SerialNumber.set(reply, serial);
  transmitter::ProductCode.set(reply, 0xFFFF);
  return reply;
}

// Numbers are written with the system's decimal separator; the tests run on a comma system.
class CommaLocale {
 public:
  CommaLocale() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
  ~CommaLocale() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

struct DeviceViewHarness {
  // The window as the start-up question leaves it in the chosen language.
  explicit DeviceViewHarness(bool useEnglish = true) {
    form.UseEnglish = useEnglish;
    restoreStartCaptions(form);
  }

  void read(const Reply& reply) {
    images.SettingsImage = reply;
    settleProductCode(images);
    showSettingsRead(form, images, lastLaidOutCode, view, decoder, events);
  }

  CommaLocale locale;
  Form1 form;
  SettingsImages images;
  SettingsViewState view;
  DecoderState decoder;
  RecordingWindowEvents events;
  std::uint16_t lastLaidOutCode = 0;
};

}  // namespace tadjust
