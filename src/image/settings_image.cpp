#include "image/settings_image.h"

#include <algorithm>

namespace tadjust {

std::uint16_t readU16(ConstBytes bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::int16_t readS16(ConstBytes bytes, std::size_t offset) {
  return static_cast<std::int16_t>(readU16(bytes, offset));
}

void writeU16(Bytes bytes, std::size_t offset, std::int64_t value) {
  const auto word = static_cast<std::uint16_t>(value & 0xFFFF);
  bytes[offset] = static_cast<std::uint8_t>(word & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

namespace {

// The bytes up to and including the serial number: of the transmitter layout (at 192 and
// 194), of the indicator and humidity layouts (at 64 and 66).
constexpr std::size_t kFullIdentitySize = 196;
constexpr std::size_t kSmallIdentitySize = 68;

bool isUnset(std::uint16_t code) { return code == 0 || code == 0xFFFF; }

bool isHumidityCode(std::uint16_t code) {
  return code >= humidity::kFirstProductCode && code <= humidity::kLastProductCode;
}

template <std::size_t N>
void copyImageStart(const SettingsImages& images, std::array<std::uint8_t, N>& copy) {
  std::copy_n(images.SettingsImage.begin(), N, copy.begin());
}

}  // namespace

ProductCodeFound settleProductCode(SettingsImages& images) {
  if (!isUnset(transmitter::ProductCode.get(images.SettingsImage))) {
    return ProductCodeFound::AtOffset192;
  }

  copyImageStart(images, images.IndicatorCopy);
  const std::uint16_t indicatorCode = indicator::ProductCode.get(images.IndicatorCopy);
  if (indicatorCode == indicator::kProductCode) {
    transmitter::ProductCode.set(images.SettingsImage, indicatorCode);
    return ProductCodeFound::AtOffset64;
  }

  copyImageStart(images, images.HumidityCopy);
  const std::uint16_t humidityCode = humidity::ProductCode.get(images.HumidityCopy);
  if (!isHumidityCode(humidityCode)) return ProductCodeFound::Nowhere;
  transmitter::ProductCode.set(images.SettingsImage, humidityCode);
  return ProductCodeFound::AtOffset64;
}

void refreshLayoutCopies(SettingsImages& images) {
  copyImageStart(images, images.IndicatorCopy);
  copyImageStart(images, images.HumidityCopy);
}

bool replyNamesItsDevice(ConstBytes reply, std::size_t count) {
  if (count >= kFullIdentitySize) return true;
  if (count < kSmallIdentitySize) return false;
  // Settle a scratch image of the reply (missing bytes zero) to see where its code stands.
  SettingsImages scratch;
  std::copy_n(reply.begin(), std::min({count, reply.size(), kSettingsImageSize}),
              scratch.SettingsImage.begin());
  return settleProductCode(scratch) == ProductCodeFound::AtOffset64;
}

}  // namespace tadjust
