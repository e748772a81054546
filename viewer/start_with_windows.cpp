#include "viewer/start_with_windows.h"

namespace quillmarten {

StartWithWindows::StartWithWindows(UserSettings& settings, const std::string& viewerPath)
    : settings_(settings), command_('"' + viewerPath + '"') {}

bool StartWithWindows::isOn() {
    return settings_.text(std::string(runKey), std::string(runValueName)) == command_;
}

void StartWithWindows::toggle() {
    if (isOn()) {
        settings_.remove(std::string(runKey), std::string(runValueName));
    } else {
        settings_.setText(std::string(runKey), std::string(runValueName), command_);
    }
}

} // namespace quillmarten
