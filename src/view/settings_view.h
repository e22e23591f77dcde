#pragma once

// Lays both settings groups out for the model a product code names: relabels the rows, shows
// and hides them, fills the drop-down lists, sets unit labels, default texts and widths, and
// writes the model's name into the model label (Form1::setCurrentModel), which from then on is
// the current model.

#include <cstdint>

#include "ui/form1.h"
#include "ui/window_events.h"

namespace tadjust {

struct SettingsViewState {
  // The series of the last laid-out product code (code / 1000), stored also for a code that
  // names no model.
  std::uint16_t currentSeries = 0;
};

// productCode: the settled product code of the image just read. dewPoint: bit 0 of the humidity
// layout's HumidityUnit (the device works in dew point); only humidity models look at it.
//
// Every layout first puts the window back into its start state in the chosen language
// (restoreStartCaptions), so nothing an earlier model's family set survives on the next one.
// A code that names no model only stores its series and runs the common tail.
void layOutSettingsView(Form1& form, std::uint16_t productCode, bool dewPoint,
                        SettingsViewState& view, WindowEvents& events);

// Refills the sensor-type list ComboBox1 for the current model (Form1::currentModel) and the
// language, and selects entry 0.
void fillSensorTypeList(Form1& form);

// The start state of both settings groups in the language of form.UseEnglish: the captions (in
// English when UseEnglish, as the start-up translation leaves them), the unit labels, the
// sensor-type and connection lists with their start selection, which rows are shown, and the
// sensor-type list enabled, the monitoring group hidden. Edit texts, the model label, the action
// buttons and the two settings groups' own visibility are left alone. The start-up translation
// and every layout share it.
void restoreStartCaptions(Form1& form);

}  // namespace tadjust
