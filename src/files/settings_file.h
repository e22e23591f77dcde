#pragma once

// The settings file (.tadj): a device's settings as read, kept for a replacement device. UTF-8
// JSON, read by other programs and later versions (docs/settings-file.md):
//
//   { "format": "t-adjust-settings", "formatVersion": 1,
//     "savedAt": "2026-12-10T17:00:00Z", "program": "T-adjust 2.3",
//     "device": { "model": "RKA-49", "productCode": 7001, "serialNumber": 21017 },
//     "settings": { "sensorType": "K", "rangeLow": "0", ... },
//     "image": "<the 256 bytes as read, 512 hex digits>" }
//
// Numbers are strings in the device's units with a point, so nothing passes through binary
// floating point; lists are named by what they mean ("K", "3-wire"), flags are JSON booleans.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

#include "image/device_settings.h"

namespace tadjust {

inline constexpr int kSettingsFileVersion = 1;
inline constexpr qint64 kLargestSettingsFile = 1024 * 1024;

struct SettingsFileContents {
  QString model;  // as the model label shows it
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
  DeviceSettings settings;
  std::array<std::uint8_t, kSettingsImageSize> image{};
  QDateTime savedAt;
  QString program;
};

enum class SettingsFileFault {
  kNotJson,           // not a JSON object
  kUnknownFormat,     // "format" is not "t-adjust-settings"
  kNewerVersion,      // a formatVersion this program does not know
  kMissingField,      // a key the file must have (the key in `key`)
  kMalformedField,    // a key whose value is not one the field takes
  kControlCharacter,  // a text holding a control character other than a tab (the key in `key`)
  kUnknownModel,      // a model no catalogue entry has
};

struct SettingsFileError {
  SettingsFileFault fault;
  QString key;  // "settings.rangeLow", "device.serialNumber", ...
};

using SettingsFileReading = std::variant<SettingsFileContents, SettingsFileError>;

// The file's bytes for a device read: its settings decoded from the image as the model lays it
// out.
QByteArray writeSettingsFile(const SettingsFileContents& contents);

// The contents of a file's bytes, or what is wrong with them. The settings are those of the
// layout of the file's model; a number the settings of its sensor do not store may be absent.
SettingsFileReading readSettingsFile(const QByteArray& bytes);

// The name a saved settings file is offered under:
// "<model>-<serial number>-<tag>-<yyyy-MM-dd-HHmm>.tadj", the tag without the spaces that pad
// it (left out when it is blank), and every character a file name cannot hold on Windows or
// Linux (/ \ : * ? " < > | and control characters) made "-".
QString defaultSettingsFileName(const QString& model, std::uint16_t serialNumber,
                                const QString& tag, const QDateTime& savedAt);

}  // namespace tadjust
