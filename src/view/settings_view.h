#pragma once

// Lays both settings groups out for the model a product code names: relabels the rows, shows
// and hides them, fills the drop-down lists, sets unit labels, default texts and widths, and
// writes the model's name into the model label (Form1::setCurrentModel), which from then on is
// the current model.

#include <QStringList>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/layout.h"
#include "ui/form1.h"
#include "ui/window_events.h"

namespace tadjust {

// The model label's text before the first read names a model.
inline constexpr std::string_view kStartModelLabel = "RKA-4";

struct SettingsViewState {
  // The model the model label names after the last layout, with the current series (the last
  // laid-out product code / 1000, stored also for a code that names no model): what every
  // model-dependent step of the program reads. Before the first layout, the start caption's: a
  // current-output transmitter outside the catalogue, series 0.
  LaidOutModel model;
  // The model label's text after the last layout, for messages that name the model.
  std::string modelLabel{kStartModelLabel};
};

// The model a model label's text names, looked up in the catalogue, with the given series.
LaidOutModel laidOutModel(std::string_view modelLabel, unsigned series);
// The model a window that reads the product code first lays out: the model the code names, or
// the start caption's for a code that names none.
LaidOutModel laidOutModelOf(std::uint16_t productCode);

// productCode: the settled product code of the image just read. dewPoint: bit 0 of the humidity
// layout's HumidityUnit (the device works in dew point); only humidity models look at it.
//
// Every layout first puts the window back into its start state in the chosen language
// (restoreStartCaptions) and the editable group's values to their start (applyStartValues), so
// nothing an earlier model set survives on the next one. A code that names no model stores its
// series and lays the groups out again for the model still named.
void layOutSettingsView(Form1& form, std::uint16_t productCode, bool dewPoint,
                        SettingsViewState& view, WindowEvents& events);

// The entries of the sensor-type list for the model and the language: the humidity unit choice,
// or the eleven sensor types.
QStringList sensorTypeEntries(const LaidOutModel& model, bool useEnglish);

// Refills the sensor-type list ComboBox1 for the model and the language, and selects entry 0.
void fillSensorTypeList(Form1& form, const LaidOutModel& model);

// The start state of both settings groups in the language of form.UseEnglish: the captions (in
// English when UseEnglish, as the start-up translation leaves them), the unit labels, the
// sensor-type and connection lists with their start selection, which rows are shown, and the
// sensor-type list enabled, the monitoring group hidden. Edit texts, the model label, the action
// buttons and the two settings groups' own visibility are left alone. The start-up translation
// and every layout share it.
void restoreStartCaptions(Form1& form);

}  // namespace tadjust
