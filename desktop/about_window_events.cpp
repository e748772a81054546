#include "about_window_events.h"

namespace quillmarten {

AboutWindowEvents::AboutWindowEvents(AboutWindowView& window, Shell& shell)
    : window_(window), shell_(shell) {}

void AboutWindowEvents::Form_Load() {
    window_.moveTo(0, 0);
}

void AboutWindowEvents::Form_Activate() {
    window_.makeTopmost();
}

void AboutWindowEvents::Label1_Click(std::int16_t Index) {
    window_.setLinkColour(Index, visitedPurple);
    if (Index == 0) {
        shell_.open(webLink.target);
    } else if (Index == 1) {
        shell_.open(mailLink.target);
    }
}

} // namespace quillmarten
