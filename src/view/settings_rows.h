#pragma once

// What a person reads of a device's settings: the one place where the named settings become
// texts. The device group shows its rows from here, and the device record, the comparisons, the
// details of "Repeat writing?" and the write history's details name fields and values the same
// way: a field by the caption of the row that shows it for the model, in the chosen language;
// its value as the device group words it; its unit.
//
// Pure functions of the settings, the model laid out and the wording: no window is asked.

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "image/device_settings.h"
#include "image/layout.h"
#include "image/settings_image.h"

namespace tadjust {

// How values are written for their reader. The window's device group writes numbers with the
// system's decimal separator and list entries as the lists show them ("0,2", "3,5"); a document
// (the record, a comparison, the write's details, the history's details) writes every number,
// list entries too, with its language's separator: a point in English, a comma in Polish.
struct SettingsWording {
  bool english = true;
  char decimalSeparator = '.';
  bool listEntriesAsListed = false;

  static SettingsWording window(bool english);
  static SettingsWording document(bool english);
};

// A field as a person reads it.
struct SettingText {
  QString caption;  // the row's caption without its colon: "Lower range value"
  QString value;    // "-100", "3-wire", "? (7)" for a code no entry names; "–" where none
  QString unit;     // "[°C]"; empty where the row shows none

  // The value with its unit: "-100 [°C]".
  QString valueWithUnit() const;
};

// The rows of the device group, top to bottom.
inline constexpr int kDeviceGroupRows = 12;

struct DeviceGroupRow {
  int row = 0;  // the row's place in the group, from 0 at the top
  SettingText text;
  // The indicator's alarm rows show their flag in a check box in the unit's place.
  std::optional<bool> checked;
  // The fields the row shows (none for the product code and the serial number).
  std::vector<SettingsField> fields;
};

// A device read: who it is and what it holds.
struct DeviceRead {
  std::uint16_t productCode = 0;  // the layout's own field (the small layouts' at offset 64)
  std::uint16_t serialNumber = 0;
  DeviceSettings settings;
};

// The read the images hold, decoded for the model.
DeviceRead deviceReadOf(const SettingsImages& images, const LaidOutModel& model);
// The images of a 256-byte read as the program keeps it: the product code settled, the small
// layouts' copies taken.
SettingsImages imagesOfRead(const std::array<std::uint8_t, kSettingsImageSize>& image);

// The rows the device group shows for the read, exactly as the window shows them: every text,
// rounding and unknown code, the rows shown and hidden per model and sensor.
std::vector<DeviceGroupRow> deviceGroupRows(const DeviceRead& read, const LaidOutModel& model,
                                            const SettingsWording& wording);

// One field of the settings: the caption of the row that shows it for the model and the sensor
// the settings hold, its value and unit. A check box's flag reads "on"/"off" ("wł."/"wył.").
SettingText settingText(const DeviceSettings& settings, SettingsField field,
                        const LaidOutModel& model, const SettingsWording& wording);

// A field's value as written down (the key and text of fieldText, as a history row keeps them)
// read by a person: settled into `context` (the settings it belongs to, which decide the range's
// unit and the connection's wording), then worded as settingText does. A key no field has, or a
// text the field cannot hold, comes back as it is.
SettingText storedSettingText(std::string_view key, std::string_view storedText,
                              const DeviceSettings& context, const LaidOutModel& model,
                              const SettingsWording& wording);

}  // namespace tadjust
