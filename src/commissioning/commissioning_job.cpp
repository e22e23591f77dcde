#include "commissioning/commissioning_job.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tadjust {

namespace {

const QLatin1String kFormat("t-adjust-commissioning-job");
constexpr int kFormatVersion = 1;

QString stateName(RowState state) {
  switch (state) {
    case RowState::Verified:
      return QStringLiteral("verified");
    case RowState::Skipped:
      return QStringLiteral("skipped");
    case RowState::Waiting:
      break;
  }
  return QStringLiteral("waiting");
}

std::optional<RowState> stateNamed(const QString& name) {
  for (const RowState state : {RowState::Waiting, RowState::Verified, RowState::Skipped})
    if (stateName(state) == name) return state;
  return std::nullopt;
}

}  // namespace

JobFiles jobFilesOf(const QString& listPath) {
  const QFileInfo list(listPath);
  const QDir folder = list.absoluteDir();
  const QString name = list.completeBaseName();
  return {list.absoluteFilePath(), folder.filePath(name + QStringLiteral(".job.json")),
          folder.filePath(name + QStringLiteral("-records"))};
}

CommissioningJob::CommissioningJob(QString listPath, CommissioningList list)
    : listPath_(std::move(listPath)),
      list_(std::move(list)),
      progress_(list_.rows.size()),
      startedAt_(QDateTime::currentDateTimeUtc()) {}

std::size_t CommissioningJob::rowsDone() const {
  return static_cast<std::size_t>(
      std::count_if(progress_.begin(), progress_.end(),
                    [](const RowProgress& p) { return p.state != RowState::Waiting; }));
}

std::optional<std::size_t> CommissioningJob::nextWaiting(std::size_t from) const {
  for (std::size_t i = 0; i < progress_.size(); ++i) {
    const std::size_t row = (from + i) % progress_.size();
    if (progress_[row].state == RowState::Waiting) return row;
  }
  return std::nullopt;
}

std::optional<std::size_t> CommissioningJob::rowOfDevice(std::uint16_t productCode,
                                                         std::uint16_t serialNumber) const {
  for (std::size_t i = 0; i < progress_.size(); ++i) {
    const RowProgress& p = progress_[i];
    if (p.state == RowState::Verified && p.productCode == productCode &&
        p.serialNumber == serialNumber)
      return i;
  }
  return std::nullopt;
}

void CommissioningJob::setVerified(std::size_t row, RowProgress verified) {
  verified.state = RowState::Verified;
  verified.failure.clear();
  progress_[row] = std::move(verified);
}

void CommissioningJob::setFailed(std::size_t row, const QString& reason) {
  if (progress_[row].state == RowState::Verified) return;
  progress_[row].state = RowState::Waiting;
  progress_[row].failure = reason;
}

void CommissioningJob::setHistoryAnchor(std::size_t row, qint64 sequence, const QString& hash) {
  progress_[row].historySequence = sequence;
  progress_[row].historyHash = hash;
}

void CommissioningJob::toggleSkipped(std::size_t row) {
  RowProgress& p = progress_[row];
  if (p.state == RowState::Waiting) {
    p.state = RowState::Skipped;
  } else if (p.state == RowState::Skipped) {
    p.state = RowState::Waiting;
  }
}

QByteArray CommissioningJob::stateJson() const {
  QJsonArray rows;
  for (std::size_t i = 0; i < progress_.size(); ++i) {
    const RowProgress& p = progress_[i];
    QJsonObject row;
    row.insert(QStringLiteral("line"), list_.rows[i].line);
    row.insert(QStringLiteral("tag"), list_.rows[i].tag);
    row.insert(QStringLiteral("state"), stateName(p.state));
    if (!p.failure.isEmpty()) row.insert(QStringLiteral("failure"), p.failure);
    if (p.state == RowState::Verified) {
      row.insert(QStringLiteral("model"), p.model);
      row.insert(QStringLiteral("productCode"), p.productCode);
      row.insert(QStringLiteral("serialNumber"), p.serialNumber);
      row.insert(QStringLiteral("time"), p.time.toUTC().toString(Qt::ISODate));
      if (p.historySequence) {
        row.insert(QStringLiteral("historySequence"), *p.historySequence);
        row.insert(QStringLiteral("historyHash"), p.historyHash);
      }
    }
    rows.append(row);
  }
  QJsonObject state;
  state.insert(QStringLiteral("format"), kFormat);
  state.insert(QStringLiteral("formatVersion"), kFormatVersion);
  state.insert(QStringLiteral("list"), QFileInfo(listPath_).fileName());
  state.insert(QStringLiteral("listSha256"), QString::fromLatin1(list_.contentHash));
  state.insert(QStringLiteral("startedAt"), startedAt_.toUTC().toString(Qt::ISODate));
  state.insert(QStringLiteral("rows"), rows);
  return QJsonDocument(state).toJson(QJsonDocument::Indented);
}

CommissioningJob::Resume CommissioningJob::resumeFrom(const QByteArray& stateJson) {
  const QJsonDocument document = QJsonDocument::fromJson(stateJson);
  const QJsonObject state = document.object();
  if (!document.isObject() || state.value(QStringLiteral("format")).toString() != kFormat ||
      state.value(QStringLiteral("formatVersion")).toInt() != kFormatVersion)
    return Resume::NotAJobState;
  if (state.value(QStringLiteral("listSha256")).toString().toLatin1() != list_.contentHash)
    return Resume::ListChanged;
  const QJsonArray rows = state.value(QStringLiteral("rows")).toArray();
  if (rows.size() != static_cast<qsizetype>(list_.rows.size())) return Resume::NotAJobState;

  std::vector<RowProgress> progress(list_.rows.size());
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const QJsonObject row = rows[i].toObject();
    const CommissioningRow& listRow = list_.rows[static_cast<std::size_t>(i)];
    const auto rowState = stateNamed(row.value(QStringLiteral("state")).toString());
    if (row.value(QStringLiteral("line")).toInt() != listRow.line ||
        row.value(QStringLiteral("tag")).toString() != listRow.tag || !rowState)
      return Resume::NotAJobState;
    RowProgress& p = progress[static_cast<std::size_t>(i)];
    p.state = *rowState;
    p.failure = row.value(QStringLiteral("failure")).toString();
    if (p.state != RowState::Verified) continue;
    const int code = row.value(QStringLiteral("productCode")).toInt(-1);
    const int serial = row.value(QStringLiteral("serialNumber")).toInt(-1);
    if (code < 0 || code > 0xFFFF || serial < 0 || serial > 0xFFFF) return Resume::NotAJobState;
    p.productCode = static_cast<std::uint16_t>(code);
    p.serialNumber = static_cast<std::uint16_t>(serial);
    p.model = row.value(QStringLiteral("model")).toString();
    p.time = QDateTime::fromString(row.value(QStringLiteral("time")).toString(), Qt::ISODate);
    if (row.contains(QStringLiteral("historySequence"))) {
      p.historySequence =
          static_cast<qint64>(row.value(QStringLiteral("historySequence")).toDouble());
      p.historyHash = row.value(QStringLiteral("historyHash")).toString();
    }
  }
  progress_ = std::move(progress);
  const QDateTime started =
      QDateTime::fromString(state.value(QStringLiteral("startedAt")).toString(), Qt::ISODate);
  if (started.isValid()) startedAt_ = started;
  return Resume::Resumed;
}

std::optional<QString> saveJobState(const CommissioningJob& job) {
  QSaveFile file(jobFilesOf(job.listPath()).state);
  if (!file.open(QIODevice::WriteOnly) || file.write(job.stateJson()) < 0 || !file.commit())
    return file.errorString();
  return std::nullopt;
}

QString fileNameOfTag(const QString& tag) {
  QString name;
  for (const QChar c : tag) {
    const bool forbidden = c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c);
    name += forbidden ? QLatin1Char('-') : c;
  }
  return name;
}

}  // namespace tadjust
