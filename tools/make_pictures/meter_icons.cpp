#include "drawings.h"
#include "seven_segment.h"

#include <string_view>

namespace quillmarten::pictures {
namespace {

constexpr int iconSize = 32;

// Two digits fill the tray icon with the widest strokes that stay legible at 16 pixels too.
constexpr DigitSize trayDigit{.stroke = 3, .across = 7, .down = 9};
// Three digits must share the same 32 pixels, so they are thinner.
constexpr DigitSize aboutDigit{.stroke = 2, .across = 4, .down = 8};

constexpr SegmentColours greenSegments{.lit = colour::green, .unlit = colour::darkGreen};
constexpr SegmentColours redSegments{.lit = colour::red, .unlit = colour::darkRed};
constexpr SegmentColours greySegments{.lit = colour::grey, .unlit = colour::darkGrey};

Canvas readoutIcon(std::string_view digits, const Readout& readout) {
    Canvas canvas(iconSize, iconSize, colour::black);
    drawReadout(canvas, digits, readout);
    return canvas;
}

} // namespace

Canvas runningIcon() {
    return readoutIcon("69", {.size = trayDigit, .gap = 2, .colours = greenSegments});
}

Canvas pausedIcon() {
    return readoutIcon("69", {.size = trayDigit, .gap = 2, .colours = redSegments});
}

Canvas stoppedIcon() {
    return readoutIcon("69", {.size = trayDigit, .gap = 2, .colours = greySegments});
}

Canvas aboutIcon() {
    return readoutIcon("069", {.size = aboutDigit, .gap = 2, .colours = greenSegments});
}

} // namespace quillmarten::pictures
