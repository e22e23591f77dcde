#pragma once

// What the window says about the write history, and the history window's texts.

#include "ui/bilingual_text.h"

namespace tadjust::history_texts {

// %1: why (one of the reasons below, or the system's own words).
inline constexpr BilingualText HistoryUnavailable{"Write history unavailable: %1",
                                                  "Historia zapisów niedostępna: %1"};
// %1: the folder or file.
inline constexpr BilingualText CannotWrite{"%1 cannot be written", "nie można zapisać %1"};
// %1: the file's schema version.
inline constexpr BilingualText NewerSchema{
    "the file was written by a newer T-adjust (schema %1) and is only read",
    "plik zapisała nowsza wersja T-adjust (schemat %1), jest tylko odczytywany"};
// %1: the name the damaged file was given.
inline constexpr BilingualText CorruptKeptAside{
    "The write history file was damaged: it is kept as %1 and a new one is started.",
    "Plik historii zapisów był uszkodzony: zachowano go jako %1 i rozpoczęto nowy."};

// The history window.
inline constexpr BilingualText WindowTitle{"Write history", "Historia zapisów"};
inline constexpr BilingualText FilterLabel{"Serial number, model or tag:",
                                           "Numer seryjny, model lub etykieta:"};
inline constexpr BilingualText DateRange{"Written from", "Zapisane od"};
inline constexpr BilingualText DateRangeTo{"to", "do"};
inline constexpr BilingualText TimeColumn{"Time", "Czas"};
inline constexpr BilingualText SerialColumn{"Serial number", "Numer seryjny"};
inline constexpr BilingualText ModelColumn{"Model", "Model"};
inline constexpr BilingualText TagColumn{"Tag", "Etykieta"};
inline constexpr BilingualText OutcomeColumn{"Outcome", "Wynik"};
inline constexpr BilingualText UserColumn{"User", "Użytkownik"};
inline constexpr BilingualText ExportCsv{"Export CSV…", "Eksportuj CSV…"};
inline constexpr BilingualText PrintRecords{"Print records…", "Drukuj protokoły…"};
inline constexpr BilingualText PrintRecordsCaption{"Print device records",
                                                   "Drukuj protokoły urządzeń"};
inline constexpr BilingualText CheckIntegrity{"Check integrity", "Sprawdź spójność"};
inline constexpr BilingualText CsvFilter{"CSV files (*.csv)", "Pliki CSV (*.csv)"};
inline constexpr BilingualText ExportCaption{"Export write history", "Eksportuj historię zapisów"};
inline constexpr BilingualText NotExportedCaption{"History not exported",
                                                  "Historia nie została wyeksportowana"};
// %1 is the file, %2 the system's reason.
inline constexpr BilingualText NotExportedText{"The history could not be written to %1:\r%2",
                                               "Nie można zapisać historii do pliku %1:\r%2"};
// %1 the number of rows in the chain, %2 the last hash.
inline constexpr BilingualText ChainSummary{"%1 rows, last hash %2",
                                            "Wierszy: %1, ostatni skrót %2"};
inline constexpr BilingualText ChainHolds{"Integrity checked: the chain holds.",
                                          "Spójność sprawdzona: łańcuch jest nienaruszony."};
// %1 the row's place in the chain, %2 its id; why goes into the tooltip (as t-adjust-history
// says it).
inline constexpr BilingualText ChainBroken{"The chain is broken at row %1 (id %2).",
                                           "Łańcuch jest przerwany w wierszu %1 (id %2)."};
// %1: why the file cannot be read.
inline constexpr BilingualText CannotRead{"The write history cannot be read: %1",
                                          "Nie można odczytać historii zapisów: %1"};
inline constexpr BilingualText NoChanges{"No field changed.", "Żadne pole nie zostało zmienione."};
inline constexpr BilingualText OutcomeLine{"Outcome: %1", "Wynik: %1"};
inline constexpr BilingualText NoVerificationRead{"No verification read came.",
                                                  "Nie odczytano ustawień do sprawdzenia."};

// The outcomes as the window shows them, in the order of history::Outcome; then an open row.
inline constexpr BilingualText Outcomes[] = {
    {"verified", "sprawdzony"},
    {"stored wrong", "zapisany błędnie"},
    {"no reply", "brak odpowiedzi"},
    {"connection lost", "utracone połączenie"},
    {"another device answered", "odpowiedziało inne urządzenie"},
    {"interrupted", "przerwany"},
};
inline constexpr BilingualText OpenOutcome{"in progress", "w toku"};

}  // namespace tadjust::history_texts
