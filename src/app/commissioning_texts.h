#pragma once

// The texts of commissioning from a list: the list's refusal with each fault, the job window,
// and what the job says as it goes.

#include "ui/bilingual_text.h"

namespace tadjust::commissioning_texts {

inline constexpr BilingualText OpenListCaption{"Commission devices from a list",
                                               "Uruchom urządzenia z listy"};
inline constexpr BilingualText ListFilter{"Commissioning lists (*.csv)",
                                          "Listy uruchomienia (*.csv)"};

inline constexpr BilingualText ListRefusedCaption{"Commissioning list refused",
                                                  "Lista uruchomienia odrzucona"};
// %1 the list's name, %2 the number of faults, %3 the faults (one a line).
inline constexpr BilingualText ListRefused{
    "%1 cannot be used: %2 fault(s). Nothing has been written.\r%3",
    "Nie można użyć listy %1: błędów: %2. Nic nie zostało zapisane.\r%3"};
inline constexpr BilingualText ListUnreadable{"%1 cannot be read:\r%2",
                                              "Nie można odczytać pliku %1:\r%2"};
inline constexpr BilingualText ListTooLarge{"%1 is larger than 1 MiB: no commissioning list.",
                                            "Plik %1 jest większy niż 1 MiB: to nie jest lista."};
// A fault's place: %1 the line; with a column, %2 its letter and %3 its header.
inline constexpr BilingualText FaultAtLine{"Line %1: ", "Wiersz %1: "};
inline constexpr BilingualText FaultAtColumn{"Line %1, column %2 (%3): ",
                                             "Wiersz %1, kolumna %2 (%3): "};

inline constexpr BilingualText NotUtf8{"the text is not UTF-8.", "tekst nie jest w UTF-8."};
inline constexpr BilingualText NoHeader{"the list has no header row.",
                                        "lista nie ma wiersza nagłówka."};
inline constexpr BilingualText UnclosedQuote{"a quotation mark opened here is never closed.",
                                             "cudzysłów otwarty tutaj nie jest zamknięty."};
inline constexpr BilingualText UnknownColumn{
    "unknown column \"%1\" (tag, settings, model or a key of the settings file).",
    "nieznana kolumna \"%1\" (tag, settings, model lub klucz pliku ustawień)."};
inline constexpr BilingualText RepeatedColumn{"the column \"%1\" appears twice.",
                                              "kolumna \"%1\" występuje dwukrotnie."};
inline constexpr BilingualText NoTagColumn{"the list has no \"tag\" column.",
                                           "lista nie ma kolumny \"tag\"."};
inline constexpr BilingualText ExtraCells{"a value beyond the last column: \"%1\".",
                                          "wartość poza ostatnią kolumną: \"%1\"."};
inline constexpr BilingualText NoTag{"the row has no tag.", "wiersz nie ma tagu."};
inline constexpr BilingualText RepeatedTag{"the tag is already used in line %1.",
                                           "tag jest już użyty w wierszu %1."};
inline constexpr BilingualText NoRows{"the list has no rows.", "lista nie ma wierszy."};
inline constexpr BilingualText NoSettings{"the row names no settings file.",
                                          "wiersz nie wskazuje pliku ustawień."};
inline constexpr BilingualText MissingFile{"the settings file %1 does not exist.",
                                           "plik ustawień %1 nie istnieje."};
inline constexpr BilingualText NotARegularFile{"%1 is not a settings file.",
                                               "%1 nie jest plikiem ustawień."};
inline constexpr BilingualText FileTooLarge{"%1 is larger than 1 MiB: no settings file.",
                                            "%1 jest większy niż 1 MiB: to nie plik ustawień."};
inline constexpr BilingualText FileUnreadable{"%1 cannot be read: %2",
                                              "nie można odczytać pliku %1: %2"};
// %1 the file, %2 what the settings file's own refusal says.
inline constexpr BilingualText BadSettingsFile{"%1: %2", "%1: %2"};
inline constexpr BilingualText BadValue{"\"%1\" is not a value of this setting.",
                                        "\"%1\" nie jest wartością tego ustawienia."};
inline constexpr BilingualText NotOfModel{"%1 has no such setting.", "%1 nie ma tego ustawienia."};
inline constexpr BilingualText UnknownModel{"no model is called \"%1\".", "nie ma modelu \"%1\"."};
inline constexpr BilingualText OtherModel{"the settings file is for %1.",
                                          "plik ustawień jest dla modelu %1."};
inline constexpr BilingualText TagNotStorable{
    "the device cannot store the tag \"%1\" as it is (too long, or a character it has not).",
    "urządzenie nie może zapisać tagu \"%1\" bez zmian (za długi lub znak spoza jego zestawu)."};
inline constexpr BilingualText ConflictsWithFile{
    "this sensor type does not take the settings file's %1.",
    "ten typ czujnika nie przyjmuje wartości %1 z pliku ustawień."};

inline constexpr BilingualText JobCaption{"Commissioning", "Uruchamianie"};
// %1 the list's name, %2 the rows done, %3 all rows.
inline constexpr BilingualText ListChanged{
    "%1 has changed since its job was started (%2 of %3 rows done): that job cannot go on with "
    "this list.\rStart a new job? The old job's state is kept as %4.",
    "Lista %1 zmieniła się od rozpoczęcia jej zadania (wykonano %2 z %3 wierszy): tego zadania "
    "nie można kontynuować z tą listą.\rRozpocząć nowe zadanie? Stan starego zadania zostanie "
    "zachowany jako %4."};
inline constexpr BilingualText NotAJobState{
    "%1 is not the state of a job of this list.\rStart a new job? The file is kept as %2.",
    "%1 nie jest stanem zadania tej listy.\rRozpocząć nowe zadanie? Plik zostanie zachowany "
    "jako %2."};
inline constexpr BilingualText StateNotSaved{"The job's state could not be saved to %1:\r%2",
                                             "Nie można zapisać stanu zadania do pliku %1:\r%2"};
inline constexpr BilingualText RecordNotSaved{"The record of %1 could not be saved to %2:\r%3",
                                              "Nie można zapisać protokołu %1 do pliku %2:\r%3"};

// The job window.
inline constexpr BilingualText WindowTitle{"Commissioning: %1", "Uruchamianie: %1"};
inline constexpr BilingualText Progress{"%1 of %2", "%1 z %2"};
inline constexpr BilingualText LineHeading{"Line", "Wiersz"};
inline constexpr BilingualText TagHeading{"Tag", "Tag"};
inline constexpr BilingualText ModelHeading{"Model", "Model"};
inline constexpr BilingualText SettingsHeading{"Settings", "Ustawienia"};
inline constexpr BilingualText StateHeading{"State", "Stan"};
inline constexpr BilingualText SerialHeading{"Serial number", "Numer seryjny"};
inline constexpr BilingualText TimeHeading{"Time", "Czas"};
inline constexpr BilingualText NoteHeading{"Note", "Uwagi"};
inline constexpr BilingualText SequenceHeading{"History no.", "Nr w historii"};
inline constexpr BilingualText HashHeading{"History hash", "Skrót w historii"};
inline constexpr BilingualText Waiting{"waiting", "oczekuje"};
inline constexpr BilingualText Verified{"written and verified", "zapisane i sprawdzone"};
inline constexpr BilingualText Skipped{"skipped", "pominięte"};
inline constexpr BilingualText Failed{"failed", "nieudane"};
inline constexpr BilingualText FailedWith{"failed: %1", "nieudane: %1"};
inline constexpr BilingualText EnterRowButton{"Enter selected row", "Wprowadź wybrany wiersz"};
inline constexpr BilingualText SkipRowButton{"Skip row", "Pomiń wiersz"};
inline constexpr BilingualText UnskipRowButton{"Do not skip", "Nie pomijaj"};
inline constexpr BilingualText SummaryButton{"Job summary…", "Podsumowanie zadania…"};
inline constexpr BilingualText CloseButton{"Close", "Zamknij"};

// What the job says as it goes.
// %1 the line, %2 the tag, %3 the model, %4 the serial number.
inline constexpr BilingualText RowEntered{
    "Line %1 (%2) is in the editable group for %3 no. %4: press Send to device.",
    "Wiersz %1 (%2) jest w grupie edycji dla %3 nr %4: naciśnij Wyślij do urządzenia."};
inline constexpr BilingualText EnteredNote{"in the editable group for no. %1",
                                           "w grupie edycji dla nr %1"};
inline constexpr BilingualText CorrectedNote{"corrected: %1", "poprawiono: %1"};
// %1 the tag the device was commissioned as.
inline constexpr BilingualText AlreadyCommissioned{
    "This device was already commissioned as %1.",
    "To urządzenie zostało już uruchomione jako %1."};
// %1 the line, %2 the tag, %3 the row's model, %4 the model on the box.
inline constexpr BilingualText RowForOtherModel{
    "Line %1 (%2) is for %3; the device on the box is %4. Put a %3 on the box or choose another "
    "row.",
    "Wiersz %1 (%2) jest dla %3; na przystawce jest %4. Podłącz %3 lub wybierz inny wiersz."};
inline constexpr BilingualText AllRowsDone{"Every row of the list is done.",
                                           "Wszystkie wiersze listy są wykonane."};
// %1 the tag, %2 the model, %3 the serial number, %4 the record's file name.
inline constexpr BilingualText RowVerified{
    "%1 written and verified on %2 no. %3; record saved as %4. Put the next device on the box "
    "and press Read again.",
    "%1 zapisany i sprawdzony w %2 nr %3; protokół zapisany jako %4. Podłącz następne urządzenie "
    "i naciśnij Odczytaj ponownie."};
inline constexpr BilingualText RowFailed{"%1 not written: %2", "%1 nie zapisany: %2"};
inline constexpr BilingualText ConnectFirst{"Read a device first: Connect, or Read again.",
                                            "Najpierw odczytaj urządzenie: Połącz lub Odczytaj "
                                            "ponownie."};
inline constexpr BilingualText PutADevice{
    "Put a device on the box and press Connect (or Read again): the next waiting row is entered "
    "for it.",
    "Podłącz urządzenie do przystawki i naciśnij Połącz (lub Odczytaj ponownie): następny "
    "oczekujący wiersz zostanie dla niego wprowadzony."};

inline constexpr BilingualText SummaryCaption{"Job summary", "Podsumowanie zadania"};
inline constexpr BilingualText SummaryTitle{"Commissioning summary", "Podsumowanie uruchomienia"};
inline constexpr BilingualText SummaryList{"List: %1", "Lista: %1"};
inline constexpr BilingualText SummaryMade{"Made: %1 by %2", "Sporządzono: %1, %2"};
inline constexpr BilingualText SummaryProgress{"Rows done: %1 of %2", "Wykonane wiersze: %1 z %2"};
inline constexpr BilingualText SummaryNotWritten{"The summary could not be written to %1:\r%2",
                                                 "Nie można zapisać podsumowania do pliku %1:\r%2"};
inline constexpr BilingualText SummaryWritten{"Summary saved: %1 and %2.",
                                              "Zapisano podsumowanie: %1 i %2."};

}  // namespace tadjust::commissioning_texts
