#pragma once

// Texts the program puts into edit boxes. A QLineEdit keeps its cursor at the end of a text set
// by program code and scrolls the text so that the cursor stays in view: a number longer than
// the box ("0,0333333333333333") would read "33333333333". Every box the program writes is
// written through here, so it shows the text from its first character.

#include <QLineEdit>
#include <QString>

namespace tadjust {

// Sets the text and shows it from its first character.
void setBoxText(QLineEdit* box, const QString& text);

// The same for a box whose user may type at most typingLimit characters while the program shows
// longer texts whole (a device's tag holds more characters than the user may type): the box's
// limit rises to the text's length for as long as it shows that text, and stays at typingLimit
// for a text that fits.
void setBoxTextWhole(QLineEdit* box, const QString& text, int typingLimit);

}  // namespace tadjust
