#pragma once

#include "canvas.h"

#include <string_view>

namespace quillmarten::pictures {

// Pixel sizes of one digit: the stroke is the thickness of every segment, the lengths are those
// of the horizontal and vertical segments between the stroke-sized corners.
struct DigitSize {
    int stroke;
    int across;
    int down;
};

struct SegmentColours {
    Rgb lit;
    Rgb unlit;
};

struct Readout {
    DigitSize size;
    int gap;
    SegmentColours colours;
};

// Draws the digits centred on the canvas with every segment shown, so the picture reads as a
// meter display: lit segments bright, the others dim.
void drawReadout(Canvas& canvas, std::string_view digits, const Readout& readout);

} // namespace quillmarten::pictures
