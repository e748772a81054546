#include "dib.hpp"
#include "encoders.hpp"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace pictures {
namespace {

constexpr std::uint16_t true_colour_bits = 24;
constexpr std::size_t file_header_size = 14;

Rgb opaque(Pixel pixel) {
    if (!pixel) {
        throw std::invalid_argument("a 24-bit bitmap has no transparent pixels");
    }
    return *pixel;
}

// Rows go bottom-up, each pixel blue first, each row padded to 4 bytes.
void put_pixels(ByteWriter& out, const Canvas& canvas) {
    const std::size_t stride = row_stride(canvas.width(), true_colour_bits);
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

Bytes encode_bmp(const Canvas& canvas) {
    const std::size_t pixel_bytes =
        row_stride(canvas.width(), true_colour_bits) * narrow<std::size_t>(canvas.height());
    const std::size_t pixel_offset = file_header_size + dib_header_size;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(narrow<std::uint32_t>(pixel_offset + pixel_bytes));
    out.u16(0);
    out.u16(0);
    out.u32(narrow<std::uint32_t>(pixel_offset));
    put_dib_header(out, {canvas.width(), canvas.height(), true_colour_bits, pixel_bytes});
    put_pixels(out, canvas);
    return out.take();
}

} // namespace pictures
