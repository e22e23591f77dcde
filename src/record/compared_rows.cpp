#include <algorithm>
#include <map>

#include "record/device_record.h"
#include "view/settings_rows.h"
#include "view/settings_view.h"

namespace tadjust {

namespace {

using Image = std::array<std::uint8_t, kSettingsImageSize>;

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

struct RecordedRead {
  DeviceRead read;
  LaidOutModel model;
};

RecordedRead recordedRead(const Image& image) {
  const SettingsImages images = imagesOfRead(image);
  const LaidOutModel model = laidOutModelOf(images.ProductCode());
  return {deviceReadOf(images, model), model};
}

}  // namespace

std::vector<ShownRow> recordedRows(const SettingsImages& images, const LaidOutModel& model,
                                   bool english) {
  return shownRowsOf(
      deviceGroupRows(deviceReadOf(images, model), model, SettingsWording::document(english)),
      english);
}

std::vector<ShownRow> recordedRows(const Image& image, bool english) {
  const RecordedRead read = recordedRead(image);
  return shownRowsOf(deviceGroupRows(read.read, read.model, SettingsWording::document(english)),
                     english);
}

std::vector<ComparedRow> compareReads(const std::optional<Image>& foundImage,
                                      const std::optional<Image>& leftImage, bool english,
                                      const QString& notRead) {
  const SettingsWording wording = SettingsWording::document(english);
  const std::optional<RecordedRead> found =
      foundImage ? std::optional(recordedRead(*foundImage)) : std::nullopt;
  const std::optional<RecordedRead> left =
      leftImage ? std::optional(recordedRead(*leftImage)) : std::nullopt;

  // Fields compare as values only between reads of one model.
  std::vector<SettingsField> differing;
  bool otherDevice = false;
  if (found && left) {
    otherDevice = found->read.productCode != left->read.productCode ||
                  found->read.serialNumber != left->read.serialNumber;
    if (found->read.productCode == left->read.productCode)
      differing = differingFields(found->read.settings, left->read.settings, found->model);
  }
  const auto rowChanged = [&](const DeviceGroupRow& row) {
    if (!found || !left) return left.has_value();
    if (row.fields.empty() || found->read.productCode != left->read.productCode) return otherDevice;
    return std::any_of(row.fields.begin(), row.fields.end(), [&](SettingsField f) {
      return std::find(differing.begin(), differing.end(), f) != differing.end();
    });
  };

  std::map<int, ComparedRow> rows;
  if (found) {
    for (const DeviceGroupRow& row : deviceGroupRows(found->read, found->model, wording))
      rows[row.row] = {row.text.caption, shownValue(row, english), {}, left && rowChanged(row)};
  }
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
      compared.asLeft = shownValue(row, english);
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

}  // namespace tadjust
