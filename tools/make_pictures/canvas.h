#pragma once

#include "palette.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace quillmarten::pictures {

struct Point {
    int x;
    int y;
};

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

// An empty pixel is transparent: icons and cursors show the desktop through it.
using Pixel = std::optional<Rgb>;

// Pixels addressed from the top-left corner, as they are drawn; the encoders flip rows.
class Canvas {
  public:
    Canvas(int width, int height, Pixel ground);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(Point point) const;
    Pixel at(Point point) const;
    void set(Point point, Pixel pixel);
    void fill(const Rect& rect, Pixel pixel);

  private:
    std::size_t index(Point point) const;

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

} // namespace quillmarten::pictures
