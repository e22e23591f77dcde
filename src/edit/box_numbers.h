#pragma once

// The number texts the editing writes into the edit boxes, and how it reads them: the system's
// decimal separator, no group separators; integer text or the general format with up to 15
// significant digits.

#include <QLineEdit>
#include <QString>
#include <cmath>

#include "edit/value_checks.h"
#include "numbers/number_text.h"
#include "ui/box_text.h"

namespace tadjust::box_numbers {

// The box's text read as a number; nothing when it is not one.
inline Typed read(const QLineEdit* box) { return number_text::readReal(box->text()); }

// Integer text of an integral value. A value beyond the integers a double holds exactly (only a
// humidity partner box, which is not clamped, can get one) is written in the general format.
inline QString integerText(double integral) {
  constexpr double kLargestExactInteger = 9007199254740992.0;  // 2^53
  if (std::fabs(integral) <= kLargestExactInteger) {
    return number_text::integer(static_cast<long long>(integral));
  }
  return number_text::general(integral);
}

inline QString text(const ShownNumber& number) {
  return number.form == NumberForm::Integer ? integerText(number.value)
                                            : number_text::general(number.value);
}

// Shown from the first character, as every text the program writes into a box.
inline void show(QLineEdit* box, const QString& text) { setBoxText(box, text); }

inline void show(QLineEdit* box, const ShownNumber& number) { show(box, text(number)); }

}  // namespace tadjust::box_numbers
