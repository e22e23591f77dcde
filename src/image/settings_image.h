#pragma once

// The device's 256-byte settings record, the copies and outgoing blocks the program keeps of it,
// and the named fields of its three layouts. All 16-bit fields are little-endian.
//
//  - transmitter layout (series 7, 9, 10 temperature models): the whole image, bytes 0..191 are
//    the writable block, the product code stands at 192;
//  - indicator layout (GWA-43) and humidity layout (935-JYRA, ARR/A, ARR/V, ARR-43): the first
//    128 bytes, kept in IndicatorCopy / HumidityCopy, bytes 0..63 writable, product code at 64.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tadjust {

inline constexpr std::size_t kSettingsImageSize = 256;
inline constexpr std::size_t kLayoutCopySize = 128;
inline constexpr std::size_t kTransmitterBlockSize = 192;
inline constexpr std::size_t kSmallBlockSize = 64;

using Bytes = std::span<std::uint8_t>;
using ConstBytes = std::span<const std::uint8_t>;

std::uint16_t readU16(ConstBytes bytes, std::size_t offset);
std::int16_t readS16(ConstBytes bytes, std::size_t offset);
// Stores the low 16 bits of value.
void writeU16(Bytes bytes, std::size_t offset, std::int64_t value);

// A word the device reads as unsigned (0..65535) or as signed (-32768..32767); holds() tells
// whether a value is stored as itself rather than wrapped to 16 bits.
struct U16Field {
  static constexpr std::int64_t kMin = 0;
  static constexpr std::int64_t kMax = 0xFFFF;
  std::size_t offset;
  std::uint16_t get(ConstBytes bytes) const { return readU16(bytes, offset); }
  void set(Bytes bytes, std::int64_t value) const { writeU16(bytes, offset, value); }
  static constexpr bool holds(std::int64_t value) { return value >= kMin && value <= kMax; }
};

struct S16Field {
  static constexpr std::int64_t kMin = -0x8000;
  static constexpr std::int64_t kMax = 0x7FFF;
  std::size_t offset;
  std::int16_t get(ConstBytes bytes) const { return readS16(bytes, offset); }
  void set(Bytes bytes, std::int64_t value) const { writeU16(bytes, offset, value); }
  static constexpr bool holds(std::int64_t value) { return value >= kMin && value <= kMax; }
};

struct U16Array {
  std::size_t offset;
  std::size_t count;
  std::uint16_t get(ConstBytes bytes, std::size_t i) const {
    return readU16(bytes, offset + 2 * i);
  }
  void set(Bytes bytes, std::size_t i, std::int64_t value) const {
    writeU16(bytes, offset + 2 * i, value);
  }
};

// A fixed-width text of single-byte Windows-1250 characters, padded with zero bytes.
struct TextField {
  std::size_t offset;
  std::size_t width;
  // The text up to the first zero byte or the field's width, as UTF-8.
  std::string get(ConstBytes bytes) const;
  // Clears the field, then stores the text's bytes from the start, at most width of them;
  // a character with no Windows-1250 byte is stored as "?".
  void set(Bytes bytes, const std::string& utf8) const;
  // The text the field holds once the text is set: get() after set(). Cut to the field's width,
  // a character without a byte as "?", nothing after a zero character.
  std::string stored(const std::string& utf8) const;
};

namespace transmitter {
inline constexpr U16Field InputConfig{0};
inline constexpr U16Field LinSlopeShift{2};
inline constexpr U16Field CjcSlopeShift{4};
inline constexpr U16Field RangeLowRaw{6};
inline constexpr U16Field RangeHighRaw{8};
inline constexpr U16Field WireResistanceRaw{10};
inline constexpr U16Field ColdJunctionTempRaw{12};
inline constexpr S16Field TempOffsetRaw{14};
inline constexpr U16Field FilterTimeIndex{16};
inline constexpr TextField Tag{18, 10};
inline constexpr U16Field InputLimitHighRaw{28};
inline constexpr U16Array LinSignal{30, 20};
inline constexpr U16Field InputLimitLowRaw{30};  // voltage and resistance inputs
inline constexpr U16Array LinSlope{70, 20};
inline constexpr U16Array LinTemp{110, 20};
inline constexpr U16Array CjcTemp{150, 7};
inline constexpr U16Array CjcSlope{164, 7};
inline constexpr U16Array CjcSignal{178, 7};
inline constexpr U16Field ProductCode{192};
inline constexpr U16Field SerialNumber{194};

// InputConfig bits.
inline constexpr std::uint16_t kFailureHighBit = 1u << 0;
inline constexpr std::uint16_t kOutputReversedBit = 1u << 1;
inline constexpr int kConnectionShift = 4;    // bits 4-5
inline constexpr int kSubtypeShift = 8;       // bits 8-10
inline constexpr int kSensorClassShift = 12;  // bits 12-13
enum SensorClass { kResistance = 0, kVoltage = 1, kRtd = 2, kThermocouple = 3 };
inline int sensorClass(std::uint16_t inputConfig) { return (inputConfig >> kSensorClassShift) & 3; }
inline int sensorSubtype(std::uint16_t inputConfig) { return (inputConfig >> kSubtypeShift) & 7; }
inline int connectionCode(std::uint16_t inputConfig) {
  return (inputConfig >> kConnectionShift) & 3;
}

}  // namespace transmitter

namespace indicator {
inline constexpr U16Field AlarmFlags{0};
inline constexpr S16Field DisplayLow{2};
inline constexpr S16Field DisplayHigh{4};
inline constexpr S16Field AlarmLow{6};
inline constexpr S16Field AlarmHigh{8};
inline constexpr U16Field ScaleGain{10};
inline constexpr U16Field ScaleShift{12};
inline constexpr S16Field ScaleOffset{14};
inline constexpr U16Field Precision{16};
inline constexpr U16Field AlarmLowRaw{18};
inline constexpr U16Field AlarmHighRaw{20};
inline constexpr TextField Tag{22, 10};
inline constexpr U16Field ProductCode{64};
inline constexpr U16Field SerialNumber{66};
inline constexpr U16Field InputCalLow{68};
inline constexpr U16Field InputCalHigh{70};
inline constexpr std::uint16_t kProductCode = 10013;
}  // namespace indicator

namespace humidity {
inline constexpr U16Field HumidityUnit{0};
inline constexpr S16Field TempRangeLow{2};
inline constexpr S16Field TempRangeHigh{4};
inline constexpr S16Field HumRangeLow{6};
inline constexpr S16Field HumRangeHigh{8};
inline constexpr S16Field TempOutLow{10};
inline constexpr S16Field TempOutHigh{12};
inline constexpr S16Field HumOutLow{14};
inline constexpr S16Field HumOutHigh{16};
inline constexpr TextField Tag{18, 16};
inline constexpr U16Field ProductCode{64};
inline constexpr U16Field SerialNumber{66};
inline constexpr std::uint16_t kFirstProductCode = 15001;
inline constexpr std::uint16_t kLastProductCode = 15004;
}  // namespace humidity

// The areas the program keeps of the device's settings, one instance for the whole run.
struct SettingsImages {
  std::array<std::uint8_t, kSettingsImageSize> SettingsImage{};
  std::array<std::uint8_t, kLayoutCopySize> IndicatorCopy{};
  std::array<std::uint8_t, kLayoutCopySize> HumidityCopy{};
  std::array<std::uint8_t, kTransmitterBlockSize> TransmitterBlock{};
  std::array<std::uint8_t, kSmallBlockSize> IndicatorBlock{};
  std::array<std::uint8_t, kSmallBlockSize> HumidityBlock{};

  // The product code every part of the program reads: the word at image offset 192, after
  // settleProductCode.
  std::uint16_t ProductCode() const { return transmitter::ProductCode.get(SettingsImage); }
};

// Where the settlement found the product code of a reply.
enum class ProductCodeFound { AtOffset192, AtOffset64, Nowhere };

// Settles the product code of a reply just copied into SettingsImage: the word at 192 when it
// is neither 0 nor 0xFFFF; otherwise the indicator's 10013 or a humidity code 15001..15004 at
// offset 64 (taken through IndicatorCopy and HumidityCopy, which are refreshed on the way) is
// written to offset 192; otherwise offset 192 stays 0 or 0xFFFF.
ProductCodeFound settleProductCode(SettingsImages& images);

// Puts SettingsImage bytes 0..127 into IndicatorCopy and HumidityCopy. Run after every
// settlement: a device whose code stands at 192 would otherwise be shown, copied and written
// with an earlier indicator's or humidity model's bytes.
void refreshLayoutCopies(SettingsImages& images);

// A reply that names its device: at least 196 bytes (product code and serial number), or at
// least 68 bytes when its code stands at offset 64 (the indicator and the humidity models need
// only bytes 0..67). Anything shorter is a broken line, not a device. reply holds the bytes
// that arrived, count of them.
bool replyNamesItsDevice(ConstBytes reply, std::size_t count);

}  // namespace tadjust
