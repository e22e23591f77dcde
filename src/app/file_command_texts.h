#pragma once

// The texts of the File menu's commands: the file dialogs' captions and filters, and what the
// record's export and print say when they fail.

#include "ui/bilingual_text.h"

namespace tadjust::file_command_texts {

// The filter of the settings files the settings dialogs offer.
inline constexpr BilingualText SettingsFileFilter{"T-adjust settings (*.tadj)",
                                                  "Ustawienia T-adjust (*.tadj)"};

inline constexpr BilingualText ExportRecordCaption{"Export record as PDF",
                                                   "Eksportuj protokół do PDF"};
inline constexpr BilingualText PdfFilter{"PDF documents (*.pdf)", "Dokumenty PDF (*.pdf)"};
inline constexpr BilingualText RecordNotWrittenCaption{"Record not written",
                                                       "Protokół nie został zapisany"};
// %1 is the file, %2 the system's reason.
inline constexpr BilingualText RecordNotWrittenText{"The record could not be written to %1:\r%2",
                                                    "Nie można zapisać protokołu do pliku %1:\r%2"};

inline constexpr BilingualText PrintRecordCaption{"Print record", "Drukuj protokół"};
inline constexpr BilingualText RecordNotPrintedCaption{"Record not printed",
                                                       "Protokół nie został wydrukowany"};
inline constexpr BilingualText RecordNotPrintedText{"The printer did not take the record.",
                                                    "Drukarka nie przyjęła protokołu."};

// The settings file's commands. %1 is the file's name where a text names a file.
// In Label41 after a settings file has been saved.
inline constexpr BilingualText SettingsSaved{"Saved: %1", "Zapisano: %1"};
inline constexpr BilingualText SaveSettingsCaption{"Save device settings",
                                                   "Zapisz ustawienia urządzenia"};
inline constexpr BilingualText OpenSettingsCaption{"Open settings file", "Otwórz plik ustawień"};
inline constexpr BilingualText CompareWithFileCaption{"Compare with file", "Porównaj z plikiem"};
inline constexpr BilingualText SettingsNotWrittenCaption{"Settings file not written",
                                                         "Plik ustawień nie został zapisany"};
// %2 the system's reason.
inline constexpr BilingualText SettingsNotWrittenText{
    "The settings could not be written to %1:\r%2", "Nie można zapisać ustawień do pliku %1:\r%2"};
inline constexpr BilingualText SettingsFileRefusedCaption{"Settings file not used",
                                                          "Plik ustawień nie został użyty"};
// %1 and %2 the file's model and product code, %3 and %4 the linked device's.
inline constexpr BilingualText OtherModel{
    "This file holds settings of %1 (product code %2); the linked device is %3 (product code "
    "%4).",
    "Ten plik zawiera ustawienia %1 (kod wyrobu %2); podłączone urządzenie to %3 (kod wyrobu "
    "%4)."};
inline constexpr BilingualText NotARegularFile{"%1 is not a regular file.",
                                               "%1 nie jest zwykłym plikiem."};
inline constexpr BilingualText FileTooLarge{
    "%1 is larger than 1 MiB: it is not a settings file.",
    "%1 jest większy niż 1 MiB: to nie jest plik ustawień."};
// %2 the system's reason.
inline constexpr BilingualText FileUnreadable{"%1 cannot be read: %2",
                                              "Nie można odczytać pliku %1: %2"};
inline constexpr BilingualText NotJson{"%1 is not a settings file: it holds no JSON object.",
                                       "%1 nie jest plikiem ustawień: nie zawiera obiektu JSON."};
inline constexpr BilingualText UnknownFormat{"%1 is not a T-adjust settings file.",
                                             "%1 nie jest plikiem ustawień T-adjust."};
inline constexpr BilingualText NewerFormat{
    "%1 was written by a newer T-adjust: this one reads settings files of format version 1.",
    "Plik %1 zapisała nowsza wersja T-adjust: ta odczytuje pliki ustawień w wersji 1."};
// %2 the field's key ("settings.rangeLow").
inline constexpr BilingualText MissingField{"%1: the field \"%2\" is missing.",
                                            "%1: brak pola \"%2\"."};
inline constexpr BilingualText MalformedField{"%1: the field \"%2\" holds no value it takes.",
                                              "%1: pole \"%2\" zawiera niedozwoloną wartość."};
inline constexpr BilingualText ControlCharacter{"%1: the field \"%2\" holds a control character.",
                                                "%1: pole \"%2\" zawiera znak sterujący."};
inline constexpr BilingualText UnknownModel{"%1 names a model T-adjust does not know.",
                                            "%1 podaje model nieznany programowi T-adjust."};
// The edit notice after a file was entered: model, the file's serial number, the file's name.
inline constexpr BilingualText ReadyToSend{
    "Settings of %1 (serial number %2) from %3 ready to send.",
    "Ustawienia %1 (numer seryjny %2) z %3 gotowe do wysłania."};

// The comparison: %1 the model, %2 the device's serial number, %3 what it is compared with.
inline constexpr BilingualText ComparisonTitle{"%1, serial number %2, compared with %3",
                                               "%1, numer seryjny %2, w porównaniu z: %3"};
inline constexpr BilingualText DeviceAsRead{"Device as read", "Urządzenie (odczyt)"};
// %1 the file's name, %2 its serial number.
inline constexpr BilingualText FileColumn{"File %1 (serial number %2)",
                                          "Plik %1 (numer seryjny %2)"};
inline constexpr BilingualText EditableGroupColumn{"Editable settings (to be sent)",
                                                   "Ustawienia edytowane (do wysłania)"};
inline constexpr BilingualText NothingToCompareCaption{"Nothing to compare",
                                                       "Brak danych do porównania"};

}  // namespace tadjust::file_command_texts
