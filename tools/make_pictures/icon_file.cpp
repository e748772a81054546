#include "dib.h"
#include "encoders.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace quillmarten::pictures {
namespace {

constexpr std::uint16_t iconType = 1;
constexpr std::uint16_t cursorType = 2;
constexpr std::uint16_t colourBits = 4;
constexpr std::uint16_t maskBits = 1;
constexpr std::uint32_t imageOffset = 6 + 16;

// The two words of a directory entry that icons use for planes and bit depth and cursors for
// the hotspot.
struct Directory {
    std::uint16_t type;
    std::uint16_t firstWord;
    std::uint16_t secondWord;
};

// Rows go bottom-up and pixels fill each byte from its high bits, as in every Windows bitmap.
template <typename PixelValue>
void putPackedRows(ByteWriter& out, const Canvas& canvas, int bits, PixelValue valueOf) {
    const std::size_t stride = rowStride(canvas.width(), bits);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < canvas.width(); ++x) {
            const auto bit = static_cast<std::size_t>(x * bits);
            const auto shift = static_cast<unsigned>(8 - bits) - bit % 8;
            row[bit / 8] |= static_cast<std::uint8_t>(valueOf(canvas.at({x, y})) << shift);
        }
        out.append(row);
    }
}

void putPalette(ByteWriter& out) {
    for (const Rgb& entry : vgaPalette) {
        out.u8(entry.blue);
        out.u8(entry.green);
        out.u8(entry.red);
        out.u8(0);
    }
}

// Transparent pixels are black in the colours and set in the mask, so the screen shows through.
std::uint8_t colourValue(Pixel pixel) {
    return vgaIndex(pixel.value_or(colour::black));
}
std::uint8_t maskValue(Pixel pixel) {
    return pixel ? 0 : 1;
}

Bytes encodeIconFile(const Canvas& canvas, Directory directory) {
    const std::size_t rows = narrow<std::size_t>(canvas.height());
    const std::size_t pixelBytes =
        (rowStride(canvas.width(), colourBits) + rowStride(canvas.width(), maskBits)) * rows;
    const std::size_t imageSize = dibHeaderSize + vgaPalette.size() * 4 + pixelBytes;
    ByteWriter out;
    out.u16(0);
    out.u16(directory.type);
    out.u16(1);
    out.u8(narrow<std::uint8_t>(canvas.width()));
    out.u8(narrow<std::uint8_t>(canvas.height()));
    out.u8(narrow<std::uint8_t>(vgaPalette.size()));
    out.u8(0);
    out.u16(directory.firstWord);
    out.u16(directory.secondWord);
    out.u32(narrow<std::uint32_t>(imageSize));
    out.u32(imageOffset);
    putDibHeader(out, {canvas.width(), 2 * canvas.height(), colourBits, pixelBytes});
    putPalette(out);
    putPackedRows(out, canvas, colourBits, colourValue);
    putPackedRows(out, canvas, maskBits, maskValue);
    return out.take();
}

} // namespace

Bytes encodeIcon(const Canvas& canvas) {
    return encodeIconFile(canvas, {iconType, 1, colourBits});
}

Bytes encodeCursor(const Canvas& canvas, Point hotspot) {
    if (!canvas.contains(hotspot)) {
        throw std::invalid_argument("cursor hotspot outside the picture");
    }
    return encodeIconFile(
        canvas, {cursorType, narrow<std::uint16_t>(hotspot.x), narrow<std::uint16_t>(hotspot.y)});
}

} // namespace quillmarten::pictures
