#pragma once

// A commissioning job: the rows of a list and what became of each. Its state is saved beside the
// list (<list name without extension>.job.json, docs/commissioning.md) after every row, so that
// opening the same list again resumes it; the records go into <list name>-records beside it.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "commissioning/commissioning_list.h"

namespace tadjust {

enum class RowState { Waiting, Verified, Skipped };

struct RowProgress {
  RowState state = RowState::Waiting;
  QString failure;  // a waiting row's last failed write, in the words the window said it
  // Verified: the device written, when, and the chain entry of its write in the history.
  std::uint16_t productCode = 0;
  std::uint16_t serialNumber = 0;
  QString model;
  QDateTime time;
  std::optional<qint64> historySequence;
  QString historyHash;
};

struct JobFiles {
  QString list;     // the list's path
  QString state;    // <folder>/<name>.job.json
  QString records;  // <folder>/<name>-records
};

JobFiles jobFilesOf(const QString& listPath);

class CommissioningJob {
 public:
  CommissioningJob(QString listPath, CommissioningList list);

  const QString& listPath() const { return listPath_; }
  const CommissioningList& list() const { return list_; }
  const std::vector<CommissioningRow>& rows() const { return list_.rows; }
  const RowProgress& progress(std::size_t row) const { return progress_[row]; }
  std::size_t rowCount() const { return list_.rows.size(); }
  // Rows verified or skipped.
  std::size_t rowsDone() const;

  // The first waiting row at or after `from`, wrapping round; nullopt when none waits.
  std::optional<std::size_t> nextWaiting(std::size_t from = 0) const;
  // The row that commissioned this device, if one did.
  std::optional<std::size_t> rowOfDevice(std::uint16_t productCode,
                                         std::uint16_t serialNumber) const;

  void setVerified(std::size_t row, RowProgress verified);
  void setFailed(std::size_t row, const QString& reason);
  // The history's entry of a verified row's write, once the history has stored it.
  void setHistoryAnchor(std::size_t row, qint64 sequence, const QString& hash);
  // Skips a waiting row, or makes a skipped row wait again.
  void toggleSkipped(std::size_t row);

  // The state file's contents.
  QByteArray stateJson() const;
  // Takes the progress saved in a state file of this list. Refused (false, nothing taken) when
  // the file is not a job state, belongs to another content of the list, or names other rows.
  enum class Resume { Resumed, NotAJobState, ListChanged };
  Resume resumeFrom(const QByteArray& stateJson);

 private:
  QString listPath_;
  CommissioningList list_;
  std::vector<RowProgress> progress_;
  QDateTime startedAt_;
};

// Saves the job's state atomically (QSaveFile); the system's reason when it could not.
std::optional<QString> saveJobState(const CommissioningJob& job);

// A tag as a file name: characters a file name cannot hold on any common system become "-".
QString fileNameOfTag(const QString& tag);

}  // namespace tadjust
