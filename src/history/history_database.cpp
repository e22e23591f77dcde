#include "history/history_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>
#include <string_view>

#include "history/write_row_columns.h"

namespace tadjust::history {

namespace {

constexpr const char* kCreateIndexes[] = {
    "CREATE INDEX writes_serial_number ON writes (serial_number)",
    "CREATE INDEX writes_written_at ON writes (written_at)",
    "CREATE INDEX completions_write_id ON completions (write_id)",
    "CREATE INDEX completions_answered_serial_number ON completions (answered_serial_number)",
};

// The table of an entry kind: its hashed columns as declared, then the entry's hash.
QString createTable(const EntryKind& kind) {
  QStringList columns;
  for (const HashedColumn& column : kind.columns)
    columns << QStringLiteral("%1 %2").arg(QString::fromLatin1(column.name),
                                           QString::fromLatin1(column.declaration));
  columns << QStringLiteral("hash TEXT NOT NULL");
  return QStringLiteral("CREATE TABLE %1 (%2)")
      .arg(QString::fromLatin1(kind.table), columns.join(QStringLiteral(", ")));
}

// Schema 1's table keeps its rows and their chain as they were, under another name.
constexpr const char* kKeepSchema1[] = {
    "ALTER TABLE writes RENAME TO writes_v1",
    "DROP INDEX IF EXISTS writes_serial_number",
    "DROP INDEX IF EXISTS writes_written_at",
    "CREATE INDEX writes_v1_serial_number ON writes_v1 (serial_number)",
};

QString uniqueConnectionName() {
  static std::atomic<int> count{0};
  return QStringLiteral("t-adjust-history-%1").arg(++count);
}

int primaryCode(const QSqlError& error) {
  bool ok = false;
  const int code = error.nativeErrorCode().toInt(&ok);
  return ok ? code & 0xff : -1;
}

// SQLite's primary result codes that say the file is not a sound database.
bool isCorruption(const QSqlError& error) {
  constexpr int kSqliteCorrupt = 11, kSqliteNotADatabase = 26;
  const int primary = primaryCode(error);
  return primary == kSqliteCorrupt || primary == kSqliteNotADatabase;
}

HistoryProblem problemOf(const QSqlError& error) {
  constexpr int kBusy = 5, kLocked = 6, kReadOnly = 8, kFull = 13, kCantOpen = 14;
  switch (primaryCode(error)) {
    case kBusy:
    case kLocked:
      return HistoryProblem::Locked;
    case kReadOnly:
      return HistoryProblem::ReadOnly;
    case kFull:
      return HistoryProblem::DiskFull;
    case kCantOpen:
      return HistoryProblem::CannotOpen;
    default:
      break;
  }
  return isCorruption(error) ? HistoryProblem::CannotOpen : HistoryProblem::NotRecorded;
}

QVariant nullableInteger(const std::optional<qint64>& value) {
  return value ? QVariant(*value) : QVariant(QMetaType::fromType<qint64>());
}

QVariant nullableBlob(const std::optional<QByteArray>& bytes) {
  if (!bytes) return QVariant(QMetaType::fromType<QByteArray>());
  // An empty read is still a read: a null byte array would be bound as NULL.
  return bytes->isNull() ? QVariant(QByteArray("")) : QVariant(*bytes);
}

// A text for a NOT NULL column: Qt binds a null QString as NULL, an empty tag among them.
QVariant notNull(const QString& text) {
  return text.isNull() ? QVariant(QString::fromLatin1("")) : QVariant(text);
}

QVariant notNull(const QByteArray& bytes) {
  return bytes.isNull() ? QVariant(QByteArray("")) : QVariant(bytes);
}

QString likePattern(const QString& text) {
  QString escaped = text;
  escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
  escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString columnList(const EntryKind& kind) {
  QStringList names;
  for (const HashedColumn& column : kind.columns) names << QString::fromLatin1(column.name);
  return names.join(QStringLiteral(", "));
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
  hasSchema1Rows_ = false;
  schema1Only_ = false;
}

bool HistoryDatabase::isOpen() const {
  return QSqlDatabase::contains(connectionName_) &&
         QSqlDatabase::database(connectionName_, false).isOpen();
}

QSqlDatabase HistoryDatabase::connection() const {
  return QSqlDatabase::database(connectionName_, false);
}

void HistoryDatabase::takeError(const QSqlError& error) {
  lastError_ = error.text();
  lastErrorCorrupt_ = isCorruption(error);
  lastProblem_ = problemOf(error);
}

bool HistoryDatabase::exec(QSqlQuery& query) {
  if (query.exec()) return true;
  takeError(query.lastError());
  return false;
}

bool HistoryDatabase::exec(const QString& statement) {
  QSqlQuery query(connection());
  if (query.exec(statement)) return true;
  takeError(query.lastError());
  return false;
}

OpenResult HistoryDatabase::open(const QString& path, bool readOnly) {
  close();
  path_ = path;
  lastError_.clear();
  lastErrorCorrupt_ = false;
  lastProblem_ = HistoryProblem::None;
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
    takeError(db.lastError());
    result.problem = HistoryProblem::CannotOpen;
    result.detail = lastError_;
  }
  return result;
}

std::optional<int> HistoryDatabase::schemaVersion() {
  QSqlQuery query(connection());
  if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
    takeError(query.lastError());
    return std::nullopt;
  }
  return query.value(0).toInt();
}

// SQLite's quick check: the file's pages and indexes are sound.
bool HistoryDatabase::isIntact() {
  QSqlQuery query(connection());
  if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
    takeError(query.lastError());
    return false;
  }
  const QString verdict = query.value(0).toString();
  if (verdict == QLatin1String("ok")) return true;
  lastError_ = verdict;
  lastErrorCorrupt_ = true;
  lastProblem_ = HistoryProblem::CannotOpen;
  return false;
}

// Brings the file to kSchemaVersion in one transaction: a new file gets the tables, a file of
// schema 1 keeps its rows, their chain and their ids in writes_v1, and the chain goes on after
// its last entry.
bool HistoryDatabase::migrate() {
  if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return false;
  auto rollBack = [this] {
    const QString error = lastError_;
    const HistoryProblem problem = lastProblem_;
    exec(QStringLiteral("ROLLBACK"));
    lastError_ = error;
    lastProblem_ = problem;
    return false;
  };
  // Another program may have brought the file up to date while this one waited for the lock.
  const std::optional<int> version = schemaVersion();
  if (!version) return rollBack();
  if (*version >= kSchemaVersion) return exec(QStringLiteral("COMMIT")) || rollBack();
  std::vector<const char*> steps;
  if (*version == 1) steps.assign(std::begin(kKeepSchema1), std::end(kKeepSchema1));
  QStringList statements;
  for (const char* statement : steps) statements << QString::fromUtf8(statement);
  statements << createTable(kOpeningEntry) << createTable(kCompletionEntry);
  for (const char* statement : kCreateIndexes) statements << QString::fromUtf8(statement);
  for (const QString& statement : statements) {
    if (!exec(statement)) return rollBack();
  }
  if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) ||
      !exec(QStringLiteral("COMMIT"))) {
    return rollBack();
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
  auto refused = [this](HistoryProblem problem, const QString& detail) {
    close();
    OpenResult result;
    result.problem = problem;
    result.detail = detail;
    lastProblem_ = problem;
    lastError_ = detail;
    return result;
  };
  if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
    return refused(HistoryProblem::NoFolder,
                   QStringLiteral("cannot make the folder %1").arg(folder));
  }
  const QFileInfo file(path);
  if (file.exists() && !file.isFile()) {
    return refused(HistoryProblem::NotAFile, QStringLiteral("%1 is not a file").arg(path));
  }
  const bool existed = file.exists();
  // SQLite cannot make a file, nor its journal beside it, in a folder it may not write.
  const bool folderWritable = QFileInfo(folder).isWritable();
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
      return refused(HistoryProblem::CannotOpen,
                     QStringLiteral("%1 is damaged and cannot be renamed aside").arg(path));
    }
    result = open(path, false);
    if (result.problem == HistoryProblem::None) version = schemaVersion();
  }
  auto failed = [&](const QString& detail) {
    HistoryProblem problem = lastProblem_;
    if (!folderWritable && problem != HistoryProblem::Locked) {
      problem = HistoryProblem::FolderNotWritable;
    } else if (problem == HistoryProblem::NotRecorded || problem == HistoryProblem::None) {
      problem = HistoryProblem::CannotOpen;
    }
    OpenResult failure = refused(problem, detail);
    failure.corruptKeptAs = corruptKeptAs;
    return failure;
  };
  if (!version) return failed(lastError_.isEmpty() ? result.detail : lastError_);
  if (*version > kSchemaVersion) {
    // A newer program's file: read it, never change it.
    close();
    result = open(path, true);
    result.corruptKeptAs = corruptKeptAs;
    result.readable = result.problem == HistoryProblem::None;
    result.problem = HistoryProblem::NewerSchema;
    result.detail = QString::number(*version);
    lastProblem_ = HistoryProblem::NewerSchema;
    return result;
  }
  if (*version < kSchemaVersion && !migrate()) return failed(lastError_);
  QSqlQuery schema1(connection());
  hasSchema1Rows_ =
      schema1.exec(QStringLiteral(
          "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'writes_v1'")) &&
      schema1.next();
  writable_ = true;
  result.corruptKeptAs = corruptKeptAs;
  result.readable = true;
  result.writable = true;
  return result;
}

OpenResult HistoryDatabase::openReadOnly(const QString& path) {
  const QFileInfo file(path);
  if (!file.exists() || !file.isFile()) {
    OpenResult result;
    result.problem = file.exists() ? HistoryProblem::NotAFile : HistoryProblem::CannotOpen;
    result.detail = file.isDir()    ? QStringLiteral("is a folder, not a write history file")
                    : file.exists() ? QStringLiteral("is not a regular file")
                                    : QStringLiteral("no such file");
    return result;
  }
  OpenResult result = open(path, true);
  if (result.problem != HistoryProblem::None) return result;
  const std::optional<int> version = schemaVersion();
  if (!version || *version < 1) {
    result.problem = HistoryProblem::CannotOpen;
    result.detail =
        !version ? (lastErrorCorrupt_ ? QStringLiteral("not an SQLite database") : lastError_)
                 : QStringLiteral("an SQLite database, but no write history");
    close();
    return result;
  }
  if (*version > kSchemaVersion) {
    result.problem = HistoryProblem::NewerSchema;
    result.detail = QString::number(*version);
  }
  QSqlQuery tables(connection());
  hasSchema1Rows_ =
      *version == 1 || (tables.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = "
                                                   "'table' AND name = 'writes_v1'")) &&
                        tables.next());
  schema1Only_ = *version == 1;
  result.readable = true;
  return result;
}

std::optional<ChainEntry> HistoryDatabase::appendEntry(
    const EntryKind& kind, const std::vector<ColumnValue>& named,
    const std::function<std::optional<QString>()>& refusal) {
  if (!writable_) return std::nullopt;
  // The values are hashed and stored in the columns' order: a value given for another column
  // than stands in its place is a fault of this program, and nothing is stored.
  const bool inColumnOrder = named.size() == kind.columns.size() &&
                             std::equal(named.begin(), named.end(), kind.columns.begin(),
                                        [](const ColumnValue& value, const HashedColumn& column) {
                                          return std::string_view(value.column) == column.name;
                                        });
  Q_ASSERT(inColumnOrder);
  if (!inColumnOrder) {
    lastError_ = QStringLiteral("the values of a %1 entry are not in its columns' order")
                     .arg(QString::fromLatin1(kind.table));
    lastProblem_ = HistoryProblem::NotRecorded;
    return std::nullopt;
  }
  std::vector<QVariant> values;
  values.reserve(named.size());
  for (const ColumnValue& value : named) values.push_back(value.value);
  // Immediate: the chain's last entry is read under the write lock, so no other program takes
  // it as its predecessor too.
  if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return std::nullopt;
  auto rollBack = [this]() -> std::optional<ChainEntry> {
    const QString error = lastError_;
    const HistoryProblem problem = lastProblem_;
    exec(QStringLiteral("ROLLBACK"));
    lastError_ = error;
    lastProblem_ = problem;
    return std::nullopt;
  };
  if (refusal) {
    if (const std::optional<QString> why = refusal()) {
      lastError_ = *why;
      lastProblem_ = HistoryProblem::NotRecorded;
      return rollBack();
    }
  }
  QSqlQuery last(connection());
  last.prepare(QStringLiteral("SELECT sequence, hash FROM (%1) ORDER BY sequence DESC LIMIT 1")
                   .arg(entrySource(QStringLiteral("sequence, hash"))));
  if (!exec(last)) return rollBack();
  const bool chainStarted = last.next();
  const qint64 sequence = chainStarted ? last.value(0).toLongLong() + 1 : 1;
  const QString prevHash = chainStarted ? last.value(1).toString() : kChainStart;
  last.finish();

  // Ids go on from those of schema 1, so a write's id names one write in the file.
  QSqlQuery lastId(connection());
  const QString ids = kind.type == EntryType::Opening && hasSchema1Rows_
                          ? QStringLiteral(
                                "SELECT id FROM writes UNION ALL SELECT id FROM "
                                "writes_v1")
                          : QStringLiteral("SELECT id FROM %1").arg(kind.table);
  if (!lastId.exec(QStringLiteral("SELECT ifnull(max(id), 0) FROM (%1)").arg(ids)) ||
      !lastId.next()) {
    takeError(lastId.lastError());
    return rollBack();
  }
  const qint64 id = lastId.value(0).toLongLong() + 1;
  lastId.finish();

  values.front() = id;
  values[1] = sequence;
  values.back() = prevHash;
  const QString hash = entryHash(kind, values);
  QSqlQuery insert(connection());
  QStringList places;
  for (std::size_t i = 0; i <= kind.columns.size(); ++i) places << QStringLiteral("?");
  insert.prepare(QStringLiteral("INSERT INTO %1 (%2, hash) VALUES (%3)")
                     .arg(QString::fromLatin1(kind.table), columnList(kind),
                          places.join(QStringLiteral(", "))));
  for (const QVariant& value : values) insert.addBindValue(value);
  insert.addBindValue(hash);
  if (!exec(insert)) return rollBack();
  if (!exec(QStringLiteral("COMMIT"))) return rollBack();
  return ChainEntry{id, sequence, hash};
}

std::optional<ChainEntry> HistoryDatabase::appendOpening(const WriteOpening& opening) {
  return appendEntry(kOpeningEntry,
                     {{"id", {}},
                      {"sequence", {}},
                      {"written_at", notNull(opening.writtenAt)},
                      {"user", notNull(opening.user)},
                      {"host", notNull(opening.host)},
                      {"program_version", notNull(opening.programVersion)},
                      {"process_id", QVariant(opening.processId)},
                      {"port", notNull(opening.port)},
                      {"model", notNull(opening.model)},
                      {"product_code", QVariant(opening.productCode)},
                      {"serial_number", QVariant(opening.serialNumber)},
                      {"tag", notNull(opening.tag)},
                      {"as_found", notNull(opening.asFound)},
                      {"sent", notNull(opening.sent)},
                      {"changes", notNull(opening.changes)},
                      {"prev_hash", {}}},
                     {});
}

std::optional<ChainEntry> HistoryDatabase::appendCompletion(qint64 writeId,
                                                            const QString& writeHash,
                                                            const WriteCompletion& completion) {
  const std::string_view outcome = outcomeName(completion.outcome);
  return appendEntry(
      kCompletionEntry,
      {{"id", {}},
       {"sequence", {}},
       {"write_id", QVariant(writeId)},
       {"write_hash", notNull(writeHash)},
       {"completed_at", notNull(completion.completedAt)},
       {"outcome",
        QVariant(QString::fromLatin1(outcome.data(), static_cast<qsizetype>(outcome.size())))},
       {"as_left", nullableBlob(completion.asLeft)},
       {"answered_product_code", nullableInteger(completion.answeredProductCode)},
       {"answered_serial_number", nullableInteger(completion.answeredSerialNumber)},
       {"prev_hash", {}}},
      [this, writeId]() -> std::optional<QString> {
        QSqlQuery done(connection());
        done.prepare(QStringLiteral("SELECT count(*) FROM completions WHERE write_id = ?"));
        done.addBindValue(writeId);
        if (!exec(done) || !done.next()) return lastError_;
        if (done.value(0).toLongLong() > 0)
          return QStringLiteral("write %1 is completed already").arg(writeId);
        return std::nullopt;
      });
}

std::optional<HistoryDatabase::Interrupted> HistoryDatabase::completeInterrupted(
    const std::function<bool(const WriteRow&)>& cutOff, const QDateTime& completedAt) {
  if (!writable_) return std::nullopt;
  QSqlQuery query(connection());
  query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE sequence IS NULL AND opening_sequence IS "
                               "NOT NULL ORDER BY id")
                    .arg(rowColumnNames(), rowSource()));
  const std::optional<std::vector<WriteRow>> open = readRows(query);
  if (!open) return std::nullopt;
  std::vector<WriteRow> cut;
  for (const WriteRow& row : *open) {
    if (cutOff(row)) cut.push_back(row);
  }
  Interrupted result;
  if (cut.empty()) return result;
  // Only an opening the chain vouches for is completed: never one forged, edited, or left
  // without the completion it had.
  const std::optional<ChainCheck> check = checkChain();
  if (!check) return std::nullopt;
  if (!check->holds()) {
    result.brokenChain = check;
    return result;
  }
  for (const WriteRow& row : cut) {
    WriteCompletion interrupted;
    interrupted.completedAt = historyTime(completedAt);
    interrupted.outcome = Outcome::Interrupted;
    if (appendCompletion(row.id, row.openingHash.value_or(QString()), interrupted)) {
      ++result.completed;
    } else if (lastProblem_ != HistoryProblem::NotRecorded) {
      return std::nullopt;  // a write completed meanwhile by another program is passed over
    }
  }
  return result;
}

QString HistoryDatabase::entrySource(const QString& columns) const {
  QString source =
      QStringLiteral("SELECT %1 FROM writes UNION ALL SELECT %1 FROM completions").arg(columns);
  if (hasSchema1Rows_) {
    source += QStringLiteral(" UNION ALL SELECT %1 FROM writes_v1 WHERE sequence IS NOT NULL")
                  .arg(columns);
  }
  return source;
}

QString HistoryDatabase::rowSource() const {
  QString source;
  if (!schema1Only_) {
    source = QStringLiteral(
                 "SELECT %1 FROM writes w LEFT JOIN completions c ON c.sequence = (SELECT "
                 "min(sequence) FROM completions WHERE write_id = w.id)")
                 .arg(joinedRowColumns());
  }
  if (hasSchema1Rows_) {
    if (!source.isEmpty()) source += QStringLiteral(" UNION ALL ");
    source += QStringLiteral("SELECT %1 FROM %2")
                  .arg(schema1RowColumns(),
                       schema1Only_ ? QStringLiteral("writes") : QStringLiteral("writes_v1"));
  }
  return QStringLiteral("(%1) AS write_rows").arg(source);
}

std::optional<std::vector<WriteRow>> HistoryDatabase::readRows(QSqlQuery& query) {
  query.setForwardOnly(true);
  if (!exec(query)) return std::nullopt;
  std::vector<WriteRow> rows;
  while (query.next()) rows.push_back(rowOf(query));
  if (query.lastError().isValid()) {
    takeError(query.lastError());
    return std::nullopt;
  }
  return rows;
}

std::optional<WriteRow> HistoryDatabase::row(qint64 id) {
  QSqlQuery query(connection());
  query.prepare(
      QStringLiteral("SELECT %1 FROM %2 WHERE id = ?").arg(rowColumnNames(), rowSource()));
  query.addBindValue(id);
  const std::optional<std::vector<WriteRow>> rows = readRows(query);
  if (!rows) return std::nullopt;
  if (rows->empty()) {
    lastError_ = QStringLiteral("no write %1").arg(id);
    return std::nullopt;
  }
  return rows->front();
}

QSqlQuery HistoryDatabase::selectRows(const RowFilter& filter, const QString& columns) {
  QStringList conditions;
  QVariantList values;
  if (filter.serialNumber) {
    conditions << QStringLiteral("(serial_number = ? OR answered_serial_number = ?)");
    values << *filter.serialNumber << *filter.serialNumber;
  }
  if (!filter.containing.isEmpty()) {
    conditions << QStringLiteral(
        "(CAST(serial_number AS TEXT) LIKE ? ESCAPE '\\' OR CAST(answered_serial_number AS TEXT) "
        "LIKE ? ESCAPE '\\' OR model LIKE ? ESCAPE '\\' OR tag LIKE ? ESCAPE '\\')");
    for (int i = 0; i < 4; ++i) values << likePattern(filter.containing);
  }
  if (filter.from) {
    conditions << QStringLiteral("written_at >= ?");
    values << historyTime(*filter.from);
  }
  if (filter.before) {
    conditions << QStringLiteral("written_at < ?");
    values << historyTime(*filter.before);
  }
  QString statement = QStringLiteral("SELECT %1 FROM %2").arg(columns, rowSource());
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
  QSqlQuery query = selectRows(filter, rowColumnNames());
  if (!query.isActive()) return std::nullopt;
  std::vector<WriteRow> rows;
  while (query.next()) rows.push_back(rowOf(query));
  if (query.lastError().isValid()) {
    takeError(query.lastError());
    return std::nullopt;
  }
  return rows;
}

bool HistoryDatabase::readEntries(const EntryKind& kind, std::vector<StoredEntry>& entries) {
  const QString table = kind.type == EntryType::Schema1Row && schema1Only_
                            ? QStringLiteral("writes")
                            : QString::fromLatin1(kind.table);
  QSqlQuery query(connection());
  query.setForwardOnly(true);
  query.prepare(
      QStringLiteral("SELECT %1, hash%2 FROM %3")
          .arg(columnList(kind),
               kind.type == EntryType::Schema1Row ? QStringLiteral(", outcome") : QString(),
               table));
  if (!exec(query)) return false;
  const int columns = static_cast<int>(kind.columns.size());
  while (query.next()) {
    std::vector<QVariant> values;
    values.reserve(kind.columns.size());
    for (int i = 0; i < columns; ++i) values.push_back(query.value(i));
    StoredEntry entry;
    entry.type = kind.type;
    entry.id = values[0].toLongLong();
    entry.sequence = integerOrNull(values[1]);
    entry.prevHash = textOrNull(values.back());
    entry.hash = textOrNull(query.value(columns));
    entry.computedHash = entryHash(kind, values);
    if (kind.type == EntryType::Completion) {
      entry.writeId = values[2].toLongLong();
      entry.writeHash = textOrNull(values[3]);
    }
    if (kind.type == EntryType::Schema1Row) {
      entry.completedFields =
          entry.prevHash || entry.hash || !values[3].isNull() || !query.value(columns + 1).isNull();
    }
    entries.push_back(std::move(entry));
  }
  if (query.lastError().isValid()) {
    takeError(query.lastError());
    return false;
  }
  return true;
}

std::optional<ChainCheck> HistoryDatabase::checkChain() {
  std::vector<StoredEntry> entries;
  if (!schema1Only_ &&
      (!readEntries(kOpeningEntry, entries) || !readEntries(kCompletionEntry, entries))) {
    return std::nullopt;
  }
  if (hasSchema1Rows_ && !readEntries(kSchema1Entry, entries)) return std::nullopt;
  return history::checkChain(std::move(entries));
}

std::optional<std::optional<QString>> HistoryDatabase::storedHash(qint64 sequence) {
  QSqlQuery query(connection());
  query.prepare(QStringLiteral("SELECT hash FROM (%1) WHERE sequence = ?")
                    .arg(schema1Only_ ? QStringLiteral("SELECT sequence, hash FROM writes")
                                      : entrySource(QStringLiteral("sequence, hash"))));
  query.addBindValue(sequence);
  if (!exec(query)) return std::nullopt;
  if (!query.next()) return std::optional<QString>{};
  return std::optional<QString>{query.value(0).toString()};
}

std::optional<HistoryDatabase::ChainEnd> HistoryDatabase::chainEnd() {
  QSqlQuery query(connection());
  const QString source = schema1Only_ ? QStringLiteral(
                                            "SELECT sequence, hash FROM writes WHERE sequence "
                                            "IS NOT NULL")
                                      : entrySource(QStringLiteral("sequence, hash"));
  query.prepare(QStringLiteral("SELECT count(*), max(sequence), (SELECT hash FROM (%1) ORDER BY "
                               "sequence DESC LIMIT 1) FROM (%1)")
                    .arg(source));
  if (!exec(query) || !query.next()) return std::nullopt;
  const QVariant hash = query.value(2);
  return ChainEnd{query.value(0).toLongLong(), query.value(1).toLongLong(),
                  hash.isNull() ? kChainStart : hash.toString()};
}

}  // namespace tadjust::history
