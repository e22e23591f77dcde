// t-adjust-history: the write history of T-adjust read from the command line, without the
// program: every write listed, exported as CSV, its hash chain checked, or the device records of
// chosen writes regenerated (history_report.h). The file is opened read-only and never changed.
//
// Exit status: 0 done (verify: the chain holds), 1 the chain is broken (verify) or no write
// matches (report), 2 wrong arguments or a file that cannot be read.

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <optional>

#include "history/history_csv.h"
#include "history/history_database.h"
#include "history_report.h"

namespace {

using namespace tadjust::history;

constexpr int kDone = 0, kChainBroken = 1, kCannotRun = 2;

constexpr const char* kUsage =
    "usage: t-adjust-history [--db FILE] <command>\n"
    "  list [--serial N]        one line per write, oldest first\n"
    "  export-csv [--serial N]  every write as CSV (RFC 4180, UTF-8, a header row)\n"
    "  verify                   check the hash chain: \"ok: N rows\" and the last hash, or the\n"
    "                           first row that breaks it (exit status 1)\n"
    "  report --out FILE.pdf [--language en|pl] (--serial N | --from DATE --to DATE)\n"
    "                           the device records of the chosen writes as one PDF\n"
    "  --db FILE   the history file; T-adjust's own by default:\n"
    "              ~/.local/share/T-adjust/history.sqlite\n";

struct Arguments {
  QString database;
  QString command;
  std::optional<qint64> serialNumber;
};

std::optional<Arguments> parseArguments(const QStringList& words) {
  Arguments arguments;
  arguments.database = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                           .filePath(QString::fromLatin1(kHistoryFileName));
  for (qsizetype i = 1; i < words.size(); ++i) {
    const QString& word = words[i];
    const bool hasValue = i + 1 < words.size();
    if (word == QLatin1String("--db") && hasValue) {
      arguments.database = words[++i];
    } else if (word == QLatin1String("--serial") && hasValue) {
      bool ok = false;
      arguments.serialNumber = words[++i].toLongLong(&ok);
      if (!ok) return std::nullopt;
    } else if (arguments.command.isEmpty() && !word.startsWith(QLatin1Char('-'))) {
      arguments.command = word;
    } else {
      return std::nullopt;
    }
  }
  const bool known = arguments.command == QLatin1String("list") ||
                     arguments.command == QLatin1String("export-csv") ||
                     arguments.command == QLatin1String("verify");
  if (!known) return std::nullopt;
  if (arguments.command == QLatin1String("verify") && arguments.serialNumber) return std::nullopt;
  return arguments;
}

void print(const QString& text) { std::fputs(text.toUtf8().constData(), stdout); }

int cannotRead(const QString& path, const QString& why) {
  std::fprintf(stderr, "t-adjust-history: %s: %s\n", path.toUtf8().constData(),
               why.toUtf8().constData());
  return kCannotRun;
}

QString lineOf(const WriteRow& row) {
  return QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8@%9\n")
      .arg(row.id)
      .arg(row.writtenAt)
      .arg(row.model)
      .arg(row.productCode)
      .arg(row.serialNumber)
      .arg(row.tag.isEmpty() ? QStringLiteral("-") : row.tag)
      .arg(row.outcome.value_or(QStringLiteral("open")))
      .arg(row.user, row.host);
}

int run(HistoryDatabase& database, const Arguments& arguments) {
  if (arguments.command == QLatin1String("verify")) {
    const std::optional<ChainCheck> check = database.checkChain();
    if (!check) return cannotRead(arguments.database, database.lastError());
    if (!check->holds()) {
      print(QStringLiteral("broken: %1\n").arg(check->reason));
      return kChainBroken;
    }
    QString verdict = QStringLiteral("ok: %1 rows").arg(check->rows);
    if (check->openRows > 0) verdict += QStringLiteral(" (%1 open)").arg(check->openRows);
    print(verdict + QStringLiteral("\nlast hash: %1\n").arg(check->lastHash));
    return kDone;
  }
  RowFilter filter;
  filter.serialNumber = arguments.serialNumber;
  filter.newestFirst = false;
  const std::optional<std::vector<WriteRow>> rows = database.rows(filter);
  if (!rows) return cannotRead(arguments.database, database.lastError());
  if (arguments.command == QLatin1String("export-csv")) {
    const QByteArray csv = csvOf(*rows);
    std::fwrite(csv.constData(), 1, static_cast<std::size_t>(csv.size()), stdout);
    return kDone;
  }
  for (const WriteRow& row : *rows) print(lineOf(row));
  return kDone;
}

}  // namespace

int main(int argc, char** argv) {
  if (tadjust::history_tool::isReportCommand(argc, argv))
    return tadjust::history_tool::runReport(argc, argv);
  QCoreApplication application(argc, argv);
  // T-adjust's data folder: ~/.local/share/T-adjust.
  QCoreApplication::setApplicationName(QStringLiteral("T-adjust"));
  const std::optional<Arguments> arguments = parseArguments(QCoreApplication::arguments());
  if (!arguments) {
    std::fputs(kUsage, stderr);
    return kCannotRun;
  }
  HistoryDatabase database;
  const OpenResult opened = database.openReadOnly(arguments->database);
  if (opened.problem == HistoryProblem::NewerSchema) {
    if (arguments->command == QLatin1String("verify")) {
      return cannotRead(arguments->database,
                        QStringLiteral("written by a newer T-adjust (schema %1); this one checks "
                                       "schema %2")
                            .arg(opened.detail)
                            .arg(kSchemaVersion));
    }
  } else if (opened.problem != HistoryProblem::None) {
    return cannotRead(arguments->database, opened.detail);
  }
  return run(database, *arguments);
}
