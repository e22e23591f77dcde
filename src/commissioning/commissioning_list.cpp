#include "commissioning/commissioning_list.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <map>
#include <optional>

#include "catalogue/device_catalogue.h"
#include "image/layout.h"
#include "numbers/decimal.h"
#include "numbers/number_text.h"

namespace tadjust {

namespace {

using F = SettingsField;

struct Record {
  int line = 0;  // where the record starts
  QStringList cells;
};

// The separator a spreadsheet saved the list with: the one of the two the header row holds more
// of, outside quotes (a Polish spreadsheet writes ";", an English one ",").
QChar separatorOf(const QString& text) {
  int commas = 0;
  int semicolons = 0;
  bool quoted = false;
  for (const QChar c : text) {
    if (c == QLatin1Char('"')) quoted = !quoted;
    if (quoted) continue;
    if (c == QLatin1Char('\n')) break;
    if (c == QLatin1Char(',')) ++commas;
    if (c == QLatin1Char(';')) ++semicolons;
  }
  return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

// RFC 4180 records: quoted cells, doubled quotes, line breaks inside quotes; LF or CR LF between
// records. nullopt when a quote is never closed (its line in `openLine`).
std::optional<std::vector<Record>> recordsOf(const QString& text, QChar separator, int& openLine) {
  std::vector<Record> records;
  Record record{1, {}};
  QString cell;
  bool quoted = false;
  int line = 1;
  int quoteLine = 0;
  const auto endRecord = [&] {
    record.cells << cell;
    records.push_back(record);
    record = Record{line, {}};
    cell.clear();
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
        cell += c;
        ++i;
      } else if (c == QLatin1Char('"')) {
        quoted = false;
      } else {
        if (c == QLatin1Char('\n')) ++line;
        cell += c;
      }
    } else if (c == QLatin1Char('"')) {
      quoted = true;
      quoteLine = line;
    } else if (c == separator) {
      record.cells << cell;
      cell.clear();
    } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
      continue;
    } else if (c == QLatin1Char('\n')) {
      ++line;
      endRecord();
    } else {
      cell += c;
    }
  }
  if (quoted) {
    openLine = quoteLine;
    return std::nullopt;
  }
  if (!cell.isEmpty() || !record.cells.isEmpty()) endRecord();
  return records;
}

// The line of the first byte that is not UTF-8; 0 when every byte is.
int firstNonUtf8Line(const QByteArray& bytes) {
  const QList<QByteArray> lines = bytes.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(lines[i]);
    if (decoder.hasError()) return static_cast<int>(i) + 1;
  }
  return 0;
}

enum class ColumnKind { Tag, Settings, Model, Setting };

struct Column {
  ColumnKind kind = ColumnKind::Setting;
  SettingsField field = F::Tag;  // ColumnKind::Setting
  QString header;
};

std::optional<Column> columnNamed(const QString& header) {
  const auto is = [&](const char* name) {
    return header.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
  };
  if (is("tag")) return Column{ColumnKind::Tag, F::Tag, header};
  if (is("settings")) return Column{ColumnKind::Settings, F::Tag, header};
  if (is("model")) return Column{ColumnKind::Model, F::Tag, header};
  for (int i = 0; i <= static_cast<int>(F::Tag); ++i) {
    const auto field = static_cast<SettingsField>(i);
    if (field != F::Tag && is(std::string(fieldInfo(field).key).c_str()))
      return Column{ColumnKind::Setting, field, header};
  }
  return std::nullopt;
}

bool isFlag(SettingsField field) {
  return field == F::OutputReversed || field == F::FailureHigh || field == F::AlarmLowOn ||
         field == F::AlarmHighOn;
}

bool isNumber(SettingsField field) {
  const SettingsUnit unit = fieldInfo(field).unit;
  return unit != SettingsUnit::None;
}

// A number as a spreadsheet of either language saves it: "0.5" or "0,5". A comma followed by
// exactly three digits could be a thousands' grouping ("1,000") and is no number.
std::optional<std::string> numberText(const QString& cell) {
  QString text = cell;
  if (text.contains(QLatin1Char(','))) {
    if (text.contains(QLatin1Char('.')) || text.count(QLatin1Char(',')) != 1) return std::nullopt;
    if (text.size() - text.indexOf(QLatin1Char(',')) - 1 == 3) return std::nullopt;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
  }
  if (!Decimal::parse(text.toStdString())) return std::nullopt;
  return text.toStdString();
}

// A cell's text in the form setFieldText takes: numbers with a point, flags "true" or "false"
// (a spreadsheet's TRUE / FALSE as well), names as they are.
std::optional<std::string> settingText(SettingsField field, const QString& cell) {
  if (isNumber(field)) return numberText(cell);
  if (isFlag(field)) {
    if (cell.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return "true";
    if (cell.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return "false";
    return std::nullopt;
  }
  return cell.toStdString();
}

// Whether the device stores the tag as it is: no longer than its field, every character in the
// device's code page.
bool tagStorable(const std::string& tag, Layout layout) {
  const TextField field = particularsOf(layout).tag;
  std::vector<std::uint8_t> bytes(field.offset + field.width, 0);
  field.set(Bytes(bytes.data(), bytes.size()), tag);
  return field.get(ConstBytes(bytes.data(), bytes.size())) == tag;
}

using SettingsFileResult = std::variant<SettingsFileContents, SettingsFileProblem>;

SettingsFileResult loadSettingsFile(const QString& path) {
  using K = SettingsFileProblem::Kind;
  const QFileInfo info(path);
  if (!info.isFile()) return SettingsFileProblem{K::NotARegularFile, {}, {}};
  if (info.size() > kLargestSettingsFile) return SettingsFileProblem{K::TooLarge, {}, {}};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return SettingsFileProblem{K::Unreadable, file.errorString(), {}};
  const QByteArray bytes = file.read(kLargestSettingsFile + 1);
  if (bytes.size() > kLargestSettingsFile) return SettingsFileProblem{K::TooLarge, {}, {}};
  SettingsFileReading reading = readSettingsFile(bytes);
  if (const auto* error = std::get_if<SettingsFileError>(&reading))
    return SettingsFileProblem{K::Content, {}, *error};
  return std::get<SettingsFileContents>(std::move(reading));
}

class ListReader {
 public:
  explicit ListReader(const QDir& folder) : folder_(folder) {}

  CommissioningListReading read(const QByteArray& bytes);

 private:
  void fault(int line, int column, ListFaultKind kind, const QString& detail = {},
             SettingsFileProblem problem = {}) {
    const QString header = column > 0 && column <= static_cast<int>(columns_.size())
                               ? columns_[static_cast<std::size_t>(column - 1)].header
                               : QString();
    faults_.push_back({line, column, header, kind, detail, problem});
  }
  bool readHeader(const Record& header);
  void readRow(const Record& record);
  const SettingsFileResult& settingsFile(const QString& name);
  int columnOf(ColumnKind kind, SettingsField field = F::Tag) const;
  QString cellOf(const Record& record, int column) const;

  QDir folder_;
  std::vector<Column> columns_;
  std::vector<ListFault> faults_;
  std::vector<CommissioningRow> rows_;
  std::map<QString, int> tagLines_;
  std::map<QString, SettingsFileResult> files_;
};

int ListReader::columnOf(ColumnKind kind, SettingsField field) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].kind == kind && (kind != ColumnKind::Setting || columns_[i].field == field))
      return static_cast<int>(i) + 1;
  return 0;
}

QString ListReader::cellOf(const Record& record, int column) const {
  if (column <= 0 || column > record.cells.size()) return {};
  return record.cells[column - 1].trimmed();
}

bool ListReader::readHeader(const Record& header) {
  for (qsizetype i = 0; i < header.cells.size(); ++i) {
    const QString text = header.cells[i].trimmed();
    const std::optional<Column> column = columnNamed(text);
    columns_.push_back(column.value_or(Column{ColumnKind::Setting, F::Tag, text}));
    const int number = static_cast<int>(i) + 1;
    if (!column) {
      // A spreadsheet may save empty columns after the last one used.
      if (!text.isEmpty()) fault(header.line, number, ListFaultKind::UnknownColumn, text);
      continue;
    }
    const bool repeated = std::any_of(columns_.begin(), columns_.end() - 1, [&](const Column& c) {
      return c.header.compare(text, Qt::CaseInsensitive) == 0;
    });
    if (repeated) fault(header.line, number, ListFaultKind::RepeatedColumn, text);
  }
  if (columnOf(ColumnKind::Tag) == 0) fault(header.line, 0, ListFaultKind::NoTagColumn);
  return faults_.empty();
}

const SettingsFileResult& ListReader::settingsFile(const QString& name) {
  const QString path = QFileInfo(folder_.filePath(name)).absoluteFilePath();
  auto found = files_.find(path);
  if (found == files_.end()) found = files_.emplace(path, loadSettingsFile(path)).first;
  return found->second;
}

void ListReader::readRow(const Record& record) {
  const int line = record.line;
  const std::size_t faultsBefore = faults_.size();
  // Cells beyond the header's columns: an empty one is a spreadsheet's habit, a filled one a
  // value nobody would read.
  for (qsizetype i = static_cast<qsizetype>(columns_.size()); i < record.cells.size(); ++i) {
    if (!record.cells[i].trimmed().isEmpty()) {
      fault(line, static_cast<int>(i) + 1, ListFaultKind::ExtraCells, record.cells[i].trimmed());
      break;
    }
  }
  // An empty header's column holds nothing either.
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].header.isEmpty() && !cellOf(record, static_cast<int>(i) + 1).isEmpty())
      fault(line, static_cast<int>(i) + 1, ListFaultKind::UnknownColumn, {});
  }

  CommissioningRow row;
  row.line = line;
  const int tagColumn = columnOf(ColumnKind::Tag);
  row.tag = cellOf(record, tagColumn);
  if (row.tag.isEmpty()) {
    fault(line, tagColumn, ListFaultKind::NoTag);
  } else if (const auto first = tagLines_.find(row.tag); first != tagLines_.end()) {
    fault(line, tagColumn, ListFaultKind::RepeatedTag, QString::number(first->second));
  } else {
    tagLines_.emplace(row.tag, line);
  }

  const int settingsColumn = columnOf(ColumnKind::Settings);
  row.settingsFile = cellOf(record, settingsColumn);
  if (row.settingsFile.isEmpty()) {
    fault(line, settingsColumn, ListFaultKind::NoSettings);
    return;
  }
  if (!QFileInfo::exists(folder_.filePath(row.settingsFile))) {
    fault(line, settingsColumn, ListFaultKind::MissingFile, row.settingsFile);
    return;
  }
  const SettingsFileResult& file = settingsFile(row.settingsFile);
  if (const auto* problem = std::get_if<SettingsFileProblem>(&file)) {
    fault(line, settingsColumn, ListFaultKind::BadSettingsFile, row.settingsFile, *problem);
    return;
  }
  const auto& contents = std::get<SettingsFileContents>(file);
  row.model = contents.model;
  row.productCode = contents.productCode;
  row.sourceSerialNumber = contents.serialNumber;
  row.settings = contents.settings;

  if (const int modelColumn = columnOf(ColumnKind::Model); modelColumn != 0) {
    const QString model = cellOf(record, modelColumn);
    if (!model.isEmpty()) {
      if (!findDeviceModelByName(model.toStdString())) {
        fault(line, modelColumn, ListFaultKind::UnknownModel, model);
      } else if (model != contents.model) {
        fault(line, modelColumn, ListFaultKind::OtherModel, contents.model);
      }
    }
  }

  // The overrides in row order: a list's meaning may depend on a field before it (the
  // connection on the sensor type).
  const Layout layout = layoutOf(row.settings);
  const std::vector<SettingsField> fields = fieldsOf(layout);
  int sensorTypeColumn = 0;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Column& column = columns_[i];
    const int number = static_cast<int>(i) + 1;
    const QString cell = cellOf(record, number);
    if (column.kind != ColumnKind::Setting || column.header.isEmpty() || cell.isEmpty()) continue;
    if (std::find(fields.begin(), fields.end(), column.field) == fields.end()) {
      fault(line, number, ListFaultKind::NotOfModel, contents.model);
      continue;
    }
    const std::optional<std::string> text = settingText(column.field, cell);
    if (!text || !setFieldText(row.settings, column.field, *text)) {
      fault(line, number, ListFaultKind::BadValue, cell);
      continue;
    }
    row.overridden.push_back(column.field);
    if (column.field == F::SensorType) sensorTypeColumn = number;
  }
  std::sort(row.overridden.begin(), row.overridden.end());
  // Another sensor type names the file's connection anew (a thermocouple's compensation is not a
  // resistance input's wiring): it must still name one.
  const bool connectionSet = std::find(row.overridden.begin(), row.overridden.end(),
                                       F::Connection) != row.overridden.end();
  if (sensorTypeColumn != 0 && !connectionSet && holdsField(contents.settings, F::Connection)) {
    const std::string connection = fieldText(contents.settings, F::Connection);
    if (!setFieldText(row.settings, F::Connection, connection))
      fault(line, sensorTypeColumn, ListFaultKind::ConflictsWithFile,
            QString::fromLatin1(fieldInfo(F::Connection).key.data(),
                                static_cast<qsizetype>(fieldInfo(F::Connection).key.size())));
  }

  if (!row.tag.isEmpty()) {
    const std::string tag = row.tag.toStdString();
    setFieldText(row.settings, F::Tag, tag);
    if (!tagStorable(tag, layout)) fault(line, tagColumn, ListFaultKind::TagNotStorable, row.tag);
  }
  if (faults_.size() == faultsBefore) rows_.push_back(std::move(row));
}

CommissioningListReading ListReader::read(const QByteArray& listBytes) {
  QByteArray bytes = listBytes;
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  if (const int line = firstNonUtf8Line(bytes); line != 0)
    return std::vector<ListFault>{{line, 0, {}, ListFaultKind::NotUtf8, {}, {}}};
  const QString text = QString::fromUtf8(bytes);
  int openLine = 0;
  const auto records = recordsOf(text, separatorOf(text), openLine);
  if (!records)
    return std::vector<ListFault>{{openLine, 0, {}, ListFaultKind::UnclosedQuote, {}, {}}};

  const auto blank = [](const Record& record) {
    return std::all_of(record.cells.begin(), record.cells.end(),
                       [](const QString& cell) { return cell.trimmed().isEmpty(); });
  };
  auto next = std::find_if_not(records->begin(), records->end(), blank);
  if (next == records->end())
    return std::vector<ListFault>{{1, 0, {}, ListFaultKind::NoHeader, {}, {}}};
  if (!readHeader(*next)) return faults_;
  const int headerLine = next->line;
  for (++next; next != records->end(); ++next)
    if (!blank(*next)) readRow(*next);
  if (faults_.empty() && rows_.empty()) fault(headerLine, 0, ListFaultKind::NoRows);
  if (!faults_.empty()) return faults_;
  return CommissioningList{std::move(rows_), listContentHash(listBytes)};
}

}  // namespace

CommissioningListReading readCommissioningList(const QByteArray& bytes, const QDir& folder) {
  return ListReader(folder).read(bytes);
}

QByteArray listContentHash(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString columnLetter(int column) {
  QString letters;
  for (int n = column; n > 0; n = (n - 1) / 26)
    letters.prepend(QChar(QLatin1Char('A').unicode() + (n - 1) % 26));
  return letters;
}

}  // namespace tadjust
