#include "drawings.hpp"
#include "seven_segment.hpp"

#include <string_view>

namespace pictures {
namespace {

constexpr int icon_size = 32;

// Two digits fill the tray icon with the widest strokes that stay legible at 16 pixels too.
constexpr DigitSize tray_digit{.stroke = 3, .across = 7, .down = 9};
// Three digits must share the same 32 pixels, so they are thinner.
constexpr DigitSize about_digit{.stroke = 2, .across = 4, .down = 8};

constexpr SegmentColours green_segments{.lit = colour::green, .unlit = colour::dark_green};
constexpr SegmentColours red_segments{.lit = colour::red, .unlit = colour::dark_red};
constexpr SegmentColours grey_segments{.lit = colour::grey, .unlit = colour::dark_grey};

Canvas readout_icon(std::string_view digits, const Readout& readout) {
    Canvas canvas(icon_size, icon_size, colour::black);
    draw_readout(canvas, digits, readout);
    return canvas;
}

} // namespace

Canvas running_icon() {
    return readout_icon("69", {.size = tray_digit, .gap = 2, .colours = green_segments});
}

Canvas paused_icon() {
    return readout_icon("69", {.size = tray_digit, .gap = 2, .colours = red_segments});
}

Canvas stopped_icon() {
    return readout_icon("69", {.size = tray_digit, .gap = 2, .colours = grey_segments});
}

Canvas about_icon() {
    return readout_icon("069", {.size = about_digit, .gap = 2, .colours = green_segments});
}

} // namespace pictures
