#pragma once

// The texts of the interface search.

#include "ui/bilingual_text.h"

namespace tadjust::discovery_texts {

inline constexpr BilingualText kPlugInCaption{"Linking with UX-4235S", "Łączenie z UX-4235S"};
inline constexpr BilingualText kPlugInText{
    "Connect UX-4235S interface to PC USB port.\r"
    "If it is already connected, disconnect it and connect again .\r"
    "Then press OK.",
    "Podłącz interfejs UX-4235S do USB komputera.\r"
    "Jeżeli jest już podłączony, to go odłącz i podłącz ponownie.\r"
    "Potem wciśnij OK."};

inline constexpr BilingualText kSearching{"Searching UX-4235S...", "Znajdowanie UX-4235S..."};

inline constexpr BilingualText kConnect{"Connect", "Połącz"};

// The failed search is reported in Polish whatever the language.
inline constexpr BilingualText kNoInterfaceCaption{"Problem z komunikacją",
                                                   "Problem z komunikacją"};
inline constexpr BilingualText kNoInterfaceText{
    "Nie nawiązano połączenia z UX-4235S !!!\rPonów próbę lub anuluj.",
    "Nie nawiązano połączenia z UX-4235S !!!\rPonów próbę lub anuluj."};

// The toolkit's own report, in English only; %1 is the file's path.
inline constexpr const char* kUnableToWrite = "Unable to write to %1";

}  // namespace tadjust::discovery_texts
