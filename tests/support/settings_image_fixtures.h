#pragma once

// Settings images as the tests give them to a device or a read: a reply of either layout with its
// product code and serial number, and fills that set the fields a test names. Every byte a test
// does not name stays zero.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "image/settings_image.h"

namespace tadjust {

using Reply = std::array<std::uint8_t, kSettingsImageSize>;
using ImageFill = std::function<void(Bytes)>;

// A transmitter's reply: product code at 192, serial number at 194, fields filled by fill.
inline Reply transmitterReply(std::uint16_t code, const ImageFill& fill = {},
                              std::uint16_t serial = 1234) {
  Reply reply{};
  if (fill) fill(reply);
  transmitter::ProductCode.set(reply, code);
  transmitter::SerialNumber.set(reply, serial);
  return reply;
}

// A reply of the indicator or a humidity model: the code at 64, 0xFFFF at 192.
inline Reply smallLayoutReply(std::uint16_t code, const ImageFill& fill = {},
                              std::uint16_t serial = 4321) {
  Reply reply{};
  if (fill) fill(reply);
  indicator::ProductCode.set(reply, code);
  indicator::SerialNumber.set(reply, serial);
  transmitter::ProductCode.set(reply, 0xFFFF);
  return reply;
}

// A transmitter's sensor: the input configuration word and the raw range; more fills the rest.
inline ImageFill sensor(std::uint16_t config, std::uint16_t low, std::uint16_t high,
                        ImageFill more = {}) {
  return [=](Bytes b) {
    transmitter::InputConfig.set(b, config);
    transmitter::RangeLowRaw.set(b, low);
    transmitter::RangeHighRaw.set(b, high);
    if (more) more(b);
  };
}

// The indicator's settings as its words hold them.
struct IndicatorFields {
  std::uint16_t alarmFlags = 0;
  std::int64_t displayLow = 0;
  std::int64_t displayHigh = 0;
  std::uint16_t precision = 0;
  std::int64_t alarmLow = 0;
  std::int64_t alarmHigh = 0;
  std::string tag{};
};

inline ImageFill indicatorFields(const IndicatorFields& fields) {
  return [=](Bytes b) {
    indicator::AlarmFlags.set(b, fields.alarmFlags);
    indicator::DisplayLow.set(b, fields.displayLow);
    indicator::DisplayHigh.set(b, fields.displayHigh);
    indicator::Precision.set(b, fields.precision);
    indicator::AlarmLow.set(b, fields.alarmLow);
    indicator::AlarmHigh.set(b, fields.alarmHigh);
    indicator::Tag.set(b, fields.tag);
  };
}

// A humidity model's settings as its words hold them (ranges in hundredths, outputs in mV or uA).
struct HumidityFields {
  std::uint16_t unit = 0;
  std::int64_t tempLow = 0;
  std::int64_t tempHigh = 0;
  std::int64_t humLow = 0;
  std::int64_t humHigh = 0;
  std::int64_t tempOutLow = 0;
  std::int64_t tempOutHigh = 0;
  std::int64_t humOutLow = 0;
  std::int64_t humOutHigh = 0;
  std::string tag{};
};

inline ImageFill humidityFields(const HumidityFields& fields) {
  return [=](Bytes b) {
    humidity::HumidityUnit.set(b, fields.unit);
    humidity::TempRangeLow.set(b, fields.tempLow);
    humidity::TempRangeHigh.set(b, fields.tempHigh);
    humidity::HumRangeLow.set(b, fields.humLow);
    humidity::HumRangeHigh.set(b, fields.humHigh);
    humidity::TempOutLow.set(b, fields.tempOutLow);
    humidity::TempOutHigh.set(b, fields.tempOutHigh);
    humidity::HumOutLow.set(b, fields.humOutLow);
    humidity::HumOutHigh.set(b, fields.humOutHigh);
    humidity::Tag.set(b, fields.tag);
  };
}

}  // namespace tadjust
