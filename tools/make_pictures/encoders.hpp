#pragma once

#include "byte_writer.hpp"
#include "canvas.hpp"

namespace pictures {

// A single-image 16-colour .ico file.
Bytes encode_icon(const Canvas& canvas);
// A single-image 16-colour .cur file clicking at the hotspot.
Bytes encode_cursor(const Canvas& canvas, Point hotspot);
// A 24-bit .bmp file; the canvas must be fully opaque.
Bytes encode_bmp(const Canvas& canvas);

} // namespace pictures
