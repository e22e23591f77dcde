#include "ui/status_line.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <limits>

namespace tadjust {

namespace {

const QString kClosingDots = QStringLiteral("...");
constexpr QChar kNoBreakSpace{0x00A0};
constexpr QChar kZeroWidthSpace{0x200B};
// A word longer than this (a file name: "RKA-49-21017-TT-101-2026-12-10-0905.tadj") may break
// after its dashes, dots and underscores; shorter ones ("RKA-49") stay whole.
constexpr qsizetype kLongWord = 16;

// Lets the long words of a text break after their dashes, dots and underscores.
QString breakingLongWords(const QString& text) {
  QString laidOut;
  qsizetype wordStart = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != u' ') continue;
    const QString word = text.mid(wordStart, i - wordStart);
    if (word.size() > kLongWord) {
      for (qsizetype j = 0; j < word.size(); ++j) {
        laidOut += word[j];
        const bool breaksAfter = word[j] == u'-' || word[j] == u'.' || word[j] == u'_';
        if (breaksAfter && j + 1 < word.size()) laidOut += kZeroWidthSpace;
      }
    } else {
      laidOut += word;
    }
    if (i < text.size()) laidOut += text[i];
    wordStart = i + 1;
  }
  return laidOut;
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) { setWordWrap(true); }

QString StatusLine::laidOutText() const {
  QString laidOut = breakingLongWords(text());
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
