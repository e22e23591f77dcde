#pragma once

// Why an edited group is not sent, in both languages: the copy a small layout needs, and every
// refusal of the encoder. A box is named by its row's caption as the window shows it (%1); each
// text ends by saying that nothing reached the device.

#include "ui/bilingual_text.h"

namespace tadjust::write_refusal_texts {

// %1 is the model, %2 the caption of the copy button on one line.
inline constexpr BilingualText NoCopyOfLinkedDevice{
    "The editable settings were not copied from the %1 linked now.\rPress \"%2\" first, then "
    "edit the settings and send them.\rNothing was sent.",
    "Ustawienia edytowane nie zostały przepisane z podłączonego urządzenia %1.\rNajpierw "
    "naciśnij „%2”, potem zmień ustawienia i wyślij je.\rNiczego nie wysłano."};

// %1 what validation changed, one box a line; %2 the caption of the send button on one line.
inline constexpr BilingualText CorrectedBeforeSending{
    "Before sending, validation changed these values:\r%1\rCheck the corrected values in their "
    "boxes and press \"%2\" again.\rNothing was sent.",
    "Przed wysłaniem poprawiono te wartości:\r%1\rSprawdź poprawione wartości w ich polach i "
    "naciśnij ponownie „%2”.\rNiczego nie wysłano."};

// %1 is the box's caption, %2 its text.
inline constexpr BilingualText NotANumber{
    "\"%1\" holds no number: \"%2\".\rNothing was sent.",
    "Pole „%1” nie zawiera liczby: „%2”.\rNiczego nie wysłano."};
inline constexpr BilingualText NotAnInteger{
    "\"%1\" must hold a whole number: \"%2\".\rNothing was sent.",
    "Pole „%1” musi zawierać liczbę całkowitą: „%2”.\rNiczego nie wysłano."};
inline constexpr BilingualText ValueOutOfRange{
    "\"%1\" holds a value the device cannot store: \"%2\".\rNothing was sent.",
    "Pole „%1” zawiera wartość, której urządzenie nie może zapisać: „%2”.\rNiczego nie "
    "wysłano."};
// %1 is the box's caption: its value would be stored as another (a 16-bit word wraps).
inline constexpr BilingualText FieldOutOfRange{
    "%1: the value cannot be stored in the device.\rNothing was sent.",
    "%1: tej wartości nie można zapisać w urządzeniu.\rNiczego nie wysłano."};
// %1 and %2 are the captions of the display range boxes, %3 and %4 the calibration points.
inline constexpr BilingualText ScaleOutOfRange{
    "\"%1\" and \"%2\": the display scale that the device's calibration points (%3, %4) give "
    "this range cannot be stored in the device.\rNothing was sent.",
    "„%1” i „%2”: skali wyświetlania, jaką punkty kalibracji urządzenia (%3, %4) dają temu "
    "zakresowi, nie można zapisać w urządzeniu.\rNiczego nie wysłano."};
// %1 is the alarm box's caption, %2 and %3 the calibration points.
inline constexpr BilingualText AlarmCountOutOfRange{
    "%1: the value cannot be stored in the device: with the device's calibration points (%2, "
    "%3) its input count lies outside 0 to 65535.\rNothing was sent.",
    "%1: tej wartości nie można zapisać w urządzeniu: przy punktach kalibracji urządzenia (%2, "
    "%3) jej wartość wejściowa leży poza zakresem od 0 do 65535.\rNiczego nie wysłano."};
// %1 is the list's caption.
inline constexpr BilingualText NothingSelected{
    "Nothing is selected in \"%1\".\rNothing was sent.",
    "W polu „%1” nic nie wybrano.\rNiczego nie wysłano."};
// %1 is the sensor-type list's caption, %2 the series.
inline constexpr BilingualText NoVoltageScale{
    "\"%1\": a device of series %2 has no voltage input.\rNothing was sent.",
    "„%1”: urządzenie serii %2 nie ma wejścia napięciowego.\rNiczego nie wysłano."};
// %1 and %2 are the captions of the range boxes, %3 the reason (below).
inline constexpr BilingualText LinearisationUnwritable{
    "The sensor's characteristic cannot be stored for the range in \"%1\" and \"%2\": "
    "%3.\rChoose another range.\rNothing was sent.",
    "Charakterystyki czujnika nie można zapisać dla zakresu z pól „%1” i „%2”: %3.\rWybierz "
    "inny zakres.\rNiczego nie wysłano."};
// %1 is the value of both calibration words.
inline constexpr BilingualText EqualCalibrationPoints{
    "The device's two calibration points are equal (%1): no display scale can be "
    "computed.\rNothing was sent.",
    "Oba punkty kalibracji urządzenia są równe (%1): nie można obliczyć skali "
    "wyświetlania.\rNiczego nie wysłano."};
// %1 and %2 are the captions of the display range boxes.
inline constexpr BilingualText EqualDisplayValues{
    "\"%1\" equals \"%2\": the display would show one value whatever the input.\rNothing was "
    "sent.",
    "Wartość pola „%1” jest równa wartości pola „%2”: wyświetlacz pokazywałby jedną wartość "
    "niezależnie od wejścia.\rNiczego nie wysłano."};

// The reasons a linearisation window cannot be stored (%3 above).
inline constexpr BilingualText NoSignalScale{"the device's series has no scale for this sensor",
                                             "seria urządzenia nie ma skali dla tego czujnika"};
inline constexpr BilingualText TooFewPoints{"the range holds too few points of the sensor's table",
                                            "zakres obejmuje za mało punktów tablicy czujnika"};
inline constexpr BilingualText EmptySpan{"the range is empty", "zakres jest pusty"};
inline constexpr BilingualText TooManyBreakpoints{
    "the characteristic needs more segments than the device holds",
    "charakterystyka wymaga więcej odcinków, niż mieści urządzenie"};
inline constexpr BilingualText SlopeTooSteep{
    "a slope of the characteristic does not fit the device's words",
    "nachylenie odcinka charakterystyki nie mieści się w słowie urządzenia"};
inline constexpr BilingualText WordOutOfRange{
    "a point of the characteristic lies outside the device's scale",
    "punkt charakterystyki leży poza skalą urządzenia"};

}  // namespace tadjust::write_refusal_texts
