// t-adjust-history: the write history of T-adjust read from the command line, without the
// program: every write listed, exported as CSV, or its hash chain checked, against anchors noted
// elsewhere too; or the device records of chosen writes regenerated (history_report.h). The file
// is opened read-only and never changed.
//
// Exit status: 0 done (verify: the chain holds and every anchor is held), 1 the chain is broken
// or an anchor is not held (verify) or no write matches (report), 2 wrong arguments or a file
// that cannot be read.
//
// The arguments are read through two tables, the commands and the options: a command or an
// option is added by a row of its own. "report" reads its own arguments (history_report.cpp): it
// draws records, on an application of its own.

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "history/history_csv.h"
#include "history/history_database.h"
#include "history_report.h"

namespace {

using namespace tadjust::history;

constexpr int kDone = 0, kChainBroken = 1, kCannotRun = 2;

struct Anchor {
  qint64 sequence = 0;
  QString hash;
};

struct Arguments {
  QString database;
  QString command;
  std::optional<qint64> serialNumber;
  std::vector<Anchor> anchors;
  bool help = false;
};

// Takes an option's value into the arguments; why it cannot, otherwise.
using TakeValue = std::function<std::optional<QString>(Arguments&, const QString&)>;

struct Option {
  std::string_view name;       // "--serial"
  std::string_view valueName;  // "N"; empty for an option without a value
  bool repeatable;
  std::vector<std::string_view> commands;  // the commands it applies to; none: all of them
  std::string_view help;
  TakeValue take;
};

using RunCommand = std::function<int(HistoryDatabase&, const Arguments&)>;

struct Command {
  std::string_view name;
  std::string_view help;
  RunCommand run;
};

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void print(const QString& text) { std::fputs(text.toUtf8().constData(), stdout); }

int cannotRead(const QString& path, const QString& why) {
  std::fprintf(stderr, "t-adjust-history: %s: %s\n",
               QDir::toNativeSeparators(path).toUtf8().constData(), why.toUtf8().constData());
  return kCannotRun;
}

QString lineOf(const WriteRow& row) {
  QString line = QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8@%9")
                     .arg(row.id)
                     .arg(row.writtenAt)
                     .arg(row.model)
                     .arg(row.productCode)
                     .arg(row.serialNumber)
                     .arg(row.tag.isEmpty() ? QStringLiteral("-") : row.tag)
                     .arg(row.outcome.value_or(QStringLiteral("open")))
                     .arg(row.user, row.host);
  if (row.answeredProductCode && row.answeredSerialNumber) {
    line += QStringLiteral("  answered by %1 %2")
                .arg(*row.answeredProductCode)
                .arg(*row.answeredSerialNumber);
  }
  return line + QLatin1Char('\n');
}

std::optional<std::vector<WriteRow>> rowsOf(HistoryDatabase& database, const Arguments& arguments) {
  RowFilter filter;
  filter.serialNumber = arguments.serialNumber;
  filter.newestFirst = false;
  return database.rows(filter);
}

int list(HistoryDatabase& database, const Arguments& arguments) {
  const std::optional<std::vector<WriteRow>> rows = rowsOf(database, arguments);
  if (!rows) return cannotRead(arguments.database, database.lastError());
  for (const WriteRow& row : *rows) print(lineOf(row));
  return kDone;
}

int exportCsv(HistoryDatabase& database, const Arguments& arguments) {
  const std::optional<std::vector<WriteRow>> rows = rowsOf(database, arguments);
  if (!rows) return cannotRead(arguments.database, database.lastError());
  const QByteArray csv = csvOf(*rows);
  std::fwrite(csv.constData(), 1, static_cast<std::size_t>(csv.size()), stdout);
  return kDone;
}

int verify(HistoryDatabase& database, const Arguments& arguments) {
  const std::optional<ChainCheck> check = database.checkChain();
  if (!check) return cannotRead(arguments.database, database.lastError());
  int status = kDone;
  if (check->holds()) {
    QString verdict =
        QStringLiteral("ok: %1 entries, %2 writes").arg(check->entries).arg(check->writes);
    if (check->openWrites > 0) verdict += QStringLiteral(" (%1 open)").arg(check->openWrites);
    print(verdict +
          QStringLiteral("\nlast entry: %1:%2\n").arg(check->lastSequence).arg(check->lastHash));
  } else {
    print(QStringLiteral("broken: %1\n").arg(check->reason));
    status = kChainBroken;
  }
  for (const Anchor& anchor : arguments.anchors) {
    const std::optional<std::optional<QString>> stored = database.storedHash(anchor.sequence);
    if (!stored) return cannotRead(arguments.database, database.lastError());
    const QString named = QStringLiteral("anchor %1:%2").arg(anchor.sequence).arg(anchor.hash);
    if (*stored == anchor.hash) {
      print(named + QStringLiteral(": held\n"));
      continue;
    }
    status = kChainBroken;
    print(named +
          (*stored
               ? QStringLiteral(": not held: entry %1 has the hash %2\n")
                     .arg(anchor.sequence)
                     .arg(**stored)
               : QStringLiteral(": not held: the file has no entry %1\n").arg(anchor.sequence)));
  }
  return status;
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {"list", "one line per write, oldest first", list},
      {"export-csv", "every write as CSV (RFC 4180, UTF-8, a header row)", exportCsv},
      {"verify",
       "check the hash chain: \"ok: N entries, W writes\" and the last entry as SEQ:HASH, or\n"
       "the first entry that breaks it (exit status 1)",
       verify},
      // Run before the tables are read (main); the row lists it in the usage.
      {"report",
       "--out FILE.pdf [--language en|pl] (--serial N | --from DATE --to DATE):\n"
       "the device records of the chosen writes as one PDF",
       [](HistoryDatabase&, const Arguments&) { return kCannotRun; }},
  };
  return table;
}

const QRegularExpression kWholeNumber(QStringLiteral("^[0-9]+$"));

const std::vector<Option>& options() {
  static const std::vector<Option> table{
      {"--db",
       "FILE",
       false,
       {},
       "the history file; T-adjust's own by default:\n"
       "~/.local/share/T-adjust/history.sqlite",
       [](Arguments& arguments, const QString& value) -> std::optional<QString> {
         if (value.isEmpty()) return QStringLiteral("--db takes a file name");
         arguments.database = value;
         return std::nullopt;
       }},
      {"--serial",
       "N",
       false,
       {"list", "export-csv"},
       "only the writes of that serial number: the device written, or the device\n"
       "that answered in its place",
       [](Arguments& arguments, const QString& value) -> std::optional<QString> {
         bool ok = false;
         const qint64 serial = value.toLongLong(&ok);
         if (!kWholeNumber.match(value).hasMatch() || !ok) {
           return QStringLiteral(
                      "--serial takes a serial number, a whole number of 0 or more, "
                      "not \"%1\"")
               .arg(value);
         }
         arguments.serialNumber = serial;
         return std::nullopt;
       }},
      {"--anchor",
       "SEQ:HASH",
       true,
       {"verify"},
       "an entry noted elsewhere (a record, an export): the file must still hold\n"
       "entry SEQ with that hash; may be given more than once",
       [](Arguments& arguments, const QString& value) -> std::optional<QString> {
         static const QRegularExpression anchor(QStringLiteral("^([0-9]+):([0-9a-fA-F]{64})$"));
         const QRegularExpressionMatch match = anchor.match(value);
         bool ok = false;
         const qint64 sequence = match.hasMatch() ? match.captured(1).toLongLong(&ok) : 0;
         if (!ok || sequence < 1) {
           return QStringLiteral(
                      "--anchor takes SEQ:HASH, an entry's place and its 64 hex "
                      "digits, not \"%1\"")
               .arg(value);
         }
         arguments.anchors.push_back({sequence, match.captured(2).toLower()});
         return std::nullopt;
       }},
      {"--help",
       "",
       false,
       {},
       "this text",
       [](Arguments& arguments, const QString&) -> std::optional<QString> {
         arguments.help = true;
         return std::nullopt;
       }},
  };
  return table;
}

QString usage() {
  QString text = QStringLiteral("usage: t-adjust-history [--db FILE] <command> [options]\n\n");
  text += QStringLiteral("commands:\n");
  for (const Command& command : commands()) {
    text += QStringLiteral("  %1%2\n")
                .arg(qs(command.name), -14)
                .arg(qs(command.help)
                         .replace(QLatin1Char('\n'), QStringLiteral("\n") + QString(16, ' ')));
  }
  text += QStringLiteral("\noptions:\n");
  for (const Option& option : options()) {
    QString name = qs(option.name);
    if (!option.valueName.empty()) name += QLatin1Char(' ') + qs(option.valueName);
    QString help = qs(option.help);
    if (!option.commands.empty()) {
      QStringList names;
      for (std::string_view command : option.commands) names << qs(command);
      help += QStringLiteral(" (%1)").arg(names.join(QStringLiteral(", ")));
    }
    text += QStringLiteral("  %1%2\n")
                .arg(name, -20)
                .arg(help.replace(QLatin1Char('\n'), QStringLiteral("\n") + QString(22, ' ')));
  }
  text += QStringLiteral(
      "\nexit status: 0 done; 1 the chain is broken or an anchor is not held (verify);\n"
      "2 wrong arguments, or a file that cannot be read\n");
  return text;
}

// The arguments, or why they are wrong.
std::variant<Arguments, QString> parseArguments(const QStringList& words) {
  Arguments arguments;
  arguments.database = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                           .filePath(QString::fromLatin1(kHistoryFileName));
  std::set<std::string_view> given;
  std::vector<std::string_view> givenOptions;
  for (qsizetype i = 1; i < words.size(); ++i) {
    const QString& word = words[i];
    if (word == QLatin1String("-h")) {
      arguments.help = true;
      continue;
    }
    if (!word.startsWith(QLatin1String("--"))) {
      if (!arguments.command.isEmpty())
        return QStringLiteral("one command only: \"%1\" follows \"%2\"")
            .arg(word, arguments.command);
      const auto command = std::find_if(commands().begin(), commands().end(),
                                        [&](const Command& c) { return qs(c.name) == word; });
      if (command == commands().end()) return QStringLiteral("no command \"%1\"").arg(word);
      arguments.command = word;
      continue;
    }
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? word : word.left(equals);
    const auto option = std::find_if(options().begin(), options().end(),
                                     [&](const Option& o) { return qs(o.name) == name; });
    if (option == options().end()) return QStringLiteral("no option \"%1\"").arg(name);
    if (!option->repeatable && !given.insert(option->name).second)
      return QStringLiteral("%1 is given more than once").arg(name);
    givenOptions.push_back(option->name);
    QString value;
    if (option->valueName.empty()) {
      if (equals >= 0) return QStringLiteral("%1 takes no value").arg(name);
    } else if (equals >= 0) {
      value = word.mid(equals + 1);
    } else if (i + 1 < words.size()) {
      value = words[++i];
    } else {
      return QStringLiteral("%1 needs %2").arg(name, qs(option->valueName));
    }
    if (const std::optional<QString> wrong = option->take(arguments, value)) return *wrong;
  }
  if (arguments.help) return arguments;
  if (arguments.command.isEmpty()) return QStringLiteral("no command given");
  for (std::string_view name : givenOptions) {
    const Option& option = *std::find_if(options().begin(), options().end(),
                                         [&](const Option& o) { return o.name == name; });
    const std::string command = arguments.command.toStdString();
    if (!option.commands.empty() && std::find(option.commands.begin(), option.commands.end(),
                                              command) == option.commands.end()) {
      return QStringLiteral("%1 does not apply to %2").arg(qs(name), arguments.command);
    }
  }
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  if (tadjust::history_tool::isReportCommand(argc, argv))
    return tadjust::history_tool::runReport(argc, argv);
  QCoreApplication application(argc, argv);
  // T-adjust's data folder: ~/.local/share/T-adjust.
  QCoreApplication::setApplicationName(QStringLiteral("T-adjust"));
  const std::variant<Arguments, QString> parsed = parseArguments(QCoreApplication::arguments());
  if (const QString* wrong = std::get_if<QString>(&parsed)) {
    std::fprintf(stderr, "t-adjust-history: %s\n(t-adjust-history --help shows how it is used)\n",
                 wrong->toUtf8().constData());
    return kCannotRun;
  }
  const Arguments& arguments = std::get<Arguments>(parsed);
  if (arguments.help) {
    print(usage());
    return kDone;
  }
  HistoryDatabase database;
  const OpenResult opened = database.openReadOnly(arguments.database);
  if (opened.problem == HistoryProblem::NewerSchema) {
    if (arguments.command == QLatin1String("verify")) {
      return cannotRead(arguments.database,
                        QStringLiteral("written by a newer T-adjust (schema %1); this one checks "
                                       "schema %2")
                            .arg(opened.detail)
                            .arg(kSchemaVersion));
    }
  } else if (opened.problem != HistoryProblem::None) {
    return cannotRead(arguments.database, opened.detail);
  }
  const auto command = std::find_if(commands().begin(), commands().end(), [&](const Command& c) {
    return qs(c.name) == arguments.command;
  });
  return command->run(database, arguments);
}
