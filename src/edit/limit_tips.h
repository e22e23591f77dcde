#pragma once

// Every numeric box of the editable group names in its tooltip the limits validation keeps it
// within, for the model, series, sensor type, connection and humidity unit of the moment:
// "Allowed: -100 to 1150 °C", and on a second line what the partner box demands ("At least
// 50 °C from Lower range value.").

#include "edit/edit_state.h"
#include "ui/form1.h"
#include "view/settings_view.h"

namespace tadjust {

// Sets the tooltips of Edit1 to Edit4 and Edit19 to Edit22; a box without fixed limits (a series
// without a range table) gets none.
void showLimitTips(Form1& form, const EditState& edit, const SettingsViewState& view);

}  // namespace tadjust
