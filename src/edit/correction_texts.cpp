#include "edit/correction_texts.h"

#include "edit/group_fields.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"

namespace tadjust {

namespace {

// %1 the row's caption, %2 the text before, %3 the text after.
constexpr BilingualText kCorrected{"%1: \"%2\" changed to %3.", "%1: \"%2\" zmieniono na %3."};
// %4 the tag field's length in characters.
constexpr BilingualText kTagCorrected{
    "%1: \"%2\" changed to \"%3\": the device holds %4 characters of the Central European code "
    "page.",
    "%1: \"%2\" zmieniono na \"%3\": urządzenie mieści %4 znaków ze środkowoeuropejskiej strony "
    "kodowej."};
// A grouping ("4.000"): %3 is the system's decimal separator.
constexpr BilingualText kGrouped{
    "%1: \"%2\" was not read as a number: the decimal separator is \"%3\" and digits are not "
    "grouped.",
    "%1: „%2” nie jest liczbą: separatorem dziesiętnym jest „%3”, cyfr się nie grupuje."};
constexpr BilingualText kMore{"+%1 more", "+%1 więcej"};

}  // namespace

QString correctionText(const Form1& form, Layout layout, const QLineEdit* box,
                       const QString& before, const QString& after) {
  const QString caption = rowCaption(form, box);
  if (box == form.Edit5) {
    // One arg() for all: a "%1" the user typed into the tag must stay text.
    return kTagCorrected.in(form.UseEnglish)
        .arg(caption, before, after, QString::number(particularsOf(layout).tag.width));
  }
  // "4.000" typed for 4 000 would otherwise be taken for 4,000 without a word.
  if (number_text::isGrouping(before)) {
    return kGrouped.in(form.UseEnglish)
        .arg(caption, before, QString(QLatin1Char(number_text::systemDecimalSeparator())));
  }
  return kCorrected.in(form.UseEnglish).arg(caption, before, after);
}

QString firstOfCorrections(const QStringList& corrections, bool useEnglish) {
  if (corrections.isEmpty()) return {};
  if (corrections.size() == 1) return corrections.front();
  return corrections.front() + QLatin1Char(' ') + kMore.in(useEnglish).arg(corrections.size() - 1);
}

}  // namespace tadjust
