#include "seven_segment.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace quillmarten::pictures {
namespace {

// A digit is a grid of 3 columns by 5 rows; the segments sit in the long cells and the corner
// cells stay dark, which keeps neighbouring segments apart at icon size.
struct Cell {
    std::size_t column;
    std::size_t row;
};

// Segments a to g: top, upper right, lower right, bottom, lower left, upper left, middle.
constexpr std::array<Cell, 7> segmentCells{{
    {1, 0},
    {2, 1},
    {2, 3},
    {1, 4},
    {0, 3},
    {0, 1},
    {1, 2},
}};

// Bit n set means segment n is lit, for the digits 0 to 9.
constexpr std::array<std::uint8_t, 10> digitSegments{
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F,
};

std::array<int, 4> columnEdges(const DigitSize& size) {
    return {0, size.stroke, size.stroke + size.across, 2 * size.stroke + size.across};
}

std::array<int, 6> rowEdges(const DigitSize& size) {
    const int stroke = size.stroke;
    const int down = size.down;
    return {
        0, stroke, stroke + down, 2 * stroke + down, 2 * stroke + 2 * down, 3 * stroke + 2 * down};
}

std::uint8_t segmentsOf(char digit) {
    if (digit < '0' || digit > '9') {
        throw std::invalid_argument("a seven-segment readout shows only digits");
    }
    return digitSegments[static_cast<std::size_t>(digit - '0')];
}

Rect cellRect(Point origin, const DigitSize& size, Cell cell) {
    const auto columns = columnEdges(size);
    const auto rows = rowEdges(size);
    return {origin.x + columns[cell.column], origin.y + rows[cell.row],
            columns[cell.column + 1] - columns[cell.column], rows[cell.row + 1] - rows[cell.row]};
}

void drawDigit(Canvas& canvas, Point origin, char digit, const Readout& readout) {
    const std::uint8_t lit = segmentsOf(digit);
    for (std::size_t segment = 0; segment < segmentCells.size(); ++segment) {
        const bool on = ((lit >> segment) & 1U) != 0;
        canvas.fill(cellRect(origin, readout.size, segmentCells[segment]),
                    on ? readout.colours.lit : readout.colours.unlit);
    }
}

} // namespace

void drawReadout(Canvas& canvas, std::string_view digits, const Readout& readout) {
    const int count = static_cast<int>(digits.size());
    const int digitWidth = columnEdges(readout.size).back();
    const int totalWidth = count * digitWidth + (count - 1) * readout.gap;
    Point origin{(canvas.width() - totalWidth) / 2,
                 (canvas.height() - rowEdges(readout.size).back()) / 2};
    for (const char digit : digits) {
        drawDigit(canvas, origin, digit, readout);
        origin.x += digitWidth + readout.gap;
    }
}

} // namespace quillmarten::pictures
