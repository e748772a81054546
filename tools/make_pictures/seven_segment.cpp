#include "seven_segment.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace pictures {
namespace {

// A digit is a grid of 3 columns by 5 rows; the segments sit in the long cells and the corner
// cells stay dark, which keeps neighbouring segments apart at icon size.
struct Cell {
    std::size_t column;
    std::size_t row;
};

// Segments a to g: top, upper right, lower right, bottom, lower left, upper left, middle.
constexpr std::array<Cell, 7> segment_cells{{
    {1, 0},
    {2, 1},
    {2, 3},
    {1, 4},
    {0, 3},
    {0, 1},
    {1, 2},
}};

// Bit n set means segment n is lit, for the digits 0 to 9.
constexpr std::array<std::uint8_t, 10> digit_segments{
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F,
};

std::array<int, 4> column_edges(const DigitSize& size) {
    return {0, size.stroke, size.stroke + size.across, 2 * size.stroke + size.across};
}

std::array<int, 6> row_edges(const DigitSize& size) {
    const int stroke = size.stroke;
    const int down = size.down;
    return {
        0, stroke, stroke + down, 2 * stroke + down, 2 * stroke + 2 * down, 3 * stroke + 2 * down};
}

std::uint8_t segments_of(char digit) {
    if (digit < '0' || digit > '9') {
        throw std::invalid_argument("a seven-segment readout shows only digits");
    }
    return digit_segments[static_cast<std::size_t>(digit - '0')];
}

Rect cell_rect(Point origin, const DigitSize& size, Cell cell) {
    const auto columns = column_edges(size);
    const auto rows = row_edges(size);
    return {origin.x + columns[cell.column], origin.y + rows[cell.row],
            columns[cell.column + 1] - columns[cell.column], rows[cell.row + 1] - rows[cell.row]};
}

void draw_digit(Canvas& canvas, Point origin, char digit, const Readout& readout) {
    const std::uint8_t lit = segments_of(digit);
    for (std::size_t segment = 0; segment < segment_cells.size(); ++segment) {
        const bool on = ((lit >> segment) & 1U) != 0;
        canvas.fill(cell_rect(origin, readout.size, segment_cells[segment]),
                    on ? readout.colours.lit : readout.colours.unlit);
    }
}

} // namespace

void draw_readout(Canvas& canvas, std::string_view digits, const Readout& readout) {
    const int count = static_cast<int>(digits.size());
    const int digit_width = column_edges(readout.size).back();
    const int total_width = count * digit_width + (count - 1) * readout.gap;
    Point origin{(canvas.width() - total_width) / 2,
                 (canvas.height() - row_edges(readout.size).back()) / 2};
    for (const char digit : digits) {
        draw_digit(canvas, origin, digit, readout);
        origin.x += digit_width + readout.gap;
    }
}

} // namespace pictures
