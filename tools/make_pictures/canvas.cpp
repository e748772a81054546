#include "canvas.h"

#include <stdexcept>

namespace quillmarten::pictures {
namespace {

std::size_t pixelCount(int width, int height) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("canvas needs a positive size");
    }
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

} // namespace

Canvas::Canvas(int width, int height, Pixel ground)
    : width_(width), height_(height), pixels_(pixelCount(width, height), ground) {}

bool Canvas::contains(Point point) const {
    return point.x >= 0 && point.x < width_ && point.y >= 0 && point.y < height_;
}

Pixel Canvas::at(Point point) const {
    return pixels_[index(point)];
}

void Canvas::set(Point point, Pixel pixel) {
    pixels_[index(point)] = pixel;
}

void Canvas::fill(const Rect& rect, Pixel pixel) {
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            set({x, y}, pixel);
        }
    }
}

// Drawing outside the canvas is a mistake in the drawing tables, never something to clip.
std::size_t Canvas::index(Point point) const {
    if (!contains(point)) {
        throw std::out_of_range("pixel outside the canvas");
    }
    return static_cast<std::size_t>(point.y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(point.x);
}

} // namespace quillmarten::pictures
