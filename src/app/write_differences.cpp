#include "app/write_differences.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "edit/group_fields.h"
#include "image/device_settings.h"
#include "ui/bilingual_text.h"
#include "ui/shown_rows.h"
#include "view/device_rows_of_read.h"

namespace tadjust {

namespace {

constexpr BilingualText kFieldDiffers{"%1: sent %2, read %3", "%1: wysłano %2, odczytano %3"};
constexpr BilingualText kOtherBytes{"Other bytes: offsets %1", "Inne bajty: adresy %1"};

// The device group's rows begin with the product code and the serial number; then each stands
// beside the editable group's row that edits the same field.
constexpr int kDeviceRowsAbove = 2;

std::optional<int> deviceRowOf(const Form1& form, Layout layout, SettingsField field) {
  const QWidget* control = controlOf(form, layout, field);
  if (control == nullptr) return std::nullopt;
  const auto rows = form.editableRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::vector<QWidget*> controls = rows[i].controls();
    if (std::find(controls.begin(), controls.end(), control) != controls.end())
      return static_cast<int>(i) + kDeviceRowsAbove;
  }
  return std::nullopt;
}

const ShownRow* rowAt(const std::vector<ShownRow>& rows, int row) {
  for (const ShownRow& shown : rows)
    if (shown.row == row) return &shown;
  return nullptr;
}

QString valueOf(const ShownRow* row) {
  if (row == nullptr) return QStringLiteral("–");
  return row->unit.isEmpty() ? row->value : row->value + QLatin1Char(' ') + row->unit;
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
  const SettingsImages written = withBytes(readBack, sent);
  const DeviceSettings read = decodeSettings(readBack, model);
  const std::vector<ShownRow> readRows = deviceRowsOfRead(readBack.SettingsImage, en);
  const std::vector<ShownRow> sentRows = deviceRowsOfRead(written.SettingsImage, en);

  std::vector<FieldDifference> differences;
  for (const SettingsField field : differingFields(decodeSettings(written, model), read)) {
    const std::optional<int> row = deviceRowOf(form, model.layout, field);
    const ShownRow* readRow = row ? rowAt(readRows, *row) : nullptr;
    const ShownRow* sentRow = row ? rowAt(sentRows, *row) : nullptr;
    const ShownRow* named = readRow ? readRow : sentRow;
    const QString caption = named ? named->caption : fieldCaption(form, model.layout, field);
    differences.push_back({caption, valueOf(sentRow), valueOf(readRow)});
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
    if (decodeSettings(probe, model) == read) otherOffsets << QString::number(offset);
  }
  if (!otherOffsets.isEmpty())
    lines << kOtherBytes.in(en).arg(otherOffsets.join(QStringLiteral(", ")));
  return lines;
}

}  // namespace tadjust
