#pragma once

// A status line that wraps its text at word boundaries but keeps a closing "..." on the line of
// the word before it ("Write verification  ..." never leaves its dots alone on a line), and lets a
// long word such as a file name break after its dashes and dots. Its text stays exactly the
// program's; only the breaking is different.

#include <QLabel>

namespace tadjust {

class StatusLine final : public QLabel {
 public:
  explicit StatusLine(QWidget* parent = nullptr);

  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The text as it is laid out: the spaces before a closing "..." do not break; a long word may
  // break after a dash, a dot or an underscore.
  QString laidOutText() const;
  int flags() const;
};

}  // namespace tadjust
