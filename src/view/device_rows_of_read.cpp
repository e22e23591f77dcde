#include "view/device_rows_of_read.h"

#include "ui/window_events.h"
#include "view/image_decoder.h"
#include "view/settings_view.h"

namespace tadjust {

namespace {

// The window of its own is never shown: nothing waits to be painted.
class NoWindowEvents final : public WindowEvents {
 public:
  void processPendingMessages() override {}
  void requestTerminate() override {}
};

}  // namespace

std::vector<ShownRow> deviceRowsOfRead(const std::array<std::uint8_t, kSettingsImageSize>& image,
                                       bool useEnglish) {
  Form1 window;
  window.UseEnglish = useEnglish;
  if (useEnglish) applyStartCaptions(window, true);

  SettingsImages images;
  images.SettingsImage = image;
  settleProductCode(images);
  refreshLayoutCopies(images);

  NoWindowEvents events;
  SettingsViewState view;
  DecoderState decoder;
  const bool dewPoint = (humidity::HumidityUnit.get(images.HumidityCopy) & 1u) != 0;
  layOutSettingsView(window, images.ProductCode(), dewPoint, view, events);
  showDeviceSettings(window, images, view.model, decoder, events);
  return shownRows(window.deviceRows(), useEnglish);
}

}  // namespace tadjust
