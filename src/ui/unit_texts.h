#pragma once

// The unit labels beside the settings' boxes, as the window shows them (UTF-8); the same in
// both languages.

namespace tadjust::unit_texts {

inline constexpr char Celsius[] = "[°C]";
inline constexpr char Millivolt[] = "[mV]";
inline constexpr char Ohm[] = "[Ohm]";
inline constexpr char Seconds[] = "[s]";
inline constexpr char RelativeHumidity[] = "[%RH]";
inline constexpr char DewPoint[] = "[°Cdp]";

}  // namespace tadjust::unit_texts
