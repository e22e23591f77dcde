#pragma once

// Whether an edit box, as painted, shows the start of its text: it must paint its first
// characters where a box of the same size showing only those characters paints them.

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QString>
#include <algorithm>

namespace tadjust::testing {

// prefix: the first characters of the box's text, few enough to fit the box unscrolled.
inline bool paintsFromItsStart(QLineEdit* box, const QString& prefix) {
  QLineEdit twin;
  twin.setFont(box->font());
  twin.setReadOnly(box->isReadOnly());
  twin.setEnabled(box->isEnabled());
  twin.setAlignment(box->alignment());
  twin.setFixedSize(box->size());
  twin.setText(prefix);
  const QImage shown = box->grab().toImage();
  const QImage expected = twin.grab().toImage();
  if (shown.size() != expected.size()) return false;
  // The prefix starts after the frame and margin, so the columns up to its advance hold nothing
  // of the character after it.
  const int columns = std::min(shown.width(), QFontMetrics(box->font()).horizontalAdvance(prefix));
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < columns - 2; ++x)
      if (shown.pixel(x, y) != expected.pixel(x, y)) return false;
  return true;
}

}  // namespace tadjust::testing
