#pragma once

// The texts of the main window that exist in both languages: the start-up question, the
// captions and lists the window starts with (Polish) and their English wording, and the
// captions of the three action buttons. The window is built with the Polish column; the
// start-up question switches to the English one when English is chosen.
//
// Texts not listed here keep their start wording in both languages: the window caption, the
// unit labels, the lists of ComboBox3 to ComboBox5 (with their decimal commas) and the whole
// monitoring group.

#include <array>

#include "project_version.h"
#include "ui/bilingual_text.h"

namespace tadjust::window_texts {

inline constexpr char WindowCaption[] = "T-adjust v." TADJUST_VERSION;

inline constexpr BilingualText LanguageQuestionCaption{"Wybór języka / Select language",
                                                       "Wybór języka / Select language"};
inline constexpr BilingualText LanguageQuestionText{"Polski /Polish?", "Polski /Polish?"};

// The action buttons after the start-up question; before it, BitBtn3 and BitBtn4 read the
// short "Przepisz" and "Wyślij".
inline constexpr BilingualText StartButton{"Start", "Start"};
inline constexpr BilingualText CopyButton{"Copy for\redition", "Przepisz\rdo edycji"};
inline constexpr BilingualText SendButton{"Send to\rdevice", "Wyślij do\rurządzenia"};
inline constexpr BilingualText ReadAgainButton{"Read again", "Odczytaj\rponownie"};

// The accessible description of the editable group's status line EditNotice.
inline constexpr BilingualText EditNoticeDescription{"Edit notice", "Komunikat edycji"};

inline constexpr BilingualText EditableGroupTitle{"Editable settings", "Ustawienia edytowane"};
inline constexpr BilingualText DeviceGroupTitle{"Device settings",
                                                "Ustawienia odczytane z urządzenia"};

// The captions the rows of both settings groups start with; a caption shared by a row of each
// group serves both.
inline constexpr BilingualText SensorTypeCaption{"Sensor type:", "Typ czujnika:"};
inline constexpr BilingualText LowerRangeCaption{"Lower range value:", "Dół zakresu:"};
inline constexpr BilingualText UpperRangeCaption{"Upper range value:", "Góra zakresu:"};
inline constexpr BilingualText StartConnectionCaption{"Sensor connection:", "Podłączenie:"};
inline constexpr BilingualText StartWireResistanceCaption{"Wire resistance:",
                                                          "Rezystancja przewodów:"};
inline constexpr BilingualText TemperatureOffsetCaption{"Temperature offset:",
                                                        "Korekcja temperatury:"};
inline constexpr BilingualText FilterTimeCaption{"Filter time constant:", "Stała czasowa filtru:"};
inline constexpr BilingualText OutputSignalCaption{"Output signal:", "Sygnał wyjściowy:"};
inline constexpr BilingualText FailureIndicationCaption{"Failure indication:",
                                                        "Sygnalizacja błędu:"};
inline constexpr BilingualText TagCaption{"Tag:", "Identyfikator obiektowy:"};
inline constexpr BilingualText ProductCodeCaption{"Device ID and name:", "Identyfikator wyrobu:"};
inline constexpr BilingualText SerialNumberCaption{"Serial number:", "Numer seryjny:"};

// The sensor-type list as the window starts, by sensor-type index. The Polish thermocouple
// items from R on have two spaces after "termopara".
inline constexpr std::array<BilingualText, 11> SensorTypes{{
    {"Pt100 resistance", "termorezystor Pt100"},
    {"Ni100 resistance", "termorezystor Ni100"},
    {"B type thermocouple", "termopara B"},
    {"R type thermocouple", "termopara  R"},
    {"S type thermocouple", "termopara  S"},
    {"N type thermocouple", "termopara  N"},
    {"K type thermocouple", "termopara  K"},
    {"J type thermocouple", "termopara  J"},
    {"T type thermocouple", "termopara  T"},
    {"voltage", "napięcie"},
    {"resistance", "rezystancja"},
}};
inline constexpr int StartSensorType = 0;

inline constexpr std::array<BilingualText, 3> Connections{{
    {"2-wire", "2-przewodowe"},
    {"3-wire", "3-przewodowe"},
    {"4-wire", "4-przewodowe"},
}};
inline constexpr int StartConnection = 1;

// The connection list of a thermocouple: its cold-junction compensation.
inline constexpr std::array<BilingualText, 2> Compensations{{
    {"internal", "wewnętrzna"},
    {"external", "zewnętrzna"},
}};

// The filter time constants of ComboBox3 [s], the output directions of ComboBox4 and the failure
// levels of ComboBox5 [mA] or [V], as the lists show them in both languages.
inline constexpr std::array<const char*, 7> FilterTimes{"0,2", "1", "2", "4", "8", "16", "32"};
inline constexpr std::array<const char*, 2> CurrentDirections{"4 .. 20", "20 .. 4"};
inline constexpr std::array<const char*, 2> VoltageDirections{"0 .. 10", "10 .. 0"};
inline constexpr std::array<const char*, 2> CurrentFailureLevels{"3,5", "23"};
inline constexpr std::array<const char*, 2> VoltageFailureLevels{"0", "11,5"};

// Captions of the connection row and the wire-resistance row as the device group and the copy
// for editing write them for the sensor shown. (The choice of a sensor type in the editable
// group words two of them differently.)
inline constexpr BilingualText SensorConnectionCaption{"Sensor connection:", "Podłączenie:"};
inline constexpr BilingualText ColdJunctionCompCaption{"Cold junction comp.:",
                                                       "Komp. zimnych końców:"};
inline constexpr BilingualText WireResistanceCaption{"Wire resistance:", "Rezystancja przewodów:"};
inline constexpr BilingualText ColdJunctionTempCaption{"Cold junction temp.:",
                                                       "Temp. zimnych końców:"};

}  // namespace tadjust::window_texts
