#pragma once

#include "viewer/viewer_ports.h"

#include <string>
#include <string_view>

namespace quillmarten {

inline constexpr std::string_view runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view runValueName = "Quillmarten Viewer";

// Whether Windows starts this viewer when the user logs on: the value "Quillmarten Viewer"
// under the user's Run key, holding the viewer's quoted path.
class StartWithWindows {
  public:
    StartWithWindows(UserSettings& settings, const std::string& viewerPath);

    // On only when the value starts this very viewer.
    bool isOn();
    void toggle();

  private:
    UserSettings& settings_;
    std::string command_;
};

} // namespace quillmarten
