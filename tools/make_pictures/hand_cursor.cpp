#include "drawings.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace quillmarten::pictures {
namespace {

constexpr int size = 32;

// The hand as drawn: '#' outline, 'o' palm, '.' transparent. Everything right of and below the
// drawing is transparent as well.
constexpr std::array<std::string_view, 22> handRows{
    ".....##",           "....#oo#",          "....#oo#",          "....#oo#",
    "....#oo#",          "....#oo###",        "....#oo#oo###",     "....#oo#oo#oo##",
    "....#oo#oo#oo#o#",  ".##.#oo#oo#oo#oo#", "#oo##ooooooooo#o#", "#ooo#ooooooooooo#",
    ".#oo#ooooooooooo#", "..#o#ooooooooooo#", "..#ooooooooooooo#", "...#oooooooooooo#",
    "...#ooooooooooo#",  "....#oooooooooo#",  "....#oooooooooo#",  ".....#oooooooo#",
    ".....#oooooooo#",   ".....##########",
};

Pixel pixelFor(char mark) {
    switch (mark) {
    case '#':
        return colour::black;
    case 'o':
        return colour::white;
    case '.':
        return std::nullopt;
    default:
        throw std::invalid_argument("unknown mark in the hand drawing");
    }
}

} // namespace

Canvas handCursor() {
    Canvas canvas(size, size, std::nullopt);
    for (std::size_t row = 0; row < handRows.size(); ++row) {
        for (std::size_t column = 0; column < handRows[row].size(); ++column) {
            canvas.set({static_cast<int>(column), static_cast<int>(row)},
                       pixelFor(handRows[row][column]));
        }
    }
    return canvas;
}

} // namespace quillmarten::pictures
