#pragma once

// Widths of the window's fields in its design pixels; Qt scales them with the screen's pixel
// density. Form1 builds its controls at these widths, and the settings view, which changes some
// of them per model, puts them back before each layout.

namespace tadjust {

inline constexpr int kEditWidth = 89;
inline constexpr int kShortEditWidth = 60;
inline constexpr int kWideEditWidth = 139;
inline constexpr int kWideListWidth = 165;
inline constexpr int kNarrowListWidth = 89;

}  // namespace tadjust
