#include "view/settings_read.h"

namespace tadjust {

bool showSettingsRead(Form1& form, const SettingsImages& images, std::uint16_t& lastLaidOutCode,
                      SettingsViewState& view, DecoderState& decoder, WindowEvents& events) {
  const std::uint16_t code = images.ProductCode();
  const bool newCode = code != lastLaidOutCode;
  if (newCode) {
    const bool dewPoint = (humidity::HumidityUnit.get(images.HumidityCopy) & 1u) != 0;
    layOutSettingsView(form, code, dewPoint, view, events);
    lastLaidOutCode = code;
  }
  showDeviceSettings(form, images, view.model, decoder, events);
  return newCode;
}

}  // namespace tadjust
