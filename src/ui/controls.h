#pragma once

// Small writes into the window's controls that the settings view, the decoder and the editing
// code share.

#include <QLabel>
#include <QWidget>
#include <array>
#include <cstddef>
#include <initializer_list>

#include "ui/form1.h"

namespace tadjust {

// Shows or hides the controls; a null entry (a part a row does not have) is passed over.
void setShown(std::initializer_list<QWidget*> widgets, bool shown);

// Writes a unit text ("[°C]", "[Ohm]", UTF-8) into the labels.
void setUnit(std::initializer_list<QLabel*> labels, const char* unit);

// Shows or hides every control of the rows, alternates included.
template <std::size_t Count>
void setRowsShown(const std::array<FormRow, Count>& rows, bool shown) {
  for (const FormRow& row : rows)
    for (QWidget* control : row.controls()) control->setVisible(shown);
}

}  // namespace tadjust
