#include "palette.hpp"

#include <algorithm>
#include <stdexcept>

namespace pictures {

std::uint8_t vga_index(Rgb wanted) {
    const auto* found = std::find(vga_palette.begin(), vga_palette.end(), wanted);
    if (found == vga_palette.end()) {
        throw std::invalid_argument("colour is not in the 16-colour palette");
    }
    return static_cast<std::uint8_t>(found - vga_palette.begin());
}

} // namespace pictures
