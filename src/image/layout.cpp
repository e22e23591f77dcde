#include "image/layout.h"

namespace tadjust {

namespace {

// The write command letters of the protocol.
constexpr std::uint8_t kWriteLetter = 'W';
constexpr std::uint8_t kHumidityWriteLetter = 'w';

constexpr LayoutParticulars kTransmitter{kWriteLetter, kTransmitterBlockSize,
                                         transmitter::SerialNumber.offset, transmitter::Tag, false};
constexpr LayoutParticulars kIndicator{kWriteLetter, kSmallBlockSize,
                                       indicator::SerialNumber.offset, indicator::Tag, true};
constexpr LayoutParticulars kHumidity{kHumidityWriteLetter, kSmallBlockSize,
                                      humidity::SerialNumber.offset, humidity::Tag, true};

}  // namespace

Layout layoutOf(ModelFamily family) {
  switch (family) {
    case ModelFamily::Indicator:
      return Layout::Indicator;
    case ModelFamily::Humidity:
      return Layout::Humidity;
    case ModelFamily::CurrentOutput:
    case ModelFamily::VoltageOutput:
      break;
  }
  return Layout::Transmitter;
}

const LayoutParticulars& particularsOf(Layout layout) {
  switch (layout) {
    case Layout::Indicator:
      return kIndicator;
    case Layout::Humidity:
      return kHumidity;
    case Layout::Transmitter:
      break;
  }
  return kTransmitter;
}

Bytes outgoingBlock(Layout layout, SettingsImages& images) {
  switch (layout) {
    case Layout::Indicator:
      return images.IndicatorBlock;
    case Layout::Humidity:
      return images.HumidityBlock;
    case Layout::Transmitter:
      break;
  }
  return images.TransmitterBlock;
}

ConstBytes outgoingBlock(Layout layout, const SettingsImages& images) {
  switch (layout) {
    case Layout::Indicator:
      return images.IndicatorBlock;
    case Layout::Humidity:
      return images.HumidityBlock;
    case Layout::Transmitter:
      break;
  }
  return images.TransmitterBlock;
}

ConstBytes readCopy(Layout layout, const SettingsImages& images) {
  switch (layout) {
    case Layout::Indicator:
      return images.IndicatorCopy;
    case Layout::Humidity:
      return images.HumidityCopy;
    case Layout::Transmitter:
      break;
  }
  return images.SettingsImage;
}

}  // namespace tadjust
