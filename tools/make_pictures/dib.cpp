#include "dib.hpp"

namespace pictures {

void put_dib_header(ByteWriter& out, const DibShape& shape) {
    constexpr std::uint16_t planes = 1;
    constexpr std::uint32_t uncompressed = 0;
    out.u32(static_cast<std::uint32_t>(dib_header_size));
    out.u32(narrow<std::uint32_t>(shape.width));
    out.u32(narrow<std::uint32_t>(shape.height));
    out.u16(planes);
    out.u16(shape.bits_per_pixel);
    out.u32(uncompressed);
    out.u32(narrow<std::uint32_t>(shape.image_size));
    // Resolution and colour counts stay zero: no resolution is implied, and zero colours means
    // "all that the bit depth allows".
    for (int field = 0; field < 4; ++field) {
        out.u32(0);
    }
}

std::size_t row_stride(int width, int bits_per_pixel) {
    const std::size_t bits = narrow<std::size_t>(width) * narrow<std::size_t>(bits_per_pixel);
    return (bits + 31) / 32 * 4;
}

} // namespace pictures
