#pragma once

// What the device record holds, gathered from the window and the program's state at the moment
// the user asks for it; every text is already in the chosen language, as the window shows it.

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "image/layout.h"
#include "image/settings_image.h"
#include "image/stored_linearisation.h"
#include "ui/shown_rows.h"

namespace tadjust {

struct RecordIdentity {
  QString model;  // "RKA-49"
  QString productCode;
  QString serialNumber;
  QString tag;
  QString port;  // as the window names it ("ftdi_sio:/dev/ttyUSB0")
};

// One row of the device group before and after this link's write.
struct ComparedRow {
  QString caption;
  QString asFound;  // value and unit, as the group showed them
  QString asLeft;
  bool changed = false;
};

// How the verification read of the last write ended.
enum class Verification {
  Verified,     // the read-back agrees with the block sent
  StoredWrong,  // the read-back differs
  NoReadBack,   // no read-back came, and none was read again
};

// Where the written settings came from.
struct SettingsSource {
  enum class Kind {
    StartValues,       // the window's start values: nothing was taken from a device
    DeviceCopy,        // a copy of this device ("Copy for edition")
    OtherDeviceCopy,   // a copy of another device: its serial number
    SettingsFile,      // a settings file: its name and the serial number it was saved from
    CommissioningRow,  // a row of a commissioning list: the list's name, the row's line and tag
  };
  Kind kind = Kind::StartValues;
  QString fileName;  // SettingsFile, CommissioningRow: the file's name, without its folder
  QString sourceSerialNumber;
  QString rowTag;
  int rowLine = 0;
};

// The history entry that completed the write: its place in the chain and its hash. A history
// file cut after that entry, or rewritten, no longer matches the paper.
struct RecordAnchor {
  qint64 sequence = 0;
  QString hash;
};

struct WriteByThisLink {
  std::vector<ComparedRow> rows;
  Verification verification = Verification::Verified;
  // A record regenerated from the write history: "Written" (as found → as left) rather than
  // "Written by this link".
  bool fromHistory = false;
  std::optional<SettingsSource> source;  // unknown for a record from the history
  std::optional<RecordAnchor> anchor;    // none when the history holds no completed entry
};

// The linearisation table a resistance thermometer or thermocouple holds, with the name of its
// sensor as the sensor-type list words it.
struct RecordCharacteristic {
  QString sensorName;
  StoredLinearisation table;  // empty: nothing stored
};

struct DeviceRecord {
  bool useEnglish = true;
  QDateTime made;
  QString program;   // "T-adjust v.2.3"
  QString userName;  // the computer's user
  RecordIdentity identity;
  QString settingsTitle;  // the device group's title
  std::vector<ShownRow> settings;
  std::optional<WriteByThisLink> write;                // when this link wrote the device
  std::optional<RecordCharacteristic> characteristic;  // resistance thermometers, thermocouples
};

// The rows of the device group for a read, worded for the record's language (settings_rows.h):
// captions in that language, numbers with its decimal separator, a check box in the unit's place.
std::vector<ShownRow> recordedRows(const SettingsImages& images, const LaidOutModel& model,
                                   bool english);
// The same of a 256-byte read as the program keeps it, its model taken from its product code.
std::vector<ShownRow> recordedRows(const std::array<std::uint8_t, kSettingsImageSize>& image,
                                   bool english);

// Row by row of the device group before and after a write: a row shown on one side only reads
// "—" on the other; with nothing read after, every row after reads notRead. A row is changed when
// a field it shows differs, compared as values (differingFields), or, for the rows naming the
// device, when the device differs.
std::vector<ComparedRow> compareReads(
    const std::optional<std::array<std::uint8_t, kSettingsImageSize>>& found,
    const std::optional<std::array<std::uint8_t, kSettingsImageSize>>& left, bool english,
    const QString& notRead);

// <model>-<serial number>-<yyyy-MM-dd>.pdf, a "/" in the model's name written "-".
QString recordFileName(const DeviceRecord& record);

}  // namespace tadjust
