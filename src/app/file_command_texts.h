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

}  // namespace tadjust::file_command_texts
