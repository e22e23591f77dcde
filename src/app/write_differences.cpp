#include "app/write_differences.h"

#include <algorithm>
#include <vector>

#include "image/device_settings.h"
#include "ui/bilingual_text.h"
#include "ui/shown_rows.h"
#include "view/settings_rows.h"

namespace tadjust {

namespace {

constexpr BilingualText kFieldDiffers{"%1: sent %2, read %3", "%1: wysłano %2, odczytano %3"};
constexpr BilingualText kOtherBytes{"Other bytes: offsets %1", "Inne bajty: adresy %1"};

// The device group's row that shows the field; null where the settings show it in no row.
const DeviceGroupRow* rowOf(const std::vector<DeviceGroupRow>& rows, SettingsField field) {
  for (const DeviceGroupRow& row : rows)
    if (std::find(row.fields.begin(), row.fields.end(), field) != row.fields.end()) return &row;
  return nullptr;
}

QString valueOf(const DeviceGroupRow* row, bool english) {
  if (row == nullptr) return QStringLiteral("–");
  if (row->checked)
    return row->text.value + QLatin1Char(' ') + checkBoxText(*row->checked, english);
  return row->text.valueWithUnit();
}

SettingsImages withBytes(const SettingsImages& images, ConstBytes bytes) {
  SettingsImages changed = images;
  std::copy(bytes.begin(), bytes.end(), changed.SettingsImage.begin());
  refreshLayoutCopies(changed);
  return changed;
}

}  // namespace

std::vector<FieldDifference> fieldDifferences(const Form1& form, const SettingsImages& readBack,
                                              ConstBytes sent, const LaidOutModel& model) {
  const bool en = form.UseEnglish;
  const SettingsWording wording = SettingsWording::document(en);
  const DeviceRead read = deviceReadOf(readBack, model);
  const DeviceRead written = deviceReadOf(withBytes(readBack, sent), model);
  const std::vector<DeviceGroupRow> readRows = deviceGroupRows(read, model, wording);
  const std::vector<DeviceGroupRow> sentRows = deviceGroupRows(written, model, wording);

  std::vector<FieldDifference> differences;
  for (const SettingsField field : differingFields(written.settings, read.settings, model)) {
    const DeviceGroupRow* readRow = rowOf(readRows, field);
    const DeviceGroupRow* sentRow = rowOf(sentRows, field);
    const QString caption = readRow   ? readRow->text.caption
                            : sentRow ? sentRow->text.caption
                                      : settingText(read.settings, field, model, wording).caption;
    differences.push_back({caption, valueOf(sentRow, en), valueOf(readRow, en)});
  }
  return differences;
}

QStringList writeDifferences(const Form1& form, const SettingsImages& readBack, ConstBytes sent,
                             const LaidOutModel& model) {
  const bool en = form.UseEnglish;
  QStringList lines;
  for (const FieldDifference& difference : fieldDifferences(form, readBack, sent, model))
    lines << kFieldDiffers.in(en).arg(difference.caption, difference.sent, difference.read);

  // A differing byte that changes no field when it alone is put back as sent is held by none.
  const DeviceSettings read = decodeSettings(readBack, model);
  QStringList otherOffsets;
  for (std::size_t offset = 0; offset < sent.size(); ++offset) {
    if (sent[offset] == readBack.SettingsImage[offset]) continue;
    SettingsImages probe = readBack;
    probe.SettingsImage[offset] = sent[offset];
    refreshLayoutCopies(probe);
    if (differingFields(decodeSettings(probe, model), read, model).empty())
      otherOffsets << QString::number(offset);
  }
  if (!otherOffsets.isEmpty())
    lines << kOtherBytes.in(en).arg(otherOffsets.join(QStringLiteral(", ")));
  return lines;
}

}  // namespace tadjust
