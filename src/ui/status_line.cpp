#include "ui/status_line.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <limits>

namespace tadjust {

namespace {

const QString kClosingDots = QStringLiteral("...");
constexpr QChar kNoBreakSpace{0x00A0};

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) { setWordWrap(true); }

QString StatusLine::laidOutText() const {
  QString laidOut = text();
  if (!laidOut.endsWith(kClosingDots)) return laidOut;
  for (qsizetype i = laidOut.size() - kClosingDots.size() - 1; i >= 0 && laidOut[i] == u' '; --i)
    laidOut[i] = kNoBreakSpace;
  return laidOut;
}

int StatusLine::flags() const {
  return static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())) |
         Qt::TextWordWrap;
}

int StatusLine::heightForWidth(int width) const {
  const QMargins margins = contentsMargins();
  const int textWidth = std::max(1, width - margins.left() - margins.right());
  const QRect bounds = fontMetrics().boundingRect(
      QRect(0, 0, textWidth, std::numeric_limits<int>::max() / 2), flags(), laidOutText());
  return bounds.height() + margins.top() + margins.bottom();
}

QSize StatusLine::sizeHint() const {
  const QSize hint = QLabel::sizeHint();
  return {hint.width(), heightForWidth(hint.width())};
}

QSize StatusLine::minimumSizeHint() const {
  const QSize hint = QLabel::minimumSizeHint();
  return {hint.width(), heightForWidth(hint.width())};
}

void StatusLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), flags(), palette(), isEnabled(), laidOutText(),
                        foregroundRole());
}

}  // namespace tadjust
