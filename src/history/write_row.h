#pragma once

// One row of the table `writes`: one write of settings to a device, as the history keeps it.
// The table is a contract that other programs read (docs/history.md); the names of the members
// are its column names.
//
// A row is inserted when the block has been sent (open: no outcome, no place in the chain) and
// completed once the write's outcome is known: outcome, as_left, completed_at, and its place in
// the hash chain (sequence, prev_hash, hash), in the order rows are completed.

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

struct WriteRow {
  qint64 id = 0;
  std::optional<qint64> sequence;  // the row's place in the chain, from 1; set at completion
  QString writtenAt;               // UTC, ISO 8601 with milliseconds: "2026-12-10T09:41:07.250Z"
  std::optional<QString> completedAt;
  QString user;  // the operating system's login
  QString host;
  QString programVersion;
  qint64 processId = 0;  // the program that wrote the row, so that a later start knows whose
                         // open rows were cut off
  QString port;
  QString model;
  qint64 productCode = 0;
  qint64 serialNumber = 0;
  QString tag;
  std::optional<QString> outcome;    // an outcomeName(); none while the row is open
  QByteArray asFound;                // the 256-byte image the device held before
  QByteArray sent;                   // the block sent (192 or 64 bytes)
  std::optional<QByteArray> asLeft;  // the verification read; none when none came
  QString changes;                   // JSON: [{"field": ..., "before": ..., "after": ...}]
  std::optional<QString> prevHash;
  std::optional<QString> hash;

  bool isOpen() const { return !sequence.has_value(); }
};

}  // namespace tadjust::history
