#pragma once

// The write history as the program keeps it: one row per write in history.sqlite, opened when
// the block has been sent and completed when the writer knows the outcome. Nothing here may
// cost a write: every failure is kept as news for the window, and the write goes on.
//
// The file is opened at start, when the rows that an ended program left open are completed as
// interrupted, and again at a write while it could not be opened. A corrupt file is renamed
// aside and a new one started (history::HistoryDatabase); the window is told so once.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "history/field_changes.h"
#include "history/history_database.h"
#include "image/settings_image.h"

namespace tadjust {

// What the writer tells the history once a block has been sent.
struct SentWrite {
  QString port;
  QString model;
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
  QString tag;         // the tag the block carries
  ConstBytes asFound;  // the image of this link's last read
  ConstBytes sent;
  std::vector<history::FieldChange> changes;
};

// Where a completed write stands in the history's chain: its sequence and hash, as a paper
// record prints them so that the file can be checked against the paper later.
struct HistoryAnchor {
  qint64 sequence = 0;
  QString hash;
};

// What the window should say about the history.
struct HistoryNews {
  enum class Kind {
    Unavailable,       // detail: why nothing was recorded
    NewerSchema,       // detail: the file's schema version; nothing is recorded
    CorruptKeptAside,  // detail: the name the damaged file was given
  };
  Kind kind;
  history::HistoryProblem problem = history::HistoryProblem::None;
  QString detail;
};

class HistoryRecorder {
 public:
  // folder: where history.sqlite is kept (the user's data folder for T-adjust).
  explicit HistoryRecorder(QString folder);

  QString path() const;
  // Opens the file when it is not open; completes as interrupted the rows of this computer
  // whose program has ended.
  void open();
  void blockSent(const SentWrite& write);
  // asLeft: the verification read, when one came.
  void writeEnded(history::Outcome outcome, std::optional<ConstBytes> asLeft);
  // The chain entry that completed the last write this program recorded, once it is stored;
  // none while no write has been completed in the file.
  std::optional<HistoryAnchor> lastWriteAnchor() const { return lastWriteAnchor_; }
  // The news since the last call, oldest first.
  std::vector<HistoryNews> takeNews();

 private:
  bool ensureOpen();
  void completeInterruptedRows();
  void sayUnavailable(history::HistoryProblem problem, const QString& detail);
  void takeOpening(const history::OpenResult& opened);

  QString folder_;
  history::HistoryDatabase database_;
  bool interruptedRowsDone_ = false;
  std::optional<qint64> openRow_;
  std::optional<HistoryAnchor> lastWriteAnchor_;
  std::vector<HistoryNews> news_;
};

}  // namespace tadjust
