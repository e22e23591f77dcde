#include "app/history_recorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

#include "app/computer_user.h"
#include "project_version.h"

#ifdef Q_OS_UNIX
#include <signal.h>

#include <cerrno>
#endif

namespace tadjust {

namespace {

using history::HistoryProblem;
using history::Outcome;

QByteArray bytesOf(ConstBytes bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

// Whether the program of that process id has ended: a row it left open will not be completed.
bool processEnded(qint64 processId) {
  if (processId == QCoreApplication::applicationPid()) return false;
#ifdef Q_OS_UNIX
  return kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
#else
  return false;
#endif
}

}  // namespace

HistoryRecorder::HistoryRecorder(QString folder) : folder_(std::move(folder)) {}

QString HistoryRecorder::path() const {
  return QDir(folder_).filePath(QString::fromLatin1(history::kHistoryFileName));
}

void HistoryRecorder::open() {
  if (ensureOpen()) completeInterruptedRows();
}

bool HistoryRecorder::ensureOpen() {
  if (database_.writable()) return true;
  takeOpening(database_.openForRecording(path(), QDateTime::currentDateTimeUtc()));
  return database_.writable();
}

void HistoryRecorder::takeOpening(const history::OpenResult& opened) {
  if (!opened.corruptKeptAs.isEmpty()) {
    news_.push_back({HistoryNews::Kind::CorruptKeptAside, HistoryProblem::None,
                     QDir::toNativeSeparators(opened.corruptKeptAs)});
  }
  if (opened.problem == HistoryProblem::NewerSchema) {
    news_.push_back({HistoryNews::Kind::NewerSchema, opened.problem, opened.detail});
  } else if (opened.problem != HistoryProblem::None) {
    sayUnavailable(opened.problem, opened.detail);
  }
}

// Rows that a program on this computer left open when it ended; a program still running (a
// second window) completes its own.
void HistoryRecorder::completeInterruptedRows() {
  if (interruptedRowsDone_) return;
  const QString host = QSysInfo::machineHostName();
  const std::optional<int> completed = database_.completeInterrupted(
      [&](const history::WriteRow& row) {
        return row.host == host && row.id != openRow_ && processEnded(row.processId);
      },
      QDateTime::currentDateTimeUtc());
  if (completed) {
    interruptedRowsDone_ = true;
  } else {
    sayUnavailable(HistoryProblem::NotRecorded, database_.lastError());
  }
}

void HistoryRecorder::sayUnavailable(HistoryProblem problem, const QString& detail) {
  news_.push_back({HistoryNews::Kind::Unavailable, problem, detail});
}

void HistoryRecorder::blockSent(const SentWrite& write) {
  // A row still open belongs to a write whose outcome never came.
  if (openRow_) writeEnded(Outcome::Interrupted, std::nullopt);
  if (!ensureOpen()) return;
  completeInterruptedRows();

  history::WriteRow row;
  row.writtenAt = history::historyTime(QDateTime::currentDateTimeUtc());
  row.user = computerUserName();
  row.host = QSysInfo::machineHostName();
  row.programVersion = QStringLiteral(TADJUST_VERSION);
  row.processId = QCoreApplication::applicationPid();
  row.port = write.port;
  row.model = write.model;
  row.productCode = write.productCode;
  row.serialNumber = write.serialNumber;
  row.tag = write.tag;
  row.asFound = bytesOf(write.asFound);
  row.sent = bytesOf(write.sent);
  row.changes = history::changesJson(write.changes);

  openRow_ = database_.insertOpen(row);
  if (!openRow_ && database_.lastErrorWasCorruption()) {
    // Damaged while open: renamed aside, and the row goes into a new file.
    database_.close();
    if (ensureOpen()) openRow_ = database_.insertOpen(row);
  }
  if (!openRow_) sayUnavailable(HistoryProblem::NotRecorded, database_.lastError());
}

void HistoryRecorder::writeEnded(Outcome outcome, std::optional<ConstBytes> asLeft) {
  if (!openRow_) return;
  const qint64 id = *openRow_;
  openRow_.reset();
  std::optional<QByteArray> read;
  if (asLeft) read = bytesOf(*asLeft);
  if (!database_.complete(id, outcome, read, QDateTime::currentDateTimeUtc())) {
    sayUnavailable(HistoryProblem::NotRecorded, database_.lastError());
    return;
  }
  const std::optional<history::WriteRow> completed = database_.row(id);
  if (completed && completed->sequence && completed->hash)
    lastWriteAnchor_ = HistoryAnchor{*completed->sequence, *completed->hash};
}

std::vector<HistoryNews> HistoryRecorder::takeNews() { return std::exchange(news_, {}); }

}  // namespace tadjust
