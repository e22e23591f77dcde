#pragma once

// A device's settings as named values, one plain type per layout, in the device's units:
// what the editable group holds, what the encoder writes, what a device read holds, and what a
// settings file, a record or a before/after comparison speak of.
//
// A number is exact (a Decimal, as typed or as the device means it); nullopt where a box holds
// no number, or where the device stores nothing for the field (the lead resistance of a 3-wire
// connection). A list is its entry's position (kNoEntry: none selected); the device may hold a
// position no list has, and the value keeps it so that it is shown as unknown, not replaced.
//
// The values judge nothing: validation limits what the group may hold, and the encoder refuses
// what it cannot store.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "image/layout.h"
#include "image/sensor_type.h"
#include "image/settings_image.h"
#include "numbers/decimal.h"

namespace tadjust {

using SettingNumber = std::optional<Decimal>;
inline constexpr int kNoEntry = -1;

// A sensor code of InputConfig that no entry of the sensor-type list names (a resistance
// thermometer above Ni100, thermocouple subtype 7): the input kind and subtype as the device
// holds them, so that the value shows it as unknown instead of replacing it.
struct UnknownSensor {
  int inputKind = transmitter::kRtd;  // transmitter::SensorClass
  int subtype = 0;
  friend bool operator==(const UnknownSensor&, const UnknownSensor&) = default;
};

// The range words of a voltage input on a series without a voltage scale (only a product code
// that names no model gets there): no millivolt can be given, so the words are kept as read.
struct UnscaledRange {
  std::uint16_t low = 0;
  std::uint16_t high = 0;
  friend bool operator==(const UnscaledRange&, const UnscaledRange&) = default;
};

struct TransmitterSettings {
  std::optional<SensorType> sensorType;        // nullopt: none chosen, or a code no list entry has
  std::optional<UnknownSensor> unknownSensor;  // a device's code no list entry has
  SettingNumber rangeLow;  // [°C] whole degrees, [mV] or [Ohm] by the sensor type
  SettingNumber rangeHigh;
  std::optional<UnscaledRange> unscaledRange;
  // The connection list (2-, 3-, 4-wire) of resistance inputs, or the cold-junction
  // compensation (internal, external) of thermocouples; nullopt where the row is not shown
  // (voltage inputs, the fixed-sensor probes, whose lead resistance and cold junction are not
  // held either).
  std::optional<int> connection;
  SettingNumber wireResistance;           // [Ohm], a 2-wire resistance input
  SettingNumber coldJunctionTemperature;  // [°C], a thermocouple's external cold junction
  SettingNumber temperatureOffset;        // [°C], temperature sensors
  int filterIndex = kNoEntry;             // 0.2 s .. 32 s
  bool outputReversed = false;            // 20 .. 4 mA
  bool failureHigh = false;               // the failure level above the range
  std::string tag;

  friend bool operator==(const TransmitterSettings&, const TransmitterSettings&) = default;
};

struct IndicatorSettings {
  SettingNumber displayLow;  // display counts, whole numbers
  SettingNumber displayHigh;
  int precision = kNoEntry;  // digits after the point, 0 .. 3
  SettingNumber alarmLow;
  SettingNumber alarmHigh;
  bool alarmLowOn = false;
  bool alarmHighOn = false;
  std::string tag;

  friend bool operator==(const IndicatorSettings&, const IndicatorSettings&) = default;
};

struct HumiditySettings {
  int unit = kNoEntry;           // 0 relative humidity [%RH], 1 dew point [°Cdp]
  SettingNumber temperatureLow;  // [°C], whole degrees
  SettingNumber temperatureHigh;
  SettingNumber humidityLow;  // in the unit chosen, whole numbers
  SettingNumber humidityHigh;
  SettingNumber temperatureOutputLow;  // the output's signal, [mV] or [µA]
  SettingNumber temperatureOutputHigh;
  SettingNumber humidityOutputLow;
  SettingNumber humidityOutputHigh;
  std::string tag;

  friend bool operator==(const HumiditySettings&, const HumiditySettings&) = default;
};

using DeviceSettings = std::variant<TransmitterSettings, IndicatorSettings, HumiditySettings>;

// Every named field, in the order of the rows that show them.
enum class SettingsField {
  SensorType,
  RangeLow,
  RangeHigh,
  Connection,
  WireResistance,
  ColdJunctionTemperature,
  TemperatureOffset,
  FilterTime,
  OutputReversed,
  FailureHigh,
  DisplayLow,
  DisplayHigh,
  Precision,
  AlarmLow,
  AlarmHigh,
  AlarmLowOn,
  AlarmHighOn,
  HumidityUnit,
  TemperatureLow,
  TemperatureHigh,
  HumidityLow,
  HumidityHigh,
  TemperatureOutputLow,
  TemperatureOutputHigh,
  HumidityOutputLow,
  HumidityOutputHigh,
  Tag,
};

// What a field's number is measured in. The range of a transmitter follows its sensor type,
// the humidity range the unit chosen, the outputs the model's output kind.
enum class SettingsUnit {
  None,
  DegreesCelsius,
  Ohm,
  Millivolt,
  SensorRange,    // °C, mV or Ohm by the sensor type
  HumidityRange,  // %RH or °Cdp by the unit
  OutputSignal,   // mV or µA by the model
  DisplayCounts,
};

struct SettingsFieldInfo {
  SettingsField field;
  std::string_view key;  // the field's name wherever it is written down: "rangeLow"
  SettingsUnit unit;
};

const SettingsFieldInfo& fieldInfo(SettingsField field);
// The field of a key ("rangeLow"); nothing for a key no field has.
std::optional<SettingsField> fieldNamed(std::string_view key);
// The fields of a layout, in row order.
std::vector<SettingsField> fieldsOf(Layout layout);
Layout layoutOf(const DeviceSettings& settings);

// The fields a model's settings are compared by: those of its layout that the device group
// shows for it and a write of it carries. The fixed-sensor probes have no connection, lead
// resistance or cold junction; a humidity model without a unit choice (935-JYRA) has no unit it
// could write, one without an output (ARR-43) no output words.
std::vector<SettingsField> comparedFields(const LaidOutModel& model);

// A field's value as it compares: a number, a list's entry, a flag, a text, or a sensor code no
// entry names; monostate where the settings hold no value for the field.
using FieldValue = std::variant<std::monostate, Decimal, int, bool, std::string, UnknownSensor>;
FieldValue fieldValue(const DeviceSettings& settings, SettingsField field);

// The model's compared fields whose values differ, in row order: decimals, entries and flags
// compared as values, never as texts. Empty when the values are equal or of different layouts'
// types (nothing to compare field by field).
std::vector<SettingsField> differingFields(const DeviceSettings& a, const DeviceSettings& b,
                                           const LaidOutModel& model);
// The same over every field of the layout.
std::vector<SettingsField> differingFields(const DeviceSettings& a, const DeviceSettings& b);

// A field's value as text in C notation ("-0.5", "3", "true", the tag as it is), for a file, a
// history row or a test; "" for a number the value does not hold.
std::string fieldText(const DeviceSettings& settings, SettingsField field);

// Sets a field from its text as fieldText gives it; false, and nothing changed, for a text that
// does not name a value of the field (or a field the layout has not).
bool setFieldText(DeviceSettings& settings, SettingsField field, std::string_view text);

// Whether the value holds the field: numbers the settings store for their sensor, connection and
// model (fieldText gives them), every list, flag and the tag.
bool holdsField(const DeviceSettings& settings, SettingsField field);

// The sensor type InputConfig names; nothing for a subtype no list entry has (a resistance
// thermometer above Ni100, thermocouple subtype 7).
std::optional<SensorType> decodedSensorType(std::uint16_t inputConfig);

// The settings a device read holds, from the image (transmitters) or the copy (the indicator and
// the humidity models): the one decoding of a read. Every field the device group shows for the
// model is held, in the values the group shows (the voltage and resistance ranges and the
// correction in hundredths); a code no list names is kept as it is.
DeviceSettings decodeSettings(const SettingsImages& images, const LaidOutModel& model);

// A transmitter's settings as "Copy for edition" enters them into the editable group: the same
// decoding, by a rule of its own where the copy differs from the device group on purpose.
//  - A code no list entry names is read as an entry: thermocouple subtype 7 as the voltage input,
//    a resistance thermometer above Ni100 as the sensor type the group already has
//    (presentSensorType), and the range is scaled for that entry.
//  - The voltage and resistance ranges are unrounded, the series sensor's ohms as the device
//    holds them (the copy shows them five times larger).
//  - The connection code is kept as stored for every input, and the lead resistance, the cold
//    junction's temperature and the correction whatever the input: the copy shows what the
//    connection list it fills names, on a fixed-sensor probe too.
TransmitterSettings decodeForCopy(const SettingsImages& images, const LaidOutModel& model,
                                  SensorType presentSensorType);

}  // namespace tadjust
