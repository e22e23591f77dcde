#include "history/history_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <atomic>

namespace tadjust::history {

namespace {

constexpr char kAllColumns[] =
    "id, sequence, written_at, completed_at, user, host, program_version, process_id, port, "
    "model, product_code, serial_number, tag, outcome, as_found, sent, as_left, changes, "
    "prev_hash, hash";

// The statements that bring a file from schema version N to N + 1, run in one transaction with
// the new user_version. Version 0 is a new, empty file.
const std::vector<std::vector<const char*>>& migrationSteps() {
  static const std::vector<std::vector<const char*>> steps{
      {R"(CREATE TABLE writes (
            id INTEGER PRIMARY KEY AUTOINCREMENT,
            sequence INTEGER UNIQUE,
            written_at TEXT NOT NULL,
            completed_at TEXT,
            user TEXT NOT NULL,
            host TEXT NOT NULL,
            program_version TEXT NOT NULL,
            process_id INTEGER NOT NULL,
            port TEXT NOT NULL,
            model TEXT NOT NULL,
            product_code INTEGER NOT NULL,
            serial_number INTEGER NOT NULL,
            tag TEXT NOT NULL,
            outcome TEXT,
            as_found BLOB NOT NULL,
            sent BLOB NOT NULL,
            as_left BLOB,
            changes TEXT NOT NULL,
            prev_hash TEXT,
            hash TEXT))",
       "CREATE INDEX writes_serial_number ON writes (serial_number)",
       "CREATE INDEX writes_written_at ON writes (written_at)"},
  };
  return steps;
}

QString uniqueConnectionName() {
  static std::atomic<int> count{0};
  return QStringLiteral("t-adjust-history-%1").arg(++count);
}

// SQLite's primary result codes that say the file is not a sound database.
bool isCorruption(const QSqlError& error) {
  bool ok = false;
  const int code = error.nativeErrorCode().toInt(&ok);
  if (!ok) return false;
  const int primary = code & 0xff;
  constexpr int kSqliteCorrupt = 11, kSqliteNotADatabase = 26;
  return primary == kSqliteCorrupt || primary == kSqliteNotADatabase;
}

QVariant nullableText(const std::optional<QString>& text) {
  return text ? QVariant(*text) : QVariant(QMetaType::fromType<QString>());
}

QVariant nullableBlob(const std::optional<QByteArray>& bytes) {
  return bytes ? QVariant(*bytes) : QVariant(QMetaType::fromType<QByteArray>());
}

// A text for a NOT NULL column: Qt binds a null QString as NULL, an empty tag among them.
QVariant notNull(const QString& text) {
  return text.isNull() ? QVariant(QString::fromLatin1("")) : QVariant(text);
}

std::optional<QString> textOrNull(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.toString();
}

std::optional<qint64> integerOrNull(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.toLongLong();
}

// A row of a query over kAllColumns.
WriteRow rowOf(const QSqlQuery& query) {
  WriteRow row;
  int i = 0;
  row.id = query.value(i++).toLongLong();
  row.sequence = integerOrNull(query.value(i++));
  row.writtenAt = query.value(i++).toString();
  row.completedAt = textOrNull(query.value(i++));
  row.user = query.value(i++).toString();
  row.host = query.value(i++).toString();
  row.programVersion = query.value(i++).toString();
  row.processId = query.value(i++).toLongLong();
  row.port = query.value(i++).toString();
  row.model = query.value(i++).toString();
  row.productCode = query.value(i++).toLongLong();
  row.serialNumber = query.value(i++).toLongLong();
  row.tag = query.value(i++).toString();
  row.outcome = textOrNull(query.value(i++));
  row.asFound = query.value(i++).toByteArray();
  row.sent = query.value(i++).toByteArray();
  const QVariant asLeft = query.value(i++);
  if (!asLeft.isNull()) row.asLeft = asLeft.toByteArray();
  row.changes = query.value(i++).toString();
  row.prevHash = textOrNull(query.value(i++));
  row.hash = textOrNull(query.value(i++));
  return row;
}

QString likePattern(const QString& text) {
  QString escaped = text;
  escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
  escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + escaped + QLatin1Char('%');
}

}  // namespace

QString historyTime(const QDateTime& moment) { return moment.toUTC().toString(Qt::ISODateWithMs); }

HistoryDatabase::HistoryDatabase() : connectionName_(uniqueConnectionName()) {}

HistoryDatabase::~HistoryDatabase() { close(); }

void HistoryDatabase::close() {
  if (QSqlDatabase::contains(connectionName_)) {
    {
      QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
  }
  writable_ = false;
}

bool HistoryDatabase::isOpen() const {
  return QSqlDatabase::contains(connectionName_) &&
         QSqlDatabase::database(connectionName_, false).isOpen();
}

QSqlDatabase HistoryDatabase::connection() const {
  return QSqlDatabase::database(connectionName_, false);
}

bool HistoryDatabase::exec(QSqlQuery& query) {
  if (query.exec()) return true;
  lastError_ = query.lastError().text();
  lastErrorCorrupt_ = isCorruption(query.lastError());
  return false;
}

bool HistoryDatabase::exec(const QString& statement) {
  QSqlQuery query(connection());
  if (query.exec(statement)) return true;
  lastError_ = query.lastError().text();
  lastErrorCorrupt_ = isCorruption(query.lastError());
  return false;
}

OpenResult HistoryDatabase::open(const QString& path, bool readOnly) {
  close();
  path_ = path;
  lastError_.clear();
  lastErrorCorrupt_ = false;
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
  db.setDatabaseName(path);
  QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeout.count());
  if (readOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
  db.setConnectOptions(options);
  OpenResult result;
  if (!db.isValid()) {
    result.problem = HistoryProblem::CannotOpen;
    result.detail = db.lastError().text();
    return result;
  }
  if (!db.open()) {
    result.problem = HistoryProblem::CannotOpen;
    result.detail = db.lastError().text();
    lastErrorCorrupt_ = isCorruption(db.lastError());
  }
  return result;
}

std::optional<int> HistoryDatabase::schemaVersion() {
  QSqlQuery query(connection());
  if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
    lastError_ = query.lastError().text();
    lastErrorCorrupt_ = isCorruption(query.lastError());
    return std::nullopt;
  }
  return query.value(0).toInt();
}

// SQLite's quick check: the file's pages and indexes are sound.
bool HistoryDatabase::isIntact() {
  QSqlQuery query(connection());
  if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
    lastError_ = query.lastError().text();
    lastErrorCorrupt_ = isCorruption(query.lastError());
    return false;
  }
  const QString verdict = query.value(0).toString();
  if (verdict == QLatin1String("ok")) return true;
  lastError_ = verdict;
  lastErrorCorrupt_ = true;
  return false;
}

bool HistoryDatabase::migrate(int fromVersion) {
  if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return false;
  // Another program may have brought the file up to date while this one waited for the lock.
  const std::optional<int> version = schemaVersion();
  if (!version) {
    exec(QStringLiteral("ROLLBACK"));
    return false;
  }
  fromVersion = *version;
  const auto& steps = migrationSteps();
  for (int v = fromVersion; v < kSchemaVersion; ++v) {
    for (const char* statement : steps[static_cast<std::size_t>(v)]) {
      if (!exec(QString::fromUtf8(statement))) {
        exec(QStringLiteral("ROLLBACK"));
        return false;
      }
    }
  }
  if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) ||
      !exec(QStringLiteral("COMMIT"))) {
    exec(QStringLiteral("ROLLBACK"));
    return false;
  }
  return true;
}

QString HistoryDatabase::keepCorruptFileAside(const QDateTime& now) {
  const QString stem = path_ + QStringLiteral(".corrupt-") +
                       now.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
  QString target = stem;
  for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + "-journal"); ++n)
    target = stem + QStringLiteral("-%1").arg(n);
  if (!QFile::rename(path_, target)) return {};
  // A journal left beside the file belongs to it: SQLite would play it into a new file.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    if (QFileInfo::exists(path_ + suffix)) QFile::rename(path_ + suffix, target + suffix);
  }
  return target;
}

OpenResult HistoryDatabase::openForRecording(const QString& path, const QDateTime& now) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
    OpenResult result;
    result.problem = HistoryProblem::FolderNotWritable;
    result.detail = QStringLiteral("cannot make the folder %1").arg(folder);
    return result;
  }
  const bool existed = QFileInfo::exists(path);
  OpenResult result = open(path, false);
  QString corruptKeptAs;
  std::optional<int> version;
  if (result.problem == HistoryProblem::None) {
    version = isIntact() ? schemaVersion() : std::nullopt;
  }
  if (!version && existed && lastErrorCorrupt_) {
    close();
    corruptKeptAs = keepCorruptFileAside(now);
    if (corruptKeptAs.isEmpty()) {
      result.problem = HistoryProblem::CannotOpen;
      result.detail = QStringLiteral("%1 is damaged and cannot be renamed aside").arg(path);
      return result;
    }
    result = open(path, false);
    if (result.problem == HistoryProblem::None) version = schemaVersion();
  }
  result.corruptKeptAs = corruptKeptAs;
  if (!version) {
    if (result.problem == HistoryProblem::None) {
      result.problem = existed ? HistoryProblem::CannotOpen : HistoryProblem::FolderNotWritable;
      result.detail = lastError_;
    }
    close();
    return result;
  }
  if (*version > kSchemaVersion) {
    // A newer program's file: read it, never change it.
    close();
    result = open(path, true);
    result.corruptKeptAs = corruptKeptAs;
    result.readable = result.problem == HistoryProblem::None;
    result.problem = HistoryProblem::NewerSchema;
    result.detail = QString::number(*version);
    return result;
  }
  if (*version < kSchemaVersion && !migrate(*version)) {
    result.problem = existed ? HistoryProblem::CannotOpen : HistoryProblem::FolderNotWritable;
    result.detail = lastError_;
    close();
    return result;
  }
  writable_ = true;
  result.readable = true;
  result.writable = true;
  return result;
}

OpenResult HistoryDatabase::openReadOnly(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    OpenResult result;
    result.problem = HistoryProblem::CannotOpen;
    result.detail = QStringLiteral("%1: no such file").arg(path);
    return result;
  }
  OpenResult result = open(path, true);
  if (result.problem != HistoryProblem::None) return result;
  const std::optional<int> version = schemaVersion();
  if (!version || *version < 1) {
    result.problem = HistoryProblem::CannotOpen;
    result.detail = version ? QStringLiteral("%1 holds no write history").arg(path) : lastError_;
    close();
    return result;
  }
  if (*version > kSchemaVersion) {
    result.problem = HistoryProblem::NewerSchema;
    result.detail = QString::number(*version);
  }
  result.readable = true;
  return result;
}

std::optional<qint64> HistoryDatabase::insertOpen(const WriteRow& row) {
  if (!writable_) return std::nullopt;
  QSqlQuery query(connection());
  query.prepare(QStringLiteral(
      "INSERT INTO writes (written_at, user, host, program_version, process_id, port, model, "
      "product_code, serial_number, tag, as_found, sent, changes) VALUES (?, ?, ?, ?, ?, ?, ?, "
      "?, ?, ?, ?, ?, ?)"));
  for (const QVariant& value :
       {notNull(row.writtenAt), notNull(row.user), notNull(row.host), notNull(row.programVersion),
        QVariant(row.processId), notNull(row.port), notNull(row.model), QVariant(row.productCode),
        QVariant(row.serialNumber), notNull(row.tag), QVariant(row.asFound), QVariant(row.sent),
        notNull(row.changes)}) {
    query.addBindValue(value);
  }
  if (!exec(query)) return std::nullopt;
  return query.lastInsertId().toLongLong();
}

std::optional<WriteRow> HistoryDatabase::row(qint64 id) {
  QSqlQuery query(connection());
  query.prepare(QStringLiteral("SELECT %1 FROM writes WHERE id = ?").arg(kAllColumns));
  query.addBindValue(id);
  if (!exec(query)) return std::nullopt;
  if (!query.next()) {
    lastError_ = QStringLiteral("no row %1").arg(id);
    return std::nullopt;
  }
  return rowOf(query);
}

bool HistoryDatabase::complete(qint64 id, Outcome outcome, const std::optional<QByteArray>& asLeft,
                               const QDateTime& completedAt) {
  if (!writable_) return false;
  // Immediate: the chain's last row is read under the write lock, so no other program takes
  // it as its predecessor too.
  if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return false;
  auto rollBack = [this] {
    const QString error = lastError_;
    exec(QStringLiteral("ROLLBACK"));
    lastError_ = error;
    return false;
  };
  QSqlQuery last(connection());
  last.prepare(QStringLiteral(
      "SELECT sequence, hash FROM writes WHERE sequence IS NOT NULL ORDER BY sequence DESC "
      "LIMIT 1"));
  if (!exec(last)) return rollBack();
  const bool chainStarted = last.next();
  const qint64 lastSequence = chainStarted ? last.value(0).toLongLong() : 0;
  const QString lastHash = chainStarted ? last.value(1).toString() : kChainStart;
  last.finish();

  std::optional<WriteRow> completed = row(id);
  if (!completed) return rollBack();
  if (!completed->isOpen()) {
    lastError_ = QStringLiteral("row %1 is completed already").arg(id);
    return rollBack();
  }
  completed->outcome = QString::fromLatin1(outcomeName(outcome).data(),
                                           static_cast<qsizetype>(outcomeName(outcome).size()));
  completed->asLeft = asLeft;
  completed->completedAt = historyTime(completedAt);
  completed->sequence = lastSequence + 1;
  completed->prevHash = lastHash;
  completed->hash = rowHash(*completed);

  QSqlQuery update(connection());
  update.prepare(QStringLiteral(
      "UPDATE writes SET outcome = ?, as_left = ?, completed_at = ?, sequence = ?, prev_hash = ?, "
      "hash = ? WHERE id = ? AND sequence IS NULL"));
  update.addBindValue(nullableText(completed->outcome));
  update.addBindValue(nullableBlob(completed->asLeft));
  update.addBindValue(nullableText(completed->completedAt));
  update.addBindValue(*completed->sequence);
  update.addBindValue(nullableText(completed->prevHash));
  update.addBindValue(nullableText(completed->hash));
  update.addBindValue(id);
  if (!exec(update)) return rollBack();
  if (!exec(QStringLiteral("COMMIT"))) return rollBack();
  return true;
}

std::optional<int> HistoryDatabase::completeInterrupted(
    const std::function<bool(const WriteRow&)>& cutOff, const QDateTime& completedAt) {
  if (!writable_) return std::nullopt;
  QSqlQuery query(connection());
  query.prepare(
      QStringLiteral("SELECT %1 FROM writes WHERE sequence IS NULL ORDER BY id").arg(kAllColumns));
  const std::optional<std::vector<WriteRow>> open = readRows(query);
  if (!open) return std::nullopt;
  int completed = 0;
  for (const WriteRow& row : *open) {
    if (!cutOff(row)) continue;
    if (!complete(row.id, Outcome::Interrupted, std::nullopt, completedAt)) return std::nullopt;
    ++completed;
  }
  return completed;
}

std::optional<std::vector<WriteRow>> HistoryDatabase::readRows(QSqlQuery& query) {
  query.setForwardOnly(true);
  if (!exec(query)) return std::nullopt;
  std::vector<WriteRow> rows;
  while (query.next()) rows.push_back(rowOf(query));
  if (query.lastError().isValid()) {
    lastError_ = query.lastError().text();
    lastErrorCorrupt_ = isCorruption(query.lastError());
    return std::nullopt;
  }
  return rows;
}

QSqlQuery HistoryDatabase::selectRows(const RowFilter& filter, const QString& columns) {
  QStringList conditions;
  QVariantList values;
  if (filter.serialNumber) {
    conditions << QStringLiteral("serial_number = ?");
    values << *filter.serialNumber;
  }
  if (!filter.containing.isEmpty()) {
    conditions << QStringLiteral(
        "(CAST(serial_number AS TEXT) LIKE ? ESCAPE '\\' OR model LIKE ? ESCAPE '\\' OR tag "
        "LIKE ? ESCAPE '\\')");
    values << likePattern(filter.containing) << likePattern(filter.containing)
           << likePattern(filter.containing);
  }
  if (filter.from) {
    conditions << QStringLiteral("written_at >= ?");
    values << historyTime(*filter.from);
  }
  if (filter.before) {
    conditions << QStringLiteral("written_at < ?");
    values << historyTime(*filter.before);
  }
  QString statement = QStringLiteral("SELECT %1 FROM writes").arg(columns);
  if (!conditions.isEmpty()) statement += QStringLiteral(" WHERE ") + conditions.join(" AND ");
  statement += filter.newestFirst ? QStringLiteral(" ORDER BY written_at DESC, id DESC")
                                  : QStringLiteral(" ORDER BY written_at, id");

  QSqlQuery query(connection());
  query.prepare(statement);
  for (const QVariant& value : values) query.addBindValue(value);
  exec(query);
  return query;
}

std::optional<std::vector<WriteRow>> HistoryDatabase::rows(const RowFilter& filter) {
  QSqlQuery query = selectRows(filter, QString::fromLatin1(kAllColumns));
  if (!query.isActive()) return std::nullopt;
  std::vector<WriteRow> rows;
  while (query.next()) rows.push_back(rowOf(query));
  if (query.lastError().isValid()) {
    lastError_ = query.lastError().text();
    return std::nullopt;
  }
  return rows;
}

std::optional<HistoryDatabase::ChainEnd> HistoryDatabase::chainEnd() {
  QSqlQuery query(connection());
  query.prepare(QStringLiteral(
      "SELECT count(*), (SELECT hash FROM writes WHERE sequence IS NOT NULL ORDER BY sequence "
      "DESC LIMIT 1) FROM writes WHERE sequence IS NOT NULL"));
  if (!exec(query) || !query.next()) return std::nullopt;
  const QVariant hash = query.value(1);
  return ChainEnd{query.value(0).toLongLong(), hash.isNull() ? kChainStart : hash.toString()};
}

std::optional<ChainCheck> HistoryDatabase::checkChain() {
  QSqlQuery query(connection());
  // Open rows last: the chain is checked in its own order.
  query.prepare(QStringLiteral("SELECT %1 FROM writes ORDER BY sequence IS NULL, sequence, id")
                    .arg(kAllColumns));
  const std::optional<std::vector<WriteRow>> all = readRows(query);
  if (!all) return std::nullopt;
  return history::checkChain(*all);
}

}  // namespace tadjust::history
