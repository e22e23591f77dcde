#pragma once

// One write of settings to a device, as the history keeps it (docs/history.md: the tables are a
// contract that other programs read).
//
// A write is two entries of the hash chain, each stored once and never changed: its opening
// (table `writes`: when the block had been sent, who, where, which device, the bytes as found and
// sent, the field changes the block makes) and its completion (table `completions`: the outcome,
// the verification read, the device that answered). A WriteRow is the two read together; a write
// without its completion is open. Rows of a file of schema 1 (table `writes_v1`) are one entry
// each and read the same way.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

namespace tadjust::history {

enum class Outcome {
  Verified,        // the verification read agrees with the block sent
  StoredWrong,     // the verification read differs ("Repeat writing?" answered)
  NoReply,         // no verification read came, and none is read again
  ConnectionLost,  // the interface box went away before a verification read came
  OtherDevice,     // another device answered the verification read
  Interrupted,     // the program ended before the outcome was known
};

// The outcome as the table writes it: "verified", "stored-wrong", ...
std::string_view outcomeName(Outcome outcome);
std::optional<Outcome> outcomeNamed(std::string_view name);

// What a write's opening holds (the table `writes` without its chain columns).
struct WriteOpening {
  QString writtenAt;  // UTC, ISO 8601 with milliseconds: "2026-12-10T09:41:07.250Z"
  QString user;       // the operating system's login
  QString host;
  QString programVersion;
  qint64 processId = 0;  // the program that opened the write, so that a later start knows whose
                         // open writes were cut off
  QString port;
  QString model;
  qint64 productCode = 0;
  qint64 serialNumber = 0;
  QString tag;         // the tag the block carries
  QByteArray asFound;  // the 256-byte image the device held before
  QByteArray sent;     // the block sent (192 or 64 bytes)
  QString changes;     // JSON: [{"field": ..., "before": ..., "after": ...}]
};

// What a write's completion holds (the table `completions` without its chain columns).
struct WriteCompletion {
  QString completedAt;
  Outcome outcome = Outcome::Interrupted;
  std::optional<QByteArray> asLeft;  // the verification read; none when none came
  // The device that answered the verification read, for an other-device outcome.
  std::optional<qint64> answeredProductCode;
  std::optional<qint64> answeredSerialNumber;
};

// A chain entry as stored: its place and hash.
struct ChainEntry {
  qint64 id = 0;  // the write's id for an opening, the completion's own id for a completion
  qint64 sequence = 0;
  QString hash;
};

// A write read back: its opening and, once completed, its completion.
struct WriteRow {
  qint64 id = 0;
  // The chain entry that completed the write (for a row of schema 1, its only entry): what a
  // paper record prints to anchor the file. None while the write is open.
  std::optional<qint64> sequence;
  QString writtenAt;
  std::optional<QString> completedAt;
  QString user;
  QString host;
  QString programVersion;
  qint64 processId = 0;
  QString port;
  QString model;
  qint64 productCode = 0;
  qint64 serialNumber = 0;
  QString tag;
  std::optional<QString> outcome;  // an outcomeName(); none while the write is open
  QByteArray asFound;
  QByteArray sent;
  std::optional<QByteArray> asLeft;
  QString changes;
  std::optional<QString> prevHash;  // of the completing entry
  std::optional<QString> hash;      // of the completing entry
  // The opening's own entry; none for a row of schema 1.
  std::optional<qint64> openingSequence;
  std::optional<QString> openingHash;
  std::optional<qint64> answeredProductCode;
  std::optional<qint64> answeredSerialNumber;

  bool isOpen() const { return !sequence.has_value(); }
};

}  // namespace tadjust::history
