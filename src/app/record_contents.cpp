#include "app/record_contents.h"

#include <QDir>
#include <map>

#include "edit/copy_record.h"
#include "image/layout.h"
#include "image/stored_linearisation.h"
#include "record/record_texts.h"
#include "ui/window_texts.h"
#include "view/device_rows_of_read.h"

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace tadjust {

namespace {

QString valueWithUnit(const ShownRow& row) {
  return row.unit.isEmpty() ? row.value : row.value + QLatin1Char(' ') + row.unit;
}

RecordIdentity identityOf(const RecordSources& s) {
  const Layout layout = s.view.model.layout;
  const DeviceIdentity device = identifyDevice(s.images, layout, 0);
  return {QString::fromStdString(s.form.currentModel()), QString::number(device.productCode),
          QString::number(device.serialNumber),
          QString::fromStdString(particularsOf(layout).tag.get(readCopy(layout, s.images))),
          s.form.Edit18->text()};
}

// Row by row of the device group: a row shown on one side only reads "—" on the other.
std::vector<ComparedRow> compareRows(const std::vector<ShownRow>& found,
                                     const std::vector<ShownRow>& left, const QString& notRead) {
  std::map<int, ComparedRow> rows;
  for (const ShownRow& row : found) rows[row.row] = {row.caption, valueWithUnit(row), {}, false};
  // A row that another sensor words otherwise ("Sensor connection" and "Cold junction comp.")
  // names both.
  for (const ShownRow& row : left) {
    ComparedRow& compared = rows[row.row];
    if (compared.caption.isEmpty()) {
      compared.caption = row.caption;
    } else if (compared.caption != row.caption) {
      compared.caption += QStringLiteral(" / ") + row.caption;
    }
    compared.asLeft = valueWithUnit(row);
  }
  std::vector<ComparedRow> result;
  for (auto& [index, row] : rows) {
    if (row.asFound.isEmpty()) row.asFound = QStringLiteral("—");
    if (left.empty()) {
      row.asLeft = notRead;
    } else if (row.asLeft.isEmpty()) {
      row.asLeft = QStringLiteral("—");
    }
    row.changed = !left.empty() && row.asFound != row.asLeft;
    result.push_back(row);
  }
  return result;
}

// This link's write of the device the window shows, once its read-back has ended. A read-back
// from another device leaves the device shown unwritten by this link.
std::optional<WriteByThisLink> writeOf(const RecordSources& s) {
  const std::optional<LinkWrites>& writes = s.write.linkWrites;
  if (!writes || writes->linkNumber != s.exchange.linkNumber) return std::nullopt;
  const DeviceIdentity shown = identifyDevice(s.images, s.view.model.layout, 0);
  if (writes->device != WrittenDevice{shown.productCode, shown.serialNumber}) return std::nullopt;

  Verification verification = Verification::Verified;
  switch (writes->outcome) {
    case WriteOutcome::Verified:
      break;
    case WriteOutcome::StoredWrong:
      verification = Verification::StoredWrong;
      break;
    case WriteOutcome::NoReadBack:
      verification = Verification::NoReadBack;
      break;
    case WriteOutcome::ReadingBack:
    case WriteOutcome::OtherDevice:
      return std::nullopt;
  }
  const bool english = s.form.UseEnglish;
  const std::vector<ShownRow> found = deviceRowsOfRead(writes->asFound, english);
  const std::vector<ShownRow> left = verification == Verification::NoReadBack || !writes->asLeft
                                         ? std::vector<ShownRow>{}
                                         : deviceRowsOfRead(*writes->asLeft, english);
  return WriteByThisLink{compareRows(found, left, record_texts::NotRead.in(english)), verification};
}

std::optional<RecordCharacteristic> characteristicOf(const RecordSources& s) {
  if (s.view.model.layout != Layout::Transmitter) return std::nullopt;
  std::optional<StoredLinearisation> table =
      storedLinearisation(s.images.SettingsImage, s.view.model.series);
  if (!table) return std::nullopt;
  const QString sensor =
      window_texts::SensorTypes[static_cast<std::size_t>(entryOf(table->sensorType))].in(
          s.form.UseEnglish);
  return RecordCharacteristic{sensor, std::move(*table)};
}

}  // namespace

DeviceRecord gatherDeviceRecord(const RecordSources& s, const QDateTime& made) {
  DeviceRecord record;
  record.useEnglish = s.form.UseEnglish;
  record.made = made;
  record.program = QString::fromLatin1(window_texts::WindowCaption);
  record.userName = computerUserName();
  record.identity = identityOf(s);
  record.settingsTitle = s.form.GroupBox2->title();
  record.settings = shownRows(s.form.deviceRows(), s.form.UseEnglish);
  record.write = writeOf(s);
  record.characteristic = characteristicOf(s);
  return record;
}

QString computerUserName() {
#ifdef Q_OS_UNIX
  if (const passwd* user = getpwuid(geteuid())) return QString::fromLocal8Bit(user->pw_name);
#endif
  return QDir::home().dirName();
}

}  // namespace tadjust
