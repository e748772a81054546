#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Which top-level windows of the calling thread's desktop to select; every given field must match.
struct WindowCriteria {
    std::optional<std::wstring> title;
    std::optional<std::wstring> titlePrefix;
    std::optional<std::wstring> className;
    bool visibleOnly = false;
};

[[nodiscard]] std::wstring windowText(HWND window);
[[nodiscard]] std::wstring windowClass(HWND window);

// Matching windows in Z order, topmost first.
[[nodiscard]] std::vector<HWND> findWindows(const WindowCriteria& criteria);

// The one matching window; none or several is a Failure, since acting on a guess would make a
// test pass or fail for the wrong reason.
[[nodiscard]] HWND findSingleWindow(const WindowCriteria& criteria);

} // namespace e2e
