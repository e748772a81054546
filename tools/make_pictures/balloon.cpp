#include "drawings.h"

#include <algorithm>
#include <array>

namespace quillmarten::pictures {
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
constexpr double bodyLeft = 2;
constexpr double bodyTop = 2;
constexpr double bodyRight = 38;
constexpr double bodyBottom = 29;
constexpr double bodyRadius = 8;

// The tail hangs from the body's lower left towards the corner of the picture.
constexpr std::array<Spot, 3> tail{{{9, 27}, {19, 27}, {6, 37}}};

// The "i": dot, stem, and the serifs that make it read as a letter rather than a bar.
constexpr std::array<Rect, 4> letterStrokes{{
    {18, 5, 4, 4},
    {18, 11, 4, 13},
    {16, 11, 2, 2},
    {15, 22, 10, 2},
}};

bool inBody(Spot spot) {
    const double nearestX = std::clamp(spot.x, bodyLeft + bodyRadius, bodyRight - bodyRadius);
    const double nearestY = std::clamp(spot.y, bodyTop + bodyRadius, bodyBottom - bodyRadius);
    const double across = spot.x - nearestX;
    const double down = spot.y - nearestY;
    // Squares of half-pixel steps are exact, so no maths library can round a pixel differently.
    return across * across + down * down <= bodyRadius * bodyRadius;
}

double sideOf(Spot from, Spot to, Spot spot) {
    return (to.x - from.x) * (spot.y - from.y) - (to.y - from.y) * (spot.x - from.x);
}

bool inTail(Spot spot) {
    const double first = sideOf(tail[0], tail[1], spot);
    const double second = sideOf(tail[1], tail[2], spot);
    const double third = sideOf(tail[2], tail[0], spot);
    return (first >= 0 && second >= 0 && third >= 0) || (first <= 0 && second <= 0 && third <= 0);
}

// A pixel belongs to the balloon when its centre does.
bool inBalloon(Point pixel) {
    const Spot centre{pixel.x + 0.5, pixel.y + 0.5};
    return inBody(centre) || inTail(centre);
}

// The outline rings the shape from outside, touching it even diagonally, so it stays closed
// around the tail's thin tip and traces body and tail as one shape.
bool onOutline(Point pixel) {
    constexpr std::array<Point, 8> steps{
        {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};
    return !inBalloon(pixel) && std::any_of(steps.begin(), steps.end(), [pixel](Point step) {
        return inBalloon({pixel.x + step.x, pixel.y + step.y});
    });
}

Pixel pixelAt(Point pixel) {
    if (inBalloon(pixel)) {
        return face;
    }
    return onOutline(pixel) ? outline : ground;
}

} // namespace

Canvas balloon() {
    Canvas canvas(width, height, ground);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            canvas.set({x, y}, pixelAt({x, y}));
        }
    }
    for (const Rect& stroke : letterStrokes) {
        canvas.fill(stroke, letter);
    }
    return canvas;
}

} // namespace quillmarten::pictures
