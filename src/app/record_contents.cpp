#include "app/record_contents.h"

#include <algorithm>
#include <map>

#include "app/computer_user.h"
#include "image/device_identity.h"
#include "image/layout.h"
#include "image/stored_linearisation.h"
#include "record/record_texts.h"
#include "ui/window_texts.h"
#include "view/settings_rows.h"

namespace tadjust {

namespace {

SettingsWording wordingOf(const RecordSources& s) {
  return SettingsWording::document(s.form.UseEnglish);
}

QString shownValue(const DeviceGroupRow& row, bool english) {
  if (row.checked) return row.text.value + QLatin1Char(' ') + checkBoxText(*row.checked, english);
  return row.text.valueWithUnit();
}

std::vector<ShownRow> shownRowsOf(const std::vector<DeviceGroupRow>& rows, bool english) {
  std::vector<ShownRow> shown;
  for (const DeviceGroupRow& row : rows) {
    shown.push_back({row.row, row.text.caption, row.text.value,
                     row.checked ? checkBoxText(*row.checked, english) : row.text.unit});
  }
  return shown;
}

RecordIdentity identityOf(const RecordSources& s) {
  const Layout layout = s.view.model.layout;
  const DeviceIdentity device = identifyDevice(s.images, layout, 0);
  return {QString::fromStdString(s.view.modelLabel), QString::number(device.productCode),
          QString::number(device.serialNumber),
          QString::fromStdString(particularsOf(layout).tag.get(readCopy(layout, s.images))),
          s.form.Edit18->text()};
}

struct RecordedRead {
  DeviceRead read;
  LaidOutModel model;
};

RecordedRead recordedRead(const std::array<std::uint8_t, kSettingsImageSize>& image) {
  const SettingsImages images = imagesOfRead(image);
  const LaidOutModel model = laidOutModelOf(images.ProductCode());
  return {deviceReadOf(images, model), model};
}

// Row by row of the device group: a row shown on one side only reads "—" on the other. A row is
// changed when a value it shows differs, compared as values.
std::vector<ComparedRow> compareRows(const RecordedRead& found,
                                     const std::optional<RecordedRead>& left,
                                     const SettingsWording& wording, const QString& notRead) {
  const bool en = wording.english;
  std::vector<SettingsField> differing;
  bool otherDevice = false;
  if (left) {
    differing = differingFields(found.read.settings, left->read.settings, found.model);
    otherDevice = found.read.productCode != left->read.productCode ||
                  found.read.serialNumber != left->read.serialNumber;
  }
  const auto rowChanged = [&](const DeviceGroupRow& row) {
    if (row.fields.empty()) return otherDevice;
    return std::any_of(row.fields.begin(), row.fields.end(), [&](SettingsField f) {
      return std::find(differing.begin(), differing.end(), f) != differing.end();
    });
  };

  std::map<int, ComparedRow> rows;
  for (const DeviceGroupRow& row : deviceGroupRows(found.read, found.model, wording))
    rows[row.row] = {row.text.caption, shownValue(row, en), {}, left && rowChanged(row)};
  // A row that another sensor words otherwise ("Sensor connection" and "Cold junction comp.")
  // names both.
  if (left) {
    for (const DeviceGroupRow& row : deviceGroupRows(left->read, left->model, wording)) {
      ComparedRow& compared = rows[row.row];
      if (compared.caption.isEmpty()) {
        compared.caption = row.text.caption;
      } else if (compared.caption != row.text.caption) {
        compared.caption += QStringLiteral(" / ") + row.text.caption;
      }
      compared.asLeft = shownValue(row, en);
      compared.changed = compared.changed || rowChanged(row);
    }
  }
  std::vector<ComparedRow> result;
  for (auto& [index, row] : rows) {
    if (row.asFound.isEmpty()) row.asFound = QStringLiteral("—");
    if (!left) {
      row.asLeft = notRead;
    } else if (row.asLeft.isEmpty()) {
      row.asLeft = QStringLiteral("—");
    }
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
  const SettingsWording wording = wordingOf(s);
  std::optional<RecordedRead> left;
  if (verification != Verification::NoReadBack && writes->asLeft)
    left = recordedRead(*writes->asLeft);
  return WriteByThisLink{compareRows(recordedRead(writes->asFound), left, wording,
                                     record_texts::NotRead.in(wording.english)),
                         verification};
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
  record.settings =
      shownRowsOf(deviceGroupRows(deviceReadOf(s.images, s.view.model), s.view.model, wordingOf(s)),
                  s.form.UseEnglish);
  record.write = writeOf(s);
  record.characteristic = characteristicOf(s);
  return record;
}

}  // namespace tadjust
