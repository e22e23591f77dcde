#pragma once

// The commissioning list: one row per device to commission, as a spreadsheet saves it (CSV,
// UTF-8, a header row, comma or semicolon between the cells; docs/commissioning.md).
//
//   tag;settings;model;rangeHigh
//   TT-101;pt100.tadj;;
//   TT-102;pt100.tadj;;150
//
// Columns: `tag` (required, unique), `settings` (a .tadj file relative to the list's folder),
// `model` (the device on the box must be this model) and any key of the settings file's
// settings ("rangeLow", "sensorType", ...), whose cell overrides the file's value for that row;
// an empty cell overrides nothing. A list with any fault is refused whole: every fault found is
// returned with its line and column, and no row.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

#include "files/settings_file.h"
#include "image/device_settings.h"

namespace tadjust {

// The largest list read: a plant section has tens of rows, not megabytes.
inline constexpr qint64 kLargestCommissioningList = 1024 * 1024;

struct CommissioningRow {
  int line = 0;  // in the list's text; the header is line 1
  QString tag;
  QString settingsFile;           // as the list names it, relative to the list's folder
  QString model;                  // the settings file's model, which the model column must name too
  std::uint16_t productCode = 0;  // the settings file's product code
  std::uint16_t sourceSerialNumber = 0;  // the device the settings file was saved from
  DeviceSettings settings;               // the file's settings with the row's overrides and its tag
  std::vector<SettingsField> overridden;  // the fields the row's cells set, in row order
};

struct CommissioningList {
  std::vector<CommissioningRow> rows;
  QByteArray contentHash;  // SHA-256 of the list's bytes, hexadecimal
};

enum class ListFaultKind {
  NotUtf8,         // the text is not UTF-8
  NoHeader,        // no header row
  UnclosedQuote,   // a quoted cell runs to the end of the text
  UnknownColumn,   // detail: the header's text
  RepeatedColumn,  // detail: the header's text
  NoTagColumn,
  ExtraCells,         // more cells than the header has columns
  NoTag,              // a row without a tag
  RepeatedTag,        // detail: the line that has the tag first
  NoRows,             // a header and nothing else
  NoSettings,         // a row naming no settings file
  MissingFile,        // detail: the file's name
  BadSettingsFile,    // detail: the file's name; settingsFile says what is wrong with it
  BadValue,           // detail: the cell's text
  NotOfModel,         // a setting the file's model does not have; detail: the model
  UnknownModel,       // detail: the cell's text
  OtherModel,         // the model column names another model than the settings file; detail: it
  TagNotStorable,     // the device would store another tag; detail: the tag
  ConflictsWithFile,  // the cell leaves a value of the file without meaning; detail: its key
};

// What is wrong with a settings file a row names.
struct SettingsFileProblem {
  enum class Kind { NotARegularFile, TooLarge, Unreadable, Content };
  Kind kind = Kind::Content;
  QString systemReason;     // Unreadable: the system's words
  SettingsFileError error;  // Content: the file's fault
};

struct ListFault {
  int line = 0;    // 0: the list as a whole
  int column = 0;  // 1-based; 0: the row as a whole
  QString header;  // the column's header text, when it has one
  ListFaultKind kind = ListFaultKind::BadValue;
  QString detail;
  SettingsFileProblem settingsFile;  // BadSettingsFile
};

using CommissioningListReading = std::variant<CommissioningList, std::vector<ListFault>>;

// Reads the list's bytes; settings files are read from `folder` (the list's own).
CommissioningListReading readCommissioningList(const QByteArray& bytes, const QDir& folder);

// The hexadecimal SHA-256 of a list's bytes: a job belongs to the list it was started on.
QByteArray listContentHash(const QByteArray& bytes);

// A spreadsheet's column letter: 1 is "A", 27 "AA".
QString columnLetter(int column);

}  // namespace tadjust
