#pragma once

// The captions a model's layout gives the rows of both settings groups, beyond the start
// captions of ui/window_texts.h: the layout writes them into the window, and the settings' rows
// (settings_rows.h) name the fields by them.

#include "ui/bilingual_text.h"

namespace tadjust::row_captions {

// The indicator.
inline constexpr BilingualText Precision{"Precision:", "Cyfry po przecinku:"};
inline constexpr BilingualText AlarmLow{"Alarm low level:", "Alarm dolny:"};
inline constexpr BilingualText AlarmHigh{"Alarm high level:", "Alarm górny:"};

// The humidity models.
inline constexpr BilingualText LowerTemperature{"Lower Temperature Value:", "Dół zakresu dla T:"};
inline constexpr BilingualText UpperTemperature{"Upper Temperature Value:", "Góra zakresu dla T:"};
inline constexpr BilingualText LowerHumidity{"Lower Humidity Value:", "Dół zakresu dla H:"};
inline constexpr BilingualText UpperHumidity{"Upper Humidity Value:", "Góra zakresu dla H:"};

inline constexpr BilingualText LowerVoltageT{"Lower Voltage for T:", "Napięcie dolne dla T:"};
inline constexpr BilingualText UpperVoltageT{"Upper Voltage for T:", "Napięcie górne dla T:"};
inline constexpr BilingualText LowerVoltageH{"Lower Voltage for H:", "Napięcie dolne dla H:"};
inline constexpr BilingualText UpperVoltageH{"Upper Voltage for H:", "Napięcie górne dla H:"};
inline constexpr BilingualText LowerCurrentT{"Lower Current for T:", "Prąd dolny dla T:"};
inline constexpr BilingualText UpperCurrentT{"Upper Current for T:", "Prąd górny dla T:"};
inline constexpr BilingualText LowerCurrentH{"Lower Current for H:", "Prąd dolny dla H:"};
inline constexpr BilingualText UpperCurrentH{"Upper Current for H:", "Prąd górny dla H:"};

// The unit choice: the editable group's and the device group's captions.
inline constexpr BilingualText HumidityUnitChoice{"Humidity Unit:", "Jednostka wilgotności:"};
inline constexpr BilingualText HumidityUnitShown{"Humidity unit:", "Jednostka wilgotności:"};
inline constexpr BilingualText PhysicalUnits{"Physical Units:", "Jednostki fizyczne:"};

}  // namespace tadjust::row_captions
