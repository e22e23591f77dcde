#pragma once

// What the window says about the write history, and the history window's texts.

#include "ui/bilingual_text.h"

namespace tadjust::history_texts {

// %1: why, one of the reasons below.
inline constexpr BilingualText HistoryUnavailable{"Write history unavailable: %1",
                                                  "Historia zapisów niedostępna: %1"};
// Said once while a write's entries wait for the file; %1: why, one of the reasons below.
inline constexpr BilingualText HistoryWaiting{
    "Write history unavailable: %1. The write is kept and recorded as soon as the file takes it.",
    "Historia zapisów niedostępna: %1. Zapis jest przechowywany i zostanie zapisany, gdy plik "
    "będzie dostępny."};
inline constexpr BilingualText HistoryKeptStored{
    "Write history: the write kept is recorded now.",
    "Historia zapisów: przechowany zapis został teraz zapisany."};
// %1: why the chain does not hold (t-adjust-history's words).
inline constexpr BilingualText OpenWritesLeft{
    "Write history: writes left open are not completed, the chain is broken (%1).",
    "Historia zapisów: otwarte zapisy nie zostały zamknięte, łańcuch jest przerwany (%1)."};

// The reasons; %1 is the file.
inline constexpr BilingualText NoFolder{"%1 cannot be written: its folder cannot be made",
                                        "nie można zapisać %1: nie można utworzyć jego folderu"};
inline constexpr BilingualText FolderReadOnly{"%1 cannot be written: the folder is read-only",
                                              "nie można zapisać %1: folder jest tylko do odczytu"};
inline constexpr BilingualText NotAFile{"%1 cannot be written: it is not a file",
                                        "nie można zapisać %1: to nie jest plik"};
inline constexpr BilingualText Locked{"%1 is locked by another program",
                                      "plik %1 jest zablokowany przez inny program"};
inline constexpr BilingualText DiskFull{"%1 cannot be written: the disk is full",
                                        "nie można zapisać %1: dysk jest pełny"};
inline constexpr BilingualText FileReadOnly{"%1 cannot be written: the file is read-only",
                                            "nie można zapisać %1: plik jest tylko do odczytu"};
inline constexpr BilingualText CannotOpen{"%1 cannot be opened: %2", "nie można otworzyć %1: %2"};
// %2: the file's schema version.
inline constexpr BilingualText NewerSchema{
    "%1 was written by a newer T-adjust (schema %2) and is only read",
    "plik %1 zapisała nowsza wersja T-adjust (schemat %2), jest tylko odczytywany"};
// %2: SQLite's own words.
inline constexpr BilingualText CannotWrite{"%1 cannot be written: %2", "nie można zapisać %1: %2"};
// %1: the name the damaged file was given.
inline constexpr BilingualText CorruptKeptAside{
    "The write history file was damaged: it is kept as %1 and a new one is started.",
    "Plik historii zapisów był uszkodzony: zachowano go jako %1 i rozpoczęto nowy."};

// The history window.
inline constexpr BilingualText WindowTitle{"Write history", "Historia zapisów"};
inline constexpr BilingualText FilterLabel{"Serial number, model or tag:",
                                           "Numer seryjny, model lub etykieta:"};
inline constexpr BilingualText FilterTip{
    "A serial number finds the writes of that device and those it answered in place of the "
    "device written.",
    "Numer seryjny znajduje zapisy tego urządzenia i te, w których odpowiedziało zamiast "
    "urządzenia zapisywanego."};
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
// %1 the number of entries in the chain, %2:%3 the last entry's sequence and hash.
inline constexpr BilingualText ChainSummary{"%1 chain entries, the last %2:%3",
                                            "Wpisów w łańcuchu: %1, ostatni %2:%3"};
inline constexpr BilingualText ChainHolds{"Integrity checked: the chain holds.",
                                          "Spójność sprawdzona: łańcuch jest nienaruszony."};
// %1 the entry's place in the chain, %2 its write; why goes into the tooltip (as
// t-adjust-history says it).
inline constexpr BilingualText ChainBroken{"The chain is broken at entry %1 (write %2).",
                                           "Łańcuch jest przerwany we wpisie %1 (zapis %2)."};
// %1: why the file cannot be read.
inline constexpr BilingualText CannotRead{"The write history cannot be read: %1",
                                          "Nie można odczytać historii zapisów: %1"};
inline constexpr BilingualText NoChanges{"No field changed.", "Żadne pole nie zostało zmienione."};
inline constexpr BilingualText OutcomeLine{"Outcome: %1", "Wynik: %1"};
// %1 the product code, %2 the serial number of the device that answered.
inline constexpr BilingualText AnsweredBy{"Answered by: product code %1, serial number %2",
                                          "Odpowiedziało: kod wyrobu %1, numer seryjny %2"};
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
