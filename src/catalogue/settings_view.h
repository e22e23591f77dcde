#pragma once

// Lays both settings groups out for the model a product code names: relabels the rows, shows
// and hides them, fills the drop-down lists, sets unit labels, default texts and widths, and
// writes the model's name into the model label Label39, which from then on is the current model.

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
void layOutSettingsView(Form1& form, std::uint16_t productCode, bool dewPoint,
                        SettingsViewState& view, WindowEvents& events);

// Refills the sensor-type list ComboBox1 for the current model (the model label's text) and the
// language, and selects entry 0.
void fillSensorTypeList(Form1& form);

}  // namespace tadjust
