#include "desktop/about_window_events.h"

namespace quillmarten {

AboutWindowEvents::AboutWindowEvents(AboutWindowView& window, Shell& shell)
    : window_(window), shell_(shell) {}

void AboutWindowEvents::onLoad() {
    window_.moveTo(0, 0);
}

void AboutWindowEvents::onActivate() {
    window_.makeTopmost();
}

void AboutWindowEvents::onLinkClick(AboutLinkKind link) {
    window_.setLinkColour(link, visitedPurple);
    shell_.open(link == AboutLinkKind::web ? webLink.target : mailLink.target);
}

} // namespace quillmarten
