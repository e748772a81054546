#include "drawings.hpp"

#include <algorithm>
#include <array>

namespace pictures {
namespace {

constexpr int width = 40;
constexpr int height = 39;

// The grey of a classic Windows dialog, so the picture blends into the balloon's own face.
constexpr Rgb ground{214, 211, 206};
constexpr Rgb outline = colour::black;
constexpr Rgb face = colour::white;
constexpr Rgb letter = colour::blue;

struct Spot {
    double x;
    double y;
};

// The balloon's body: a rounded rectangle, edges given in pixel boundaries. Body and tail keep
// one pixel clear of the picture's edges for the outline drawn around them.
constexpr double body_left = 2;
constexpr double body_top = 2;
constexpr double body_right = 38;
constexpr double body_bottom = 29;
constexpr double body_radius = 8;

// The tail hangs from the body's lower left towards the corner of the picture.
constexpr std::array<Spot, 3> tail{{{9, 27}, {19, 27}, {6, 37}}};

// The "i": dot, stem, and the serifs that make it read as a letter rather than a bar.
constexpr std::array<Rect, 4> letter_strokes{{
    {18, 5, 4, 4},
    {18, 11, 4, 13},
    {16, 11, 2, 2},
    {15, 22, 10, 2},
}};

bool in_body(Spot spot) {
    const double nearest_x = std::clamp(spot.x, body_left + body_radius, body_right - body_radius);
    const double nearest_y = std::clamp(spot.y, body_top + body_radius, body_bottom - body_radius);
    const double across = spot.x - nearest_x;
    const double down = spot.y - nearest_y;
    // Squares of half-pixel steps are exact, so no maths library can round a pixel differently.
    return across * across + down * down <= body_radius * body_radius;
}

double side_of(Spot from, Spot to, Spot spot) {
    return (to.x - from.x) * (spot.y - from.y) - (to.y - from.y) * (spot.x - from.x);
}

bool in_tail(Spot spot) {
    const double first = side_of(tail[0], tail[1], spot);
    const double second = side_of(tail[1], tail[2], spot);
    const double third = side_of(tail[2], tail[0], spot);
    return (first >= 0 && second >= 0 && third >= 0) || (first <= 0 && second <= 0 && third <= 0);
}

// A pixel belongs to the balloon when its centre does.
bool in_balloon(Point pixel) {
    const Spot centre{pixel.x + 0.5, pixel.y + 0.5};
    return in_body(centre) || in_tail(centre);
}

// The outline rings the shape from outside, touching it even diagonally, so it stays closed
// around the tail's thin tip and traces body and tail as one shape.
bool on_outline(Point pixel) {
    constexpr std::array<Point, 8> steps{
        {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};
    return !in_balloon(pixel) && std::any_of(steps.begin(), steps.end(), [pixel](Point step) {
        return in_balloon({pixel.x + step.x, pixel.y + step.y});
    });
}

Pixel pixel_at(Point pixel) {
    if (in_balloon(pixel)) {
        return face;
    }
    return on_outline(pixel) ? outline : ground;
}

} // namespace

Canvas balloon() {
    Canvas canvas(width, height, ground);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            canvas.set({x, y}, pixel_at({x, y}));
        }
    }
    for (const Rect& stroke : letter_strokes) {
        canvas.fill(stroke, letter);
    }
    return canvas;
}

} // namespace pictures
