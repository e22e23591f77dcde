#pragma once

// The read path of the device group without the serial exchange: a reply is copied into the
// settings image and its product code settled, as the exchange controller collects it, then
// shown by the controller's own step (showSettingsRead): the view laid out when the code differs
// from the last laid-out one, and the image decoded.

#include <QLocale>
#include <cstdint>

#include "image/settings_image.h"
#include "support/recording_window_events.h"
#include "support/settings_image_fixtures.h"
#include "ui/form1.h"
#include "view/device_group.h"
#include "view/settings_read.h"
#include "view/settings_view.h"

namespace tadjust {

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
