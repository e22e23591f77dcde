#pragma once

// The write history as the program keeps it: each write an opening, stored when the block has
// been sent, and a completion, stored when the writer knows the outcome (history::HistoryDatabase:
// both are entries of the hash chain, never changed). Nothing here may cost a write, nor hold the
// window: the file is written by a worker thread of its own, in the order the entries were
// handed over. An entry the file does not take now (locked by another program, a full disk, a
// read-only folder) is kept, in order, and stored as soon as the file takes it: at the next
// entry, on a timer, at the latest when the program quits. What the window should say comes back
// as news, once when an entry is kept and once when the kept entries are stored.
//
// The file is opened at start, when the writes that an ended program left open are completed as
// interrupted (only when the chain holds), and again whenever it could not be opened. A corrupt
// file is renamed aside and a new one started; the window is told so once.

#include <QObject>
#include <QString>
#include <QThread>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
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

// The device that answered a verification read in place of the device written.
struct AnsweringDevice {
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
};

// Where a completed write stands in the history's chain: the sequence and hash of the entry that
// completed it, as a paper record prints them so that the file can be checked against the paper
// later (t-adjust-history verify --anchor SEQ:HASH).
struct HistoryAnchor {
  qint64 sequence = 0;
  QString hash;
  friend bool operator==(const HistoryAnchor&, const HistoryAnchor&) = default;
};

// What the window should say about the history.
struct HistoryNews {
  enum class Kind {
    Unavailable,       // the file cannot be opened; nothing was waiting to be stored
    Waiting,           // an entry is kept until the file takes it
    KeptStored,        // the entries kept are stored now
    CorruptKeptAside,  // detail: the name the damaged file was given
    OpenWritesLeft,    // the chain does not hold, so open writes were not completed; detail: why
  };
  Kind kind;
  history::HistoryProblem problem = history::HistoryProblem::None;
  QString detail;  // SQLite's or the system's words; the schema version for NewerSchema
};

class HistoryRecorder {
 public:
  // How long flush() waits at most when the recorder ends (the program quits).
  static constexpr std::chrono::milliseconds kQuitWait = 2 * history::kBusyTimeout;
  // How soon an entry the file did not take is tried again.
  static constexpr std::chrono::milliseconds kRetryInterval{2000};

  // folder: where history.sqlite is kept (the user's data folder for T-adjust).
  explicit HistoryRecorder(QString folder);
  // Stores what is kept, waiting at most kQuitWait, and ends the worker.
  ~HistoryRecorder();
  HistoryRecorder(const HistoryRecorder&) = delete;
  HistoryRecorder& operator=(const HistoryRecorder&) = delete;

  QString path() const;
  // Opens the file when it is not open; completes as interrupted the writes of this computer
  // whose program has ended.
  void open();
  void blockSent(const SentWrite& write);
  // asLeft: the verification read, when one came; answered: the device that answered it, when
  // it was another one.
  void writeEnded(history::Outcome outcome, std::optional<ConstBytes> asLeft,
                  std::optional<AnsweringDevice> answered = std::nullopt);

  // The chain entry that completed the last write this program recorded, once it is stored;
  // none while that write is open or its completion is kept, and while no write was recorded.
  std::optional<HistoryAnchor> lastWriteAnchor() const { return lastWriteAnchor_; }
  // Called on the window's thread whenever a completion of this program's writes is stored,
  // in order (also one kept and stored later).
  void setAnchorStored(std::function<void(const HistoryAnchor&)> stored);
  // Called on the window's thread when there is news to take.
  void setNewsArrived(std::function<void()> arrived);
  // The news since the last call, oldest first.
  std::vector<HistoryNews> takeNews();

  // Waits (the window's thread blocks: tests, the end of the program) until every entry handed
  // over has been tried once more, at most limit; then takes what the worker reported. True when
  // nothing is kept.
  bool flush(std::chrono::milliseconds limit = kQuitWait);

 private:
  class Worker;
  struct Report {
    std::optional<HistoryNews> news;
    std::optional<std::pair<quint64, HistoryAnchor>> anchor;  // a write's token and its anchor
  };

  void post(std::function<void(Worker&)> task);
  void report(Report report);
  void deliver();

  QString folder_;
  QThread thread_;
  Worker* worker_;      // lives on thread_
  QObject deliveries_;  // on the window's thread: what the worker reports is delivered here
  std::mutex reportsMutex_;
  std::vector<Report> reports_;
  quint64 lastToken_ = 0;  // the last write handed over
  std::optional<quint64> openToken_;
  std::optional<HistoryAnchor> lastWriteAnchor_;
  std::function<void(const HistoryAnchor&)> anchorStored_;
  std::function<void()> newsArrived_;
  std::vector<HistoryNews> news_;
};

}  // namespace tadjust
