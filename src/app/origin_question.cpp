#include "app/origin_question.h"

#include <QStringList>

#include "app/write_differences.h"
#include "edit/copy_record.h"
#include "ui/bilingual_text.h"

namespace tadjust {

namespace {

constexpr BilingualText kCaption{"Send to device", "Wyślij do urządzenia"};
constexpr BilingualText kQuestion{"Write settings that were not copied from this device?",
                                  "Zapisać ustawienia, które nie zostały skopiowane z tego "
                                  "urządzenia?"};
constexpr BilingualText kChanges{"The device will change:", "W urządzeniu zmieni się:"};
constexpr BilingualText kNoChange{"No setting of the device changes.",
                                  "Żadne ustawienie urządzenia się nie zmieni."};
constexpr BilingualText kChange{"%1: %2 → %3", "%1: %2 → %3"};
constexpr BilingualText kWrite{"Write", "Zapisz"};

}  // namespace

OriginQuestion::OriginQuestion(Form1& form, MessageBoxes& boxes, Sources sources)
    : form_(form), boxes_(boxes), sources_(sources) {}

bool OriginQuestion::confirm(ConstBytes block) {
  const LaidOutModel& model = sources_.view.model;
  if (particularsOf(model.layout).writesOverTheCopy) return true;
  const DeviceIdentity device = identifyDevice(sources_.images, model.layout, 0);
  if (sources_.origin.isFor(device.productCode, device.serialNumber)) return true;

  const bool en = form_.UseEnglish;
  QStringList lines{kQuestion.in(en), QString()};
  const std::vector<FieldDifference> changes =
      fieldDifferences(form_, sources_.images, block, model);
  if (changes.empty()) lines << kNoChange.in(en);
  if (!changes.empty()) lines << kChanges.in(en);
  for (const FieldDifference& change : changes)
    lines << kChange.in(en).arg(change.caption, change.read, change.sent);
  return boxes_.confirm(kCaption.in(en), lines.join(QLatin1Char('\r')), kWrite.in(en)) ==
         Answer::Ok;
}

}  // namespace tadjust
