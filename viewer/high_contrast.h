#pragma once

#include <cstdint>

namespace quillmarten {

// Whether the viewer draws with the system's colours alone, its red of a damaged row and its
// weekends shaded in the buttons' colour included: when Windows says a high-contrast theme is on,
// and when the theme paints the buttons' faces in the windows' own colour, as the high-contrast
// themes do (where the shading would not show) and as a scheme set by hand may.
constexpr bool systemColoursOnly(bool highContrastOn, std::uint32_t face, std::uint32_t window) {
    return highContrastOn || face == window;
}

} // namespace quillmarten
