#include "app/write_changes.h"

#include <algorithm>

#include "image/device_settings.h"

namespace tadjust {

namespace {

// The read as it would be with the block stored: the block stands at the start of the bytes a
// write is compared with (the image, or the small layout's copy).
SettingsImages withBlockStored(SettingsImages images, Layout layout, ConstBytes sent) {
  Bytes stored = layout == Layout::Indicator  ? Bytes(images.IndicatorCopy)
                 : layout == Layout::Humidity ? Bytes(images.HumidityCopy)
                                              : Bytes(images.SettingsImage);
  std::copy_n(sent.begin(), std::min(sent.size(), stored.size()), stored.begin());
  return images;
}

QString textOf(const DeviceSettings& settings, SettingsField field) {
  return QString::fromStdString(fieldText(settings, field));
}

}  // namespace

std::vector<history::FieldChange> changesOfWrite(const SettingsImages& images,
                                                 const LaidOutModel& model, ConstBytes sent) {
  const DeviceSettings before = decodeSettings(images, model);
  const DeviceSettings after = decodeSettings(withBlockStored(images, model.layout, sent), model);
  std::vector<history::FieldChange> changes;
  for (const SettingsField field : differingFields(before, after, model)) {
    changes.push_back({QString::fromUtf8(fieldInfo(field).key.data(),
                                         static_cast<qsizetype>(fieldInfo(field).key.size())),
                       textOf(before, field), textOf(after, field)});
  }
  return changes;
}

}  // namespace tadjust
