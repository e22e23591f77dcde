#include "ui/controls.h"

namespace tadjust {

void setShown(std::initializer_list<QWidget*> widgets, bool shown) {
  for (QWidget* widget : widgets)
    if (widget) widget->setVisible(shown);
}

void setUnit(std::initializer_list<QLabel*> labels, const char* unit) {
  for (QLabel* label : labels) label->setText(QString::fromUtf8(unit));
}

}  // namespace tadjust
