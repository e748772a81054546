#pragma once

#include "byte_writer.h"
#include "canvas.h"

namespace quillmarten::pictures {

// A single-image 16-colour .ico file.
Bytes encodeIcon(const Canvas& canvas);
// A single-image 16-colour .cur file clicking at the hotspot.
Bytes encodeCursor(const Canvas& canvas, Point hotspot);
// A 24-bit .bmp file; the canvas must be fully opaque.
Bytes encodeBmp(const Canvas& canvas);

} // namespace quillmarten::pictures
