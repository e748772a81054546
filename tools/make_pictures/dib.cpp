#include "dib.h"

namespace quillmarten::pictures {

void putDibHeader(ByteWriter& out, const DibShape& shape) {
    constexpr std::uint16_t planes = 1;
    constexpr std::uint32_t uncompressed = 0;
    out.u32(static_cast<std::uint32_t>(dibHeaderSize));
    out.u32(narrow<std::uint32_t>(shape.width));
    out.u32(narrow<std::uint32_t>(shape.height));
    out.u16(planes);
    out.u16(shape.bitsPerPixel);
    out.u32(uncompressed);
    out.u32(narrow<std::uint32_t>(shape.imageSize));
    // Resolution and colour counts stay zero: no resolution is implied, and zero colours means
    // "all that the bit depth allows".
    for (int field = 0; field < 4; ++field) {
        out.u32(0);
    }
}

std::size_t rowStride(int width, int bitsPerPixel) {
    const std::size_t bits = narrow<std::size_t>(width) * narrow<std::size_t>(bitsPerPixel);
    return (bits + 31) / 32 * 4;
}

} // namespace quillmarten::pictures
