#pragma once

// Where the editable group's values came from. A write compares it with the device on the box
// (values not taken from that device are written only after the technician has seen the
// changes), and the device record names it as the source of what was written. Typing in the
// group keeps the origin; a verified write keeps it too.

#include <QString>
#include <cstdint>

namespace tadjust {

struct EditOrigin {
  enum class Kind {
    StartValues,       // the window's start values: nothing was taken from a device
    DeviceCopy,        // "Copy for edition" of the device named below
    SettingsFile,      // a settings file opened onto the device named below
    CommissioningRow,  // a row of a commissioning list entered for the device named below
  };
  Kind kind = Kind::StartValues;
  // The device the group was made for (all kinds but StartValues).
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
  // SettingsFile: the file's path; CommissioningRow: the list's path.
  QString fileName;
  // SettingsFile: the serial number of the device the file was saved from.
  std::uint16_t sourceSerialNumber = 0;
  // CommissioningRow: the row's tag and its line in the list (the header is line 1).
  QString rowTag;
  int rowLine = 0;

  bool isFor(std::uint16_t code, std::uint16_t serial) const {
    return kind != Kind::StartValues && productCode == code && serialNumber == serial;
  }
};

}  // namespace tadjust
