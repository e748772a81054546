#pragma once

#include "byte_writer.h"

#include <cstddef>
#include <cstdint>

namespace quillmarten::pictures {

// The fields of a BITMAPINFOHEADER that differ between the pictures; icons store twice their
// height because the transparency mask follows the colours.
struct DibShape {
    int width;
    int height;
    std::uint16_t bitsPerPixel;
    std::size_t imageSize;
};

inline constexpr std::size_t dibHeaderSize = 40;

void putDibHeader(ByteWriter& out, const DibShape& shape);

// Bytes in one stored row: every row starts on a 4-byte boundary.
std::size_t rowStride(int width, int bitsPerPixel);

} // namespace quillmarten::pictures
