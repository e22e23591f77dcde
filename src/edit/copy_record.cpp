#include "edit/copy_record.h"

#include "catalogue/device_catalogue.h"

namespace tadjust {

namespace {

std::uint16_t serialNumberOf(const SettingsImages& images, std::string_view model) {
  if (isIndicator(model)) return indicator::SerialNumber.get(images.IndicatorCopy);
  if (isHumidityModel(model)) return humidity::SerialNumber.get(images.HumidityCopy);
  return transmitter::SerialNumber.get(images.SettingsImage);
}

}  // namespace

DeviceIdentity identifyDevice(const SettingsImages& images, std::string_view model,
                              unsigned linkNumber) {
  return {linkNumber, std::string(model), images.ProductCode(), serialNumberOf(images, model)};
}

}  // namespace tadjust
