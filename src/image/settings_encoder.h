#pragma once

// The encoder: the settings of the "Editable settings" group, as named values, turned into the
// outgoing block of the current model's layout, just before a write.
//
//  - transmitter layout (every model but the indicator and the humidity models, names outside
//    the catalogue too): TransmitterBlock is cleared and rebuilt from the group, with the
//    linearisation of resistance thermometers and thermocouples;
//  - indicator layout ("GWA-43"): IndicatorBlock, as the copy for edition left it, gets the
//    edited fields and the display scale computed from the calibration words of IndicatorCopy;
//  - humidity layout ("935-JYRA", "ARR/A", "ARR/V", "ARR-43"): HumidityBlock, as the copy left
//    it, gets the edited fields.
// The product code and serial number lie outside every block and are never written.
//
// Raw words are computed from the exact decimal values: a correction of 0.7 °C is
// 21 raw steps, -0.1 °C is -3, never one step lower because 0.7 has no exact binary form. The
// indicator's gain, offset and alarm raws are floors of exact fractions. The ranges of resistance
// thermometers and thermocouples, and every number of the indicator and the humidity models, are
// stored from whole numbers (of 32 bits), as validation leaves them.
//
// Nothing is encoded from a value that does not parse or from an undefined scale, and no word is
// ever stored wrapped to 16 bits: the encoder refuses, says why and which field, and leaves
// every block as it was.

#include <cstdint>
#include <optional>
#include <string>

#include "image/device_settings.h"
#include "image/layout.h"
#include "image/linearisation.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"
#include "numbers/decimal.h"

namespace tadjust {

enum class EncodingRefusalReason {
  kNotANumber,       // the field holds no number
  kNotAnInteger,     // the field holds a number with a fraction where a whole number is stored
  kValueOutOfRange,  // a number so far beyond every limit that its raw word cannot be computed
  kFieldOutOfRange,  // the value's word lies outside its field as the device reads it: signed
                     // -32768..32767, unsigned 0..65535
  kNothingSelected,  // the field's list has no entry selected
  kNoVoltageScale,   // a voltage input on a series without a voltage scale (only 7, 9 and 10)
  kLinearisationUnwritable,  // the window cannot be stored (see `linearisation`)
  kEqualCalibrationPoints,   // indicator: InputCalLow equals InputCalHigh, no gain exists
  kEqualDisplayValues,       // indicator: display low equals display high, the gain is 0
  // Indicator: the gain or the offset that the calibration points give the display range lies
  // outside its word (the gain may be negative, for a reversed range: -32768..65535).
  kScaleOutOfRange,
  // Indicator: an alarm level's input count, from the calibration points, lies outside 0..65535
  // (field: the alarm level).
  kAlarmCountOutOfRange,
  kOtherLayout,  // settings of another layout than the model's: nothing to encode them into
};

struct EncodingRefusal {
  EncodingRefusalReason reason;
  std::optional<SettingsField> field = std::nullopt;  // the field refused, where one is
  LinearisationRefusal linearisation = LinearisationRefusal::kNone;
  friend bool operator==(const EncodingRefusal&, const EncodingRefusal&) = default;
};

struct EncodingResult {
  // Set when nothing was encoded.
  std::optional<EncodingRefusal> refusal;
  // Transmitter layout, when encoded: the sensor type written, for EditSensorType.
  std::optional<SensorType> EditSensorType;

  bool encoded() const { return !refusal.has_value(); }
};

// Encodes the settings into the outgoing block of the model's layout in `images`:
// TransmitterBlock (rebuilt), IndicatorBlock or HumidityBlock (over what the copy for edition left
// there; the indicator's calibration words are read from IndicatorCopy). Settings of another
// layout than the model's, and every refusal, leave every area of `images` as it was.
EncodingResult encodeSettings(const DeviceSettings& settings, const LaidOutModel& model,
                              SettingsImages& images);

}  // namespace tadjust
