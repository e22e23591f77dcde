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
#include "ui/form1.h"

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

struct GroupCaption {
  QGroupBox* Form1::*control;
  BilingualText text;
};

struct LabelCaption {
  QLabel* Form1::*control;
  BilingualText text;
};

inline constexpr std::array<GroupCaption, 2> GroupCaptions{{
    {&Form1::GroupBox1, {"Editable settings", "Ustawienia edytowane"}},
    {&Form1::GroupBox2, {"Device settings", "Ustawienia odczytane z urządzenia"}},
}};

// The caption labels of both settings groups; a caption shared by a row of each group is
// listed for both labels.
inline constexpr std::array<LabelCaption, 22> LabelCaptions{{
    {&Form1::Label1, {"Sensor type:", "Typ czujnika:"}},
    {&Form1::Label20, {"Sensor type:", "Typ czujnika:"}},
    {&Form1::Label2, {"Lower range value:", "Dół zakresu:"}},
    {&Form1::Label21, {"Lower range value:", "Dół zakresu:"}},
    {&Form1::Label4, {"Upper range value:", "Góra zakresu:"}},
    {&Form1::Label22, {"Upper range value:", "Góra zakresu:"}},
    {&Form1::Label3, {"Sensor connection:", "Podłączenie:"}},
    {&Form1::Label23, {"Sensor connection:", "Podłączenie:"}},
    {&Form1::Label5, {"Wire resistance:", "Rezystancja przewodów:"}},
    {&Form1::Label24, {"Wire resistance:", "Rezystancja przewodów:"}},
    {&Form1::Label9, {"Temperature offset:", "Korekcja temperatury:"}},
    {&Form1::Label25, {"Temperature offset:", "Korekcja temperatury:"}},
    {&Form1::Label11, {"Filter time constant:", "Stała czasowa filtru:"}},
    {&Form1::Label26, {"Filter time constant:", "Stała czasowa filtru:"}},
    {&Form1::Label13, {"Output signal:", "Sygnał wyjściowy:"}},
    {&Form1::Label27, {"Output signal:", "Sygnał wyjściowy:"}},
    {&Form1::Label15, {"Failure indication:", "Sygnalizacja błędu:"}},
    {&Form1::Label28, {"Failure indication:", "Sygnalizacja błędu:"}},
    {&Form1::Label17, {"Tag:", "Identyfikator obiektowy:"}},
    {&Form1::Label29, {"Tag:", "Identyfikator obiektowy:"}},
    {&Form1::Label18, {"Device ID and name:", "Identyfikator wyrobu:"}},
    {&Form1::Label19, {"Serial number:", "Numer seryjny:"}},
}};

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
