#include "image/device_identity.h"

namespace tadjust {

DeviceIdentity identifyDevice(const SettingsImages& images, Layout layout, unsigned linkNumber) {
  const std::uint16_t serialNumber =
      readU16(readCopy(layout, images), particularsOf(layout).serialNumberOffset);
  return {linkNumber, layout, images.ProductCode(), serialNumber};
}

}  // namespace tadjust
