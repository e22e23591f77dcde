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

}  // namespace tadjust::history_texts
