#include "app/history_recorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QSemaphore>
#include <QSysInfo>
#include <QTimer>
#include <atomic>
#include <deque>
#include <map>
#include <variant>

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

// Whether the program of that process id has ended: a write it left open will not be completed.
bool processEnded(qint64 processId) {
  if (processId == QCoreApplication::applicationPid()) return false;
#ifdef Q_OS_UNIX
  return kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
#else
  return false;
#endif
}

}  // namespace

// The history's own thread: it alone touches the database. Entries are stored in the order they
// were handed over; the first one the file does not take stops the others behind it until a
// retry stores it.
class HistoryRecorder::Worker final : public QObject {
 public:
  Worker(QString path, std::function<void(Report)> report)
      : path_(std::move(path)), report_(std::move(report)) {}

  void open() {
    if (!ensureOpen()) {
      if (pending_.empty()) say(HistoryNews::Kind::Unavailable, problem_, detail_);
      return;
    }
    drain();
  }

  void keepOpening(quint64 token, history::WriteOpening opening) {
    pending_.emplace_back(KeptOpening{token, std::move(opening)});
    drain();
  }

  void keepCompletion(quint64 token, history::WriteCompletion completion) {
    pending_.emplace_back(KeptCompletion{token, std::move(completion)});
    drain();
  }

  // Stores what is kept, in order, as far as the file takes it.
  void drain() {
    if (pending_.empty()) return;
    if (!ensureOpen()) {
      wait(problem_, detail_);
      return;
    }
    while (!pending_.empty()) {
      if (!std::visit([this](auto& kept) { return store(kept); }, pending_.front())) {
        if (database_.lastErrorWasCorruption()) {
          // Damaged while open: renamed aside, and the entries go into a new file.
          database_.close();
          ++generation_;
          if (ensureOpen()) continue;
          wait(problem_, detail_);
          return;
        }
        wait(database_.lastProblem(), database_.lastError());
        return;
      }
      pending_.pop_front();
    }
    if (retry_) retry_->stop();
    if (waiting_) {
      waiting_ = false;
      say(HistoryNews::Kind::KeptStored, HistoryProblem::None, {});
    }
  }

  bool nothingKept() const { return pending_.empty(); }

  void close() {
    delete retry_;
    retry_ = nullptr;
    database_.close();
  }

 private:
  struct KeptOpening {
    quint64 token;
    history::WriteOpening opening;
  };
  struct KeptCompletion {
    quint64 token;
    history::WriteCompletion completion;
  };
  // An opening of this program, until its completion is stored.
  struct Opened {
    history::WriteOpening opening;
    std::optional<history::ChainEntry> entry;
    int generation = 0;  // the file it is stored in
  };

  bool ensureOpen() {
    if (database_.writable()) return true;
    const history::OpenResult opened =
        database_.openForRecording(path_, QDateTime::currentDateTimeUtc());
    if (!opened.corruptKeptAs.isEmpty()) {
      ++generation_;
      say(HistoryNews::Kind::CorruptKeptAside, HistoryProblem::None,
          QDir::toNativeSeparators(opened.corruptKeptAs));
    }
    if (!opened.writable) {
      problem_ = opened.problem;
      detail_ = opened.detail;
      return false;
    }
    completeInterruptedWrites();
    return true;
  }

  // Writes that a program on this computer left open when it ended; a program still running (a
  // second window) completes its own.
  void completeInterruptedWrites() {
    if (interruptedDone_) return;
    const QString host = QSysInfo::machineHostName();
    const std::optional<history::HistoryDatabase::Interrupted> done = database_.completeInterrupted(
        [&](const history::WriteRow& row) {
          for (const auto& [token, opened] : opened_) {
            if (opened.entry && opened.generation == generation_ && opened.entry->id == row.id)
              return false;
          }
          return row.host == host && processEnded(row.processId);
        },
        QDateTime::currentDateTimeUtc());
    if (!done) return;  // tried again when the file is opened next
    interruptedDone_ = true;
    if (done->brokenChain)
      say(HistoryNews::Kind::OpenWritesLeft, HistoryProblem::ChainBroken,
          done->brokenChain->reason);
  }

  bool store(const KeptOpening& kept) {
    const std::optional<history::ChainEntry> entry = database_.appendOpening(kept.opening);
    if (!entry) return false;
    opened_[kept.token] = {kept.opening, entry, generation_};
    return true;
  }

  bool store(const KeptCompletion& kept) {
    const auto opened = opened_.find(kept.token);
    if (opened == opened_.end()) return true;  // the write was never handed over
    if (opened->second.generation != generation_) {
      // Its opening went aside with a damaged file: the new file gets it again first.
      const std::optional<history::ChainEntry> entry =
          database_.appendOpening(opened->second.opening);
      if (!entry) return false;
      opened->second.entry = entry;
      opened->second.generation = generation_;
    }
    const std::optional<history::ChainEntry> entry = database_.appendCompletion(
        opened->second.entry->id, opened->second.entry->hash, kept.completion);
    if (!entry) return false;
    opened_.erase(opened);
    Report stored;
    stored.anchor = std::pair(kept.token, HistoryAnchor{entry->sequence, entry->hash});
    report_(std::move(stored));
    return true;
  }

  // Said once for as long as entries are kept; tried again on a timer.
  void wait(HistoryProblem problem, const QString& detail) {
    if (!waiting_) {
      waiting_ = true;
      say(HistoryNews::Kind::Waiting, problem, detail);
    }
    if (!retry_) {
      retry_ = new QTimer;
      retry_->setSingleShot(true);
      QObject::connect(retry_, &QTimer::timeout, [this] { drain(); });
    }
    retry_->start(kRetryInterval);
  }

  void say(HistoryNews::Kind kind, HistoryProblem problem, const QString& detail) {
    Report news;
    news.news = HistoryNews{kind, problem, detail};
    report_(std::move(news));
  }

  QString path_;
  std::function<void(Report)> report_;
  history::HistoryDatabase database_;
  std::deque<std::variant<KeptOpening, KeptCompletion>> pending_;
  std::map<quint64, Opened> opened_;
  QTimer* retry_ = nullptr;  // made on the worker's thread
  bool waiting_ = false;
  bool interruptedDone_ = false;
  int generation_ = 0;
  HistoryProblem problem_ = HistoryProblem::None;
  QString detail_;
};

HistoryRecorder::HistoryRecorder(QString folder)
    : folder_(std::move(folder)),
      worker_(new Worker(path(), [this](Report r) { report(std::move(r)); })) {
  thread_.setObjectName(QStringLiteral("write history"));
  worker_->moveToThread(&thread_);
  thread_.start();
}

HistoryRecorder::~HistoryRecorder() {
  flush(kQuitWait);
  // Closed on its own thread, after everything posted before; then its loop ends.
  post([](Worker& worker) {
    worker.close();
    QThread::currentThread()->quit();
  });
  thread_.wait();
  delete worker_;
}

QString HistoryRecorder::path() const {
  return QDir(folder_).filePath(QString::fromLatin1(history::kHistoryFileName));
}

void HistoryRecorder::post(std::function<void(Worker&)> task) {
  QMetaObject::invokeMethod(
      worker_, [worker = worker_, task = std::move(task)] { task(*worker); }, Qt::QueuedConnection);
}

// On the worker's thread: kept until the window's thread takes it.
void HistoryRecorder::report(Report report) {
  {
    const std::lock_guard lock(reportsMutex_);
    reports_.push_back(std::move(report));
  }
  QMetaObject::invokeMethod(
      &deliveries_, [this] { deliver(); }, Qt::QueuedConnection);
}

void HistoryRecorder::deliver() {
  std::vector<Report> reports;
  {
    const std::lock_guard lock(reportsMutex_);
    reports.swap(reports_);
  }
  bool news = false;
  for (Report& report : reports) {
    if (report.anchor) {
      const auto& [token, anchor] = *report.anchor;
      if (token == lastToken_ && !openToken_) lastWriteAnchor_ = anchor;
      if (anchorStored_) anchorStored_(anchor);
    }
    if (report.news) {
      news_.push_back(std::move(*report.news));
      news = true;
    }
  }
  if (news && newsArrived_) newsArrived_();
}

void HistoryRecorder::open() {
  post([](Worker& worker) { worker.open(); });
}

void HistoryRecorder::blockSent(const SentWrite& write) {
  // A write still open is one whose outcome never came.
  if (openToken_) writeEnded(Outcome::Interrupted, std::nullopt);
  history::WriteOpening opening;
  opening.writtenAt = history::historyTime(QDateTime::currentDateTimeUtc());
  opening.user = computerUserName();
  opening.host = QSysInfo::machineHostName();
  opening.programVersion = QStringLiteral(TADJUST_VERSION);
  opening.processId = QCoreApplication::applicationPid();
  opening.port = write.port;
  opening.model = write.model;
  opening.productCode = write.productCode;
  opening.serialNumber = write.serialNumber;
  opening.tag = write.tag;
  opening.asFound = bytesOf(write.asFound);
  opening.sent = bytesOf(write.sent);
  opening.changes = history::changesJson(write.changes);
  const quint64 token = ++lastToken_;
  openToken_ = token;
  lastWriteAnchor_.reset();
  post([token, opening = std::move(opening)](Worker& worker) {
    worker.keepOpening(token, opening);
  });
}

void HistoryRecorder::writeEnded(Outcome outcome, std::optional<ConstBytes> asLeft,
                                 std::optional<AnsweringDevice> answered) {
  if (!openToken_) return;
  const quint64 token = *openToken_;
  openToken_.reset();
  history::WriteCompletion completion;
  completion.completedAt = history::historyTime(QDateTime::currentDateTimeUtc());
  completion.outcome = outcome;
  if (asLeft) completion.asLeft = bytesOf(*asLeft);
  if (answered) {
    completion.answeredProductCode = answered->productCode;
    completion.answeredSerialNumber = answered->serialNumber;
  }
  post([token, completion = std::move(completion)](Worker& worker) {
    worker.keepCompletion(token, completion);
  });
}

void HistoryRecorder::setAnchorStored(std::function<void(const HistoryAnchor&)> stored) {
  anchorStored_ = std::move(stored);
}

void HistoryRecorder::setNewsArrived(std::function<void()> arrived) {
  newsArrived_ = std::move(arrived);
}

std::vector<HistoryNews> HistoryRecorder::takeNews() { return std::exchange(news_, {}); }

bool HistoryRecorder::flush(std::chrono::milliseconds limit) {
  auto done = std::make_shared<QSemaphore>(0);
  auto nothingKept = std::make_shared<std::atomic<bool>>(false);
  post([done, nothingKept](Worker& worker) {
    worker.drain();
    *nothingKept = worker.nothingKept();
    done->release();
  });
  const bool finished = done->tryAcquire(1, static_cast<int>(limit.count()));
  deliver();
  return finished && *nothingKept;
}

}  // namespace tadjust
