#pragma once

#include "byte_writer.hpp"

#include <cstddef>
#include <cstdint>

namespace pictures {

// The fields of a BITMAPINFOHEADER that differ between the pictures; icons store twice their
// height because the transparency mask follows the colours.
struct DibShape {
    int width;
    int height;
    std::uint16_t bits_per_pixel;
    std::size_t image_size;
};

inline constexpr std::size_t dib_header_size = 40;

void put_dib_header(ByteWriter& out, const DibShape& shape);

// Bytes in one stored row: every row starts on a 4-byte boundary.
std::size_t row_stride(int width, int bits_per_pixel);

} // namespace pictures
