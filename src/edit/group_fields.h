#pragma once

// The editable group's fields: which control of the group holds which named setting, for each
// layout — the one place that knows it. The group is read into settings values here, and set
// from them; the row beside a control gives the field its caption and unit as the window shows
// them.
//
// The group's boxes hold number texts in the system's format; a text that is not a number reads
// as no number, which the encoder refuses, naming the field. Nothing here judges a value.

#include <QString>
#include <QWidget>

#include "image/device_settings.h"
#include "ui/form1.h"

namespace tadjust {

// The settings the editable group holds now, for the model it is laid out for. A transmitter's
// connection is read where its row is shown, the lead resistance and the cold-junction
// temperature where the connection stores them, the correction for temperature sensors.
DeviceSettings readEditableGroup(const Form1& form, const LaidOutModel& model);

// The control that holds the field in the layout; null for a field the layout has not.
QWidget* controlOf(const Form1& form, Layout layout, SettingsField field);

// The caption of the row that holds the control, as the window shows it now, without its
// closing colon ("Lower range value"); empty when no row holds it.
QString rowCaption(const Form1& form, const QWidget* control);

// The field's caption as the window shows it now; the control's name where no row shows one.
QString fieldCaption(const Form1& form, Layout layout, SettingsField field);

}  // namespace tadjust
