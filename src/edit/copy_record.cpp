#include "edit/copy_record.h"

#include "catalogue/device_catalogue.h"

namespace tadjust {

namespace {

std::uint16_t serialNumberOf(const SettingsImages& images, std::string_view model) {
  switch (traitsOf(model).family) {
    case ModelFamily::Indicator:
      return indicator::SerialNumber.get(images.IndicatorCopy);
    case ModelFamily::Humidity:
      return humidity::SerialNumber.get(images.HumidityCopy);
    default:
      return transmitter::SerialNumber.get(images.SettingsImage);
  }
}

}  // namespace

DeviceIdentity identifyDevice(const SettingsImages& images, std::string_view model,
                              unsigned linkNumber) {
  return {linkNumber, std::string(model), images.ProductCode(), serialNumberOf(images, model)};
}

}  // namespace tadjust
