#pragma once

// The editable group as the encoder reads it: the texts of the numeric boxes as exact decimal
// numbers in the system's number format, the selected entries of the lists, the connection
// row's visibility, the alarm check boxes and the tag, with the model label and the current
// series. Nothing here judges a value; the encoder refuses what it cannot write.
//
// The row captions name the controls in what the user reads: a refusal of the write says which
// box holds the value it cannot take, in the words the window shows beside it.

#include <QString>
#include <QWidget>

#include "image/settings_encoder.h"
#include "ui/form1.h"

namespace tadjust {

EditableGroupValues readEditableGroup(const Form1& form, const LaidOutModel& model);

// The control of the editable group that the encoder names; null for EditControl::kNone.
QWidget* editControl(const Form1& form, EditControl control);

// The caption of the row that holds the control, as the window shows it now, without its
// closing colon ("Lower range value"); empty when no row holds it.
QString rowCaption(const Form1& form, const QWidget* control);

}  // namespace tadjust
