#include "record/history_record.h"

#include <QTimeZone>
#include <algorithm>

#include "catalogue/device_catalogue.h"
#include "image/stored_linearisation.h"
#include "record/record_texts.h"
#include "ui/window_texts.h"
#include "view/settings_view.h"

namespace tadjust {

namespace {

using Image = std::array<std::uint8_t, kSettingsImageSize>;

std::optional<Image> imageOf(const std::optional<QByteArray>& bytes) {
  if (!bytes || bytes->size() != static_cast<qsizetype>(kSettingsImageSize)) return std::nullopt;
  Image image{};
  std::copy(bytes->begin(), bytes->end(), image.begin());
  return image;
}

// How the write ended, as the record says it. The read-back of another device, or none, leaves
// the device written unread.
Verification verificationOf(const history::WriteRow& row) {
  const std::optional<history::Outcome> outcome =
      row.outcome ? history::outcomeNamed(row.outcome->toStdString()) : std::nullopt;
  if (outcome == history::Outcome::Verified) return Verification::Verified;
  if (outcome == history::Outcome::StoredWrong) return Verification::StoredWrong;
  return Verification::NoReadBack;
}

QString deviceGroupTitle(bool english) { return window_texts::DeviceGroupTitle.in(english); }

QDateTime localTime(const QString& historyTime) {
  QDateTime moment = QDateTime::fromString(historyTime, Qt::ISODateWithMs);
  return moment.isValid() ? moment.toLocalTime() : moment;
}

}  // namespace

std::optional<RecordCharacteristic> recordCharacteristic(ConstBytes image,
                                                         const LaidOutModel& model,
                                                         bool useEnglish) {
  if (model.layout != Layout::Transmitter) return std::nullopt;
  std::optional<StoredLinearisation> table = storedLinearisation(image, model.series);
  if (!table) return std::nullopt;
  const QString sensor =
      window_texts::SensorTypes[static_cast<std::size_t>(entryOf(table->sensorType))].in(
          useEnglish);
  return RecordCharacteristic{sensor, std::move(*table)};
}

DeviceRecord recordOfHistoryRow(const history::WriteRow& row, bool useEnglish) {
  DeviceRecord record;
  record.useEnglish = useEnglish;
  record.made = localTime(row.completedAt.value_or(row.writtenAt));
  record.program = QStringLiteral("T-adjust v.") + row.programVersion;
  record.userName = row.user;
  record.identity = {row.model, QString::number(row.productCode), QString::number(row.serialNumber),
                     row.tag, row.port};
  record.settingsTitle = deviceGroupTitle(useEnglish);

  WriteByThisLink write;
  write.fromHistory = true;
  write.verification = verificationOf(row);
  if (row.sequence && row.hash) write.anchor = RecordAnchor{*row.sequence, *row.hash};

  const std::optional<Image> found = imageOf(row.asFound);
  const std::optional<Image> left =
      write.verification == Verification::NoReadBack ? std::nullopt : imageOf(row.asLeft);
  write.rows = compareReads(found, left, useEnglish, record_texts::NotRead.in(useEnglish));
  record.write = std::move(write);

  // The device as it stands after the write: the read-back, else the read before it.
  const std::optional<Image>& shown = left ? left : found;
  if (shown) {
    record.settings = recordedRows(*shown, useEnglish);
    const LaidOutModel model =
        laidOutModel(row.model.toStdString(), series(static_cast<std::uint16_t>(row.productCode)));
    record.characteristic = recordCharacteristic(*shown, model, useEnglish);
  }
  return record;
}

}  // namespace tadjust
