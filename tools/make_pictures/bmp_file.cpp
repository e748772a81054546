#include "dib.h"
#include "encoders.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace quillmarten::pictures {
namespace {

constexpr std::uint16_t trueColourBits = 24;
constexpr std::size_t fileHeaderSize = 14;

Rgb opaque(Pixel pixel) {
    if (!pixel) {
        throw std::invalid_argument("a 24-bit bitmap has no transparent pixels");
    }
    return *pixel;
}

// Rows go bottom-up, each pixel blue first, each row padded to 4 bytes.
void putPixels(ByteWriter& out, const Canvas& canvas) {
    const std::size_t stride = rowStride(canvas.width(), trueColourBits);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        Bytes row;
        row.reserve(stride);
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb colour = opaque(canvas.at({x, y}));
            row.insert(row.end(), {colour.blue, colour.green, colour.red});
        }
        row.resize(stride, 0);
        out.append(row);
    }
}

} // namespace

Bytes encodeBmp(const Canvas& canvas) {
    const std::size_t pixelBytes =
        rowStride(canvas.width(), trueColourBits) * narrow<std::size_t>(canvas.height());
    const std::size_t pixelOffset = fileHeaderSize + dibHeaderSize;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(narrow<std::uint32_t>(pixelOffset + pixelBytes));
    out.u16(0);
    out.u16(0);
    out.u32(narrow<std::uint32_t>(pixelOffset));
    putDibHeader(out, {canvas.width(), canvas.height(), trueColourBits, pixelBytes});
    putPixels(out, canvas);
    return out.take();
}

} // namespace quillmarten::pictures
