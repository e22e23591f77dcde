#pragma once

// Whether the window shows a control: not hidden itself. The tests' windows are never shown on
// a screen, so isVisible() would say no of every control.

#include <QWidget>

namespace tadjust::testing {

inline bool shown(const QWidget* widget) { return !widget->isHidden(); }

}  // namespace tadjust::testing
