#include "dib.hpp"
#include "encoders.hpp"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace pictures {
namespace {

constexpr std::uint16_t icon_type = 1;
constexpr std::uint16_t cursor_type = 2;
constexpr std::uint16_t colour_bits = 4;
constexpr std::uint16_t mask_bits = 1;
constexpr std::uint32_t image_offset = 6 + 16;

// The two words of a directory entry that icons use for planes and bit depth and cursors for
// the hotspot.
struct Directory {
    std::uint16_t type;
    std::uint16_t first_word;
    std::uint16_t second_word;
};

// Rows go bottom-up and pixels fill each byte from its high bits, as in every Windows bitmap.
template <typename PixelValue>
void put_packed_rows(ByteWriter& out, const Canvas& canvas, int bits, PixelValue value_of) {
    const std::size_t stride = row_stride(canvas.width(), bits);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < canvas.width(); ++x) {
            const auto bit = static_cast<std::size_t>(x * bits);
            const auto shift = static_cast<unsigned>(8 - bits) - bit % 8;
            row[bit / 8] |= static_cast<std::uint8_t>(value_of(canvas.at({x, y})) << shift);
        }
        out.append(row);
    }
}

void put_palette(ByteWriter& out) {
    for (const Rgb& entry : vga_palette) {
        out.u8(entry.blue);
        out.u8(entry.green);
        out.u8(entry.red);
        out.u8(0);
    }
}

// Transparent pixels are black in the colours and set in the mask, so the screen shows through.
std::uint8_t colour_value(Pixel pixel) {
    return vga_index(pixel.value_or(colour::black));
}
std::uint8_t mask_value(Pixel pixel) {
    return pixel ? 0 : 1;
}

Bytes encode_icon_file(const Canvas& canvas, Directory directory) {
    const std::size_t rows = narrow<std::size_t>(canvas.height());
    const std::size_t pixel_bytes =
        (row_stride(canvas.width(), colour_bits) + row_stride(canvas.width(), mask_bits)) * rows;
    const std::size_t image_size = dib_header_size + vga_palette.size() * 4 + pixel_bytes;
    ByteWriter out;
    out.u16(0);
    out.u16(directory.type);
    out.u16(1);
    out.u8(narrow<std::uint8_t>(canvas.width()));
    out.u8(narrow<std::uint8_t>(canvas.height()));
    out.u8(narrow<std::uint8_t>(vga_palette.size()));
    out.u8(0);
    out.u16(directory.first_word);
    out.u16(directory.second_word);
    out.u32(narrow<std::uint32_t>(image_size));
    out.u32(image_offset);
    put_dib_header(out, {canvas.width(), 2 * canvas.height(), colour_bits, pixel_bytes});
    put_palette(out);
    put_packed_rows(out, canvas, colour_bits, colour_value);
    put_packed_rows(out, canvas, mask_bits, mask_value);
    return out.take();
}

} // namespace

Bytes encode_icon(const Canvas& canvas) {
    return encode_icon_file(canvas, {icon_type, 1, colour_bits});
}

Bytes encode_cursor(const Canvas& canvas, Point hotspot) {
    if (!canvas.contains(hotspot)) {
        throw std::invalid_argument("cursor hotspot outside the picture");
    }
    return encode_icon_file(
        canvas, {cursor_type, narrow<std::uint16_t>(hotspot.x), narrow<std::uint16_t>(hotspot.y)});
}

} // namespace pictures
