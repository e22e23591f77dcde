#pragma once

// The texts of the device exchange: link prompts, status lines, write refusals, retry dialogs,
// button captions.

#include "ui/bilingual_text.h"

namespace tadjust::exchange_texts {

inline constexpr BilingualText Connect{"Connect", "Połącz"};
inline constexpr BilingualText Disconnect{"Disconnect", "Rozłącz"};

inline constexpr BilingualText LinkPromptCaption{"Linking with the device",
                                                 "Łączenie z urządzeniem"};
inline constexpr BilingualText LinkPromptText{
    "Connect device to UX-4235S\rand immediately press OK.",
    "Podłącz urządzenie do UX-4235S\ri niezwłocznie naciśnij OK."};
inline constexpr BilingualText Linking{"Linking device ...", "Łączenie z urządzeniem ..."};

inline constexpr BilingualText PortNotOpenedCaption{"Communication problem",
                                                    "Problem z komunikacją"};
// %1 is the port's name. The port exists (a port that is gone is searched for again), but
// another program may hold it.
inline constexpr BilingualText PortNotOpenedText{
    "The port %1 cannot be opened: another program may be using it.\rClose that program and "
    "press Connect again.",
    "Nie można otworzyć portu %1: być może używa go inny program.\rZamknij ten program i "
    "naciśnij ponownie Połącz."};

// In Label41 when the interface box has gone from under the open port.
inline constexpr BilingualText ConnectionLost{"Connection to the interface box lost.",
                                              "Utracono połączenie z interfejsem UX-4235S."};

inline constexpr BilingualText WriteVerification{"Write verification  ...",
                                                 "Weryfikacja zapisu ..."};
inline constexpr BilingualText ReadingData{"Reading data ...", "Odczyt danych ..."};

inline constexpr BilingualText WritingData{"Writing data ...", "Zapis danych ..."};
inline constexpr BilingualText NotSentCaption{"Settings not sent",
                                              "Ustawienia nie zostały wysłane"};
// %1 is the model; the encode step gave a block of another layout.
inline constexpr BilingualText BlockDoesNotFit{
    "The settings prepared for %1 do not fit its memory.\rNothing was sent.",
    "Ustawienia przygotowane dla %1 nie pasują do jego pamięci.\rNiczego nie wysłano."};
inline constexpr BilingualText WriteVerified{"Settings written and verified.",
                                             "Ustawienia zapisane i sprawdzone."};
// After No to "Repeat writing?": %1 is the first difference as the question names it.
inline constexpr BilingualText WriteNotVerified{"Settings NOT verified: %1",
                                                "Ustawienia NIEPOTWIERDZONE: %1"};
// After it, when more fields differ; %1 is how many more.
inline constexpr BilingualText MoreDifferences{" (+%1 more)", " (+%1 więcej)"};
// The check read before a write found another device than the last read: %1 and %2 the product
// code and serial number on the box now, %3 and %4 those read before.
inline constexpr BilingualText AnotherDeviceOnTheBox{
    "Another device is on the box: product code %1, serial number %2 (read before: %3, %4). "
    "Nothing was sent.",
    "Podłączono inne urządzenie: kod wyrobu %1, numer seryjny %2 (odczytane wcześniej: %3, %4). "
    "Niczego nie wysłano."};
// The read-back of a write named another device than the one written: %1 and %2 the product
// code and serial number that answered, %3 and %4 those of the device written.
inline constexpr BilingualText AnotherDeviceAnswered{
    "Another device answered: product code %1, serial number %2 (written: %3, %4). Nothing was "
    "repeated.",
    "Odpowiedziało inne urządzenie: kod wyrobu %1, numer seryjny %2 (zapisywane: %3, %4). "
    "Niczego nie powtórzono."};
// %1 is the product code, %2 the model the device is shown as.
inline constexpr BilingualText UnknownProductCode{"Unknown product code %1: shown as %2.",
                                                  "Nieznany kod wyrobu %1: pokazano jako %2."};

inline constexpr BilingualText RepeatWritingCaption{"Data error!", "Błąd zapisu danych!"};
inline constexpr BilingualText RepeatWritingText{"Repeat writing?", "Czy powtórzyć zapis?"};
// Above the question, the fields the device holds other than were sent.
inline constexpr BilingualText StoredOtherwise{"The device holds other values than were sent:",
                                               "Urządzenie zawiera inne wartości niż wysłane:"};

inline constexpr BilingualText NoResponseCaption{"Communication problem", "Problem z komunikacją"};
inline constexpr BilingualText NoResponseText{
    "No response from device !!!\rRetry or cancel.",
    "Nie nawiązano połączenia z urządzeniem !!!\rPonów próbę lub anuluj."};

inline constexpr BilingualText DisconnectDeviceCaption{"Device disconnection",
                                                       "Odłączanie urządzenia"};
inline constexpr BilingualText DisconnectDeviceText{
    "Disconnect device from UX-4235S.\rand press OK.",
    "Odłącz urządzenie od UX-4235S.\ri naciśnij OK."};

inline constexpr BilingualText RepeatReadingCaption{"Data error!", "Błąd odczytu danych!"};
inline constexpr BilingualText RepeatReadingText{"Repeat reading?", "Czy powtórzyć odczyt?"};

}  // namespace tadjust::exchange_texts
