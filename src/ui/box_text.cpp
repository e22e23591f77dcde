#include "ui/box_text.h"

#include <algorithm>

namespace tadjust {

void setBoxText(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(0);
}

void setBoxTextWhole(QLineEdit* box, const QString& text, int typingLimit) {
  // A lower limit would cut the text; set it first.
  box->setMaxLength(std::max(typingLimit, static_cast<int>(text.size())));
  setBoxText(box, text);
}

}  // namespace tadjust
