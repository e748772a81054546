#pragma once

#include "canvas.h"

namespace quillmarten::pictures {

// Tray icon while the meter counts: a green readout.
Canvas runningIcon();
// Tray icon while the meter is paused: the same readout in red.
Canvas pausedIcon();
// Tray icon of the viewer while the service does not run: the same readout in grey.
Canvas stoppedIcon();
// Icon of the program and its About box.
Canvas aboutIcon();
// Picture at the side of the notification balloon.
Canvas balloon();
// Pointer shown over links.
Canvas handCursor();

// The pixel of the hand cursor that clicks: the tip of the index finger.
inline constexpr Point handHotspot{5, 0};

} // namespace quillmarten::pictures
