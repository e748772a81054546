#pragma once

#include "canvas.hpp"

namespace pictures {

// Tray icon while the meter counts: a green readout.
Canvas running_icon();
// Tray icon while the meter is paused: the same readout in red.
Canvas paused_icon();
// Tray icon of the viewer while the service does not run: the same readout in grey.
Canvas stopped_icon();
// Icon of the program and its About box.
Canvas about_icon();
// Picture at the side of the notification balloon.
Canvas balloon();
// Pointer shown over links.
Canvas hand_cursor();

// The pixel of the hand cursor that clicks: the tip of the index finger.
inline constexpr Point hand_hotspot{5, 0};

} // namespace pictures
