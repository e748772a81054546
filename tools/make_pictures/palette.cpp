#include "palette.h"

#include <algorithm>
#include <stdexcept>

namespace quillmarten::pictures {

std::uint8_t vgaIndex(Rgb wanted) {
    const auto* found = std::find(vgaPalette.begin(), vgaPalette.end(), wanted);
    if (found == vgaPalette.end()) {
        throw std::invalid_argument("colour is not in the 16-colour palette");
    }
    return static_cast<std::uint8_t>(found - vgaPalette.begin());
}

} // namespace quillmarten::pictures
