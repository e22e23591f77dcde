#pragma once

// The device record's own texts in both languages. Captions, values and units of the settings
// are the window's and come with the record.

#include "ui/bilingual_text.h"

namespace tadjust::record_texts {

inline constexpr BilingualText Heading{"T-adjust device record", "Protokół urządzenia T-adjust"};
inline constexpr BilingualText Made{"Date:", "Data:"};
inline constexpr BilingualText Program{"Program:", "Program:"};
inline constexpr BilingualText User{"User:", "Użytkownik:"};
inline constexpr BilingualText Page{"Page %1 of %2", "Strona %1 z %2"};

inline constexpr BilingualText Device{"Device", "Urządzenie"};
inline constexpr BilingualText Model{"Model", "Model"};
inline constexpr BilingualText ProductCode{"Product code", "Kod wyrobu"};
inline constexpr BilingualText SerialNumber{"Serial number", "Numer seryjny"};
inline constexpr BilingualText Tag{"Tag", "Identyfikator obiektowy"};
inline constexpr BilingualText Port{"Port", "Port"};

inline constexpr BilingualText Setting{"Setting", "Ustawienie"};
inline constexpr BilingualText Value{"Value", "Wartość"};
inline constexpr BilingualText Unit{"Unit", "Jednostka"};

inline constexpr BilingualText WriteHeading{"Written by this link", "Zapis w tym połączeniu"};
inline constexpr BilingualText WrittenHeading{"Written", "Zapis"};
inline constexpr BilingualText SourceLabel{"Settings source:", "Źródło ustawień:"};
inline constexpr BilingualText SourceStartValues{"the window's start values",
                                                 "wartości początkowe okna"};
inline constexpr BilingualText SourceDeviceCopy{
    "this device's own settings (Copy for edition)",
    "własne ustawienia tego urządzenia (Przepisz do edycji)"};
inline constexpr BilingualText SourceOtherDeviceCopy{"a copy of another device, serial number %1",
                                                     "kopia innego urządzenia, numer seryjny %1"};
inline constexpr BilingualText SourceSettingsFile{
    "settings file %1, saved from serial number %2",
    "plik ustawień %1, zapisany z urządzenia o numerze seryjnym %2"};
inline constexpr BilingualText SourceCommissioningRow{
    "commissioning list %1, line %2, tag %3", "lista uruchomienia %1, wiersz %2, identyfikator %3"};
inline constexpr BilingualText HistoryEntry{"Write history: entry %1, hash %2",
                                            "Historia zapisów: wpis %1, skrót %2"};
inline constexpr BilingualText AsFound{"As found", "Przed zapisem"};
inline constexpr BilingualText AsLeft{"As left", "Po zapisie"};
inline constexpr BilingualText ChangedMark{"changed", "zmienione"};
inline constexpr BilingualText NotRead{"(not read)", "(nie odczytano)"};
inline constexpr BilingualText Verified{
    "Verification: the read-back agrees with the settings sent.",
    "Weryfikacja: odczyt po zapisie zgodny z wysłanymi ustawieniami."};
inline constexpr BilingualText StoredWrong{
    "Verification: the read-back DIFFERS from the settings sent: NOT verified.",
    "Weryfikacja: odczyt po zapisie RÓŻNI SIĘ od wysłanych ustawień: NIE sprawdzone."};
inline constexpr BilingualText NoReadBack{
    "Verification: the device did not answer the read-back: NOT verified.",
    "Weryfikacja: urządzenie nie odpowiedziało na odczyt po zapisie: NIE sprawdzone."};

inline constexpr BilingualText CharacteristicHeading{"Stored characteristic",
                                                     "Charakterystyka zapisana w urządzeniu"};
inline constexpr BilingualText Sensor{"Sensor:", "Czujnik:"};
inline constexpr BilingualText NothingStored{
    "The device holds no characteristic: no linearisation table is stored.",
    "Urządzenie nie zawiera charakterystyki: nie zapisano tablicy linearyzacji."};
inline constexpr BilingualText Breakpoint{"Point", "Punkt"};
inline constexpr BilingualText Temperature{"Temperature [°C]", "Temperatura [°C]"};
inline constexpr BilingualText Signal{"Signal [%1]", "Sygnał [%1]"};
inline constexpr BilingualText Slope{"Slope [°C/%1]", "Nachylenie [°C/%1]"};
inline constexpr BilingualText InputSignalAxis{"Input signal [%1]", "Sygnał wejściowy [%1]"};
inline constexpr BilingualText TemperatureAxis{"Temperature [°C]", "Temperatura [°C]"};
inline constexpr BilingualText ReferenceCurve{"reference curve of the sensor",
                                              "krzywa wzorcowa czujnika"};
inline constexpr BilingualText StoredSegments{"segments stored in the device",
                                              "odcinki zapisane w urządzeniu"};

inline constexpr BilingualText ErrorHeading{"Error of the stored characteristic",
                                            "Błąd zapisanej charakterystyki"};
inline constexpr BilingualText ErrorAxis{"Error [°C]", "Błąd [°C]"};
inline constexpr BilingualText ErrorCurve{"stored segments minus reference curve",
                                          "odcinki zapisane minus krzywa wzorcowa"};
inline constexpr BilingualText LargestError{"Largest error: %1 °C at %2 °C (%3 %4)",
                                            "Największy błąd: %1 °C przy %2 °C (%3 %4)"};

inline constexpr BilingualText PerformedBy{"Performed by:", "Wykonał:"};
inline constexpr BilingualText CheckedBy{"Checked by:", "Sprawdził:"};
inline constexpr BilingualText SignedOn{"Date:", "Data:"};

}  // namespace tadjust::record_texts
