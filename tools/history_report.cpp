#include "history_report.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "history/history_database.h"
#include "record/history_record.h"
#include "record/record_output.h"

namespace tadjust::history_tool {

namespace {

using namespace tadjust::history;

constexpr int kDone = 0, kNothingMatched = 1, kCannotRun = 2;

constexpr const char* kUsage =
    "usage: t-adjust-history [--db FILE] report --out FILE.pdf [--language en|pl]\n"
    "                        (--serial N | --from YYYY-MM-DD --to YYYY-MM-DD)\n"
    "  the device record of every completed write of the serial number, or written from the\n"
    "  first day to the last (both included, local time), one record per write, oldest first\n";

struct ReportArguments {
  QString database;
  QString out;
  bool english = true;
  std::optional<qint64> serialNumber;
  std::optional<QDate> from;
  std::optional<QDate> to;
};

// The word after an option, or nothing at the end.
std::optional<QString> valueAfter(const QStringList& words, qsizetype& i) {
  if (i + 1 >= words.size()) return std::nullopt;
  return words[++i];
}

std::optional<QDate> dateOf(const QString& text) {
  const QDate date = QDate::fromString(text, Qt::ISODate);
  return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<ReportArguments> parseReportArguments(const QStringList& words) {
  ReportArguments arguments;
  arguments.database = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                           .filePath(QString::fromLatin1(kHistoryFileName));
  bool command = false;
  for (qsizetype i = 1; i < words.size(); ++i) {
    const QString& word = words[i];
    std::optional<QString> value;
    if (word == QLatin1String("report") && !command) {
      command = true;
      continue;
    }
    if (word.startsWith(QLatin1String("--db="))) {
      arguments.database = word.mid(5);
      continue;
    }
    if (!word.startsWith(QLatin1String("--")) || !(value = valueAfter(words, i)))
      return std::nullopt;
    if (word == QLatin1String("--db")) {
      arguments.database = *value;
    } else if (word == QLatin1String("--out") && command) {
      arguments.out = *value;
    } else if (word == QLatin1String("--language") && command) {
      if (*value != QLatin1String("en") && *value != QLatin1String("pl")) return std::nullopt;
      arguments.english = *value == QLatin1String("en");
    } else if (word == QLatin1String("--serial") && command && !arguments.serialNumber) {
      bool ok = false;
      arguments.serialNumber = value->toLongLong(&ok);
      if (!ok) return std::nullopt;
    } else if (word == QLatin1String("--from") && command && !arguments.from) {
      if (!(arguments.from = dateOf(*value))) return std::nullopt;
    } else if (word == QLatin1String("--to") && command && !arguments.to) {
      if (!(arguments.to = dateOf(*value))) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  const bool bySerial = arguments.serialNumber && !arguments.from && !arguments.to;
  const bool byDays =
      !arguments.serialNumber && arguments.from && arguments.to && *arguments.from <= *arguments.to;
  if (!command || arguments.out.isEmpty() || (!bySerial && !byDays)) return std::nullopt;
  return arguments;
}

int fail(const QString& path, const QString& why) {
  std::fprintf(stderr, "t-adjust-history: %s: %s\n", path.toUtf8().constData(),
               why.toUtf8().constData());
  return kCannotRun;
}

int report(const ReportArguments& arguments) {
  HistoryDatabase database;
  const OpenResult opened = database.openReadOnly(arguments.database);
  if (!opened.readable) return fail(arguments.database, opened.detail);

  RowFilter filter;
  filter.newestFirst = false;
  filter.serialNumber = arguments.serialNumber;
  if (arguments.from) filter.from = arguments.from->startOfDay();
  if (arguments.to) filter.before = arguments.to->addDays(1).startOfDay();
  const std::optional<std::vector<WriteRow>> rows = database.rows(filter);
  if (!rows) return fail(arguments.database, database.lastError());

  std::vector<DeviceRecord> records;
  for (const WriteRow& row : *rows)
    if (!row.isOpen()) records.push_back(recordOfHistoryRow(row, arguments.english));
  if (records.empty()) {
    std::fputs("t-adjust-history: no completed write matches; nothing written\n", stderr);
    return kNothingMatched;
  }
  const RecordFileResult written = writeRecordsPdf(records, arguments.out);
  if (!written.written) return fail(arguments.out, written.error);
  std::printf("%zu records written to %s\n", records.size(), arguments.out.toUtf8().constData());
  return kDone;
}

}  // namespace

bool isReportCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--db") == 0) {
      ++i;
      continue;
    }
    if (std::strncmp(argv[i], "--db=", 5) == 0) continue;
    return std::strcmp(argv[i], "report") == 0;
  }
  return false;
}

int runReport(int argc, char** argv) {
  // The records are laid out on windows that are never shown: no display is needed.
  std::vector<char*> arguments(argv, argv + argc);
  char platform[] = "-platform";
  char offscreen[] = "offscreen";
  arguments.push_back(platform);
  arguments.push_back(offscreen);
  int count = static_cast<int>(arguments.size());
  QApplication application(count, arguments.data());
  QCoreApplication::setApplicationName(QStringLiteral("T-adjust"));
  const std::optional<ReportArguments> parsed = parseReportArguments(QCoreApplication::arguments());
  if (!parsed) {
    std::fputs(kUsage, stderr);
    return kCannotRun;
  }
  return report(*parsed);
}

}  // namespace tadjust::history_tool
