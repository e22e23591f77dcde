#pragma once

// The encoder: the values of the "Editable settings" group turned into the outgoing block of the
// current model's layout, just before a write.
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
// Raw words are computed from the exact decimal values of the boxes: a correction of 0.7 °C is
// 21 raw steps, -0.1 °C is -3, never one step lower because 0.7 has no exact binary form. The
// indicator's gain, offset and alarm raws are floors of exact fractions.
//
// Nothing is encoded from a value that does not parse or from an undefined scale, and no word is
// ever stored wrapped to 16 bits: the encoder refuses, says why and which control, and leaves
// every block as it was.

#include <cstdint>
#include <optional>
#include <string>

#include "image/layout.h"
#include "image/linearisation.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"
#include "numbers/decimal.h"

namespace tadjust {

// What the encoder reads of the editable group, as the window holds it. Boxes and lists keep the
// names of their controls; what each means depends on the layout:
//
// | control   | transmitter                     | indicator      | humidity               |
// |-----------|---------------------------------|----------------|------------------------|
// | Edit1     | lower range (*)                 | display low    | temperature low        |
// | Edit2     | upper range (*)                 | display high   | temperature high       |
// | Edit3     | wire resistance, cold junction  | alarm low      | humidity high          |
// | Edit4     | temperature correction          | alarm high     | temperature output low |
// | Edit19    |                                 |                | humidity low           |
// | Edit20    |                                 |                | temperature output high|
// | Edit21    |                                 |                | humidity output low    |
// | Edit22    |                                 |                | humidity output high   |
// | ComboBox1 | sensor type 0..10               |                | unit: 0 %RH, 1 °Cdp    |
// | ComboBox2 | connection or compensation      | precision 0..3 |                        |
// | ComboBox3 | filter time constant 0..6       |                |                        |
// | ComboBox4 | entry 1: reversed output        |                |                        |
// | ComboBox5 | entry 1: high failure level     |                |                        |
// | CheckBox3 |                                 | low alarm on   |                        |
// | CheckBox4 |                                 | high alarm on  |                        |
// | Tag       | Edit5, 10 bytes                 | Edit5, 10 bytes| Edit5, 16 bytes        |
//
// (*) whole degrees for the resistance thermometers and thermocouples (types 0..8).
// The indicator's and the humidity models' boxes are whole numbers too. A whole number is one of
// 32 bits, from any number text with a whole value ("800", "800,0"), as validation leaves it.
struct EditableGroupValues {
  LaidOutModel model;  // decides the layout; its series (product code / 1000) the scales

  // The numbers of the boxes, exactly (number_text::readDecimal); nullopt: not a number.
  std::optional<Decimal> Edit1, Edit2, Edit3, Edit4, Edit19, Edit20, Edit21, Edit22;
  // Selected entries of the lists; -1 when none is selected.
  int ComboBox1 = -1, ComboBox2 = -1, ComboBox3 = -1, ComboBox4 = -1, ComboBox5 = -1;
  bool ComboBox2Shown = false;  // the connection row of a transmitter is shown
  bool CheckBox3 = false, CheckBox4 = false;
  std::string Tag;  // Edit5's text, UTF-8
};

enum class EditControl {
  kNone,
  Edit1,
  Edit2,
  Edit3,
  Edit4,
  Edit19,
  Edit20,
  Edit21,
  Edit22,
  ComboBox1,
  ComboBox2,
  ComboBox3,
};

enum class EncodingRefusalReason {
  kNotANumber,       // the box's text is not a number (control: the box)
  kNotAnInteger,     // the box holds a number with a fraction where a whole number is stored
  kValueOutOfRange,  // a number so far beyond every limit that its raw word cannot be computed
  kFieldOutOfRange,  // the value's word lies outside its field as the device reads it: signed
                     // -32768..32767, unsigned 0..65535 (control: the box)
  kNothingSelected,  // the list has no entry selected (control: the list)
  kNoVoltageScale,   // a voltage input on a series without a voltage scale (only 7, 9 and 10)
  kLinearisationUnwritable,  // the window cannot be stored (see `linearisation`)
  kEqualCalibrationPoints,   // indicator: InputCalLow equals InputCalHigh, no gain exists
  kEqualDisplayValues,       // indicator: display low equals display high, the gain is 0
  // Indicator: the gain or the offset that the calibration points give the display range lies
  // outside its word (the gain may be negative, for a reversed range: -32768..65535).
  kScaleOutOfRange,
  // Indicator: an alarm level's input count, from the calibration points, lies outside 0..65535
  // (control: the alarm's box).
  kAlarmCountOutOfRange,
};

struct EncodingRefusal {
  EncodingRefusalReason reason;
  EditControl control = EditControl::kNone;
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

// Encodes the group into the outgoing block of its model's layout in `images`: TransmitterBlock
// (rebuilt), IndicatorBlock or HumidityBlock (over what the copy for edition left there; the
// indicator's calibration words are read from IndicatorCopy). On a refusal every area of
// `images` is left as it was.
EncodingResult encodeSettings(const EditableGroupValues& group, SettingsImages& images);

}  // namespace tadjust
