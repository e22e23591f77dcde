#include "view/settings_differences.h"

#include <algorithm>
#include <vector>

#include "ui/bilingual_text.h"
#include "ui/form1.h"
#include "ui/window_events.h"
#include "view/image_decoder.h"
#include "view/settings_view.h"

namespace tadjust {

namespace {

constexpr BilingualText kFieldDiffers{"%1: sent %2, read %3", "%1: wysłano %2, odczytano %3"};
constexpr BilingualText kOtherBytes{"Other bytes: offsets %1", "Inne bajty: adresy %1"};

// The decoding is done on a window of its own, never shown: nothing waits for it.
class NoWindowEvents final : public WindowEvents {
 public:
  void processPendingMessages() override {}
  void requestTerminate() override {}
};

struct ShownRow {
  QString caption;
  QString value;
  friend bool operator==(const ShownRow&, const ShownRow&) = default;
};

QString captionWithoutColon(const QLabel* caption) {
  QString text = caption->text().trimmed();
  if (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text.trimmed();
}

// A row's value as the device group shows it: the box's text, its unit, an alarm's check box.
QString shownValue(const FormRow& row) {
  QString value = static_cast<const QLineEdit*>(row.input)->text();
  if (row.unit != nullptr && !row.unit->isHidden() && !row.unit->text().isEmpty())
    value += QLatin1Char(' ') + row.unit->text();
  if (const auto* box = qobject_cast<const QCheckBox*>(row.alternateUnit); box && !box->isHidden())
    value += box->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
  return value;
}

// The device group as the decoder fills it from images, on a window laid out once.
class DeviceGroupOf {
 public:
  DeviceGroupOf(const SettingsImages& images, std::string_view modelLabel, bool useEnglish) {
    form_.UseEnglish = useEnglish;
    applyStartCaptions(form_, useEnglish);
    form_.setCurrentModel(modelLabel);
    const bool dewPoint = (humidity::HumidityUnit.get(images.HumidityCopy) & 1u) != 0;
    layOutSettingsView(form_, images.ProductCode(), dewPoint, view_, events_);
  }

  std::vector<ShownRow> rows(const SettingsImages& images) {
    DecoderState decoder;
    showDeviceSettings(form_, images, view_.model, decoder, events_);
    std::vector<ShownRow> shown;
    for (const FormRow& row : form_.deviceRows()) {
      if (row.input->isHidden()) {
        shown.push_back({});
      } else {
        shown.push_back({captionWithoutColon(row.caption), shownValue(row)});
      }
    }
    return shown;
  }

 private:
  Form1 form_;
  SettingsViewState view_;
  NoWindowEvents events_;
};

SettingsImages withBytes(const SettingsImages& images, ConstBytes bytes) {
  SettingsImages changed = images;
  std::copy(bytes.begin(), bytes.end(), changed.SettingsImage.begin());
  refreshLayoutCopies(changed);
  return changed;
}

}  // namespace

QStringList settingsDifferences(const SettingsImages& readBack, ConstBytes sent,
                                std::string_view modelLabel, bool useEnglish) {
  DeviceGroupOf group(readBack, modelLabel, useEnglish);
  const std::vector<ShownRow> read = group.rows(readBack);
  const std::vector<ShownRow> written = group.rows(withBytes(readBack, sent));

  QStringList lines;
  for (std::size_t i = 0; i < read.size(); ++i) {
    if (read[i] == written[i]) continue;
    // A row the read-back hides (another sensor type) is named as the block sent shows it.
    const QString& caption = read[i].caption.isEmpty() ? written[i].caption : read[i].caption;
    lines << kFieldDiffers.in(useEnglish).arg(caption, written[i].value, read[i].value);
  }

  // A differing byte that changes no row when it alone is put back as sent is shown by no row.
  QStringList otherOffsets;
  for (std::size_t offset = 0; offset < sent.size(); ++offset) {
    if (sent[offset] == readBack.SettingsImage[offset]) continue;
    SettingsImages probe = readBack;
    probe.SettingsImage[offset] = sent[offset];
    refreshLayoutCopies(probe);
    if (group.rows(probe) == read) otherOffsets << QString::number(offset);
  }
  if (!otherOffsets.isEmpty()) {
    lines << kOtherBytes.in(useEnglish).arg(otherOffsets.join(QStringLiteral(", ")));
  }
  return lines;
}

}  // namespace tadjust
