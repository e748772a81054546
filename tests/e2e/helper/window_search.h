#pragma once

#include "common.h"

#include <optional>
#include <vector>

namespace e2e {

// Which top-level windows to select, hidden ones too unless visibleOnly; every field given must
// match.
struct WindowCriteria {
    std::optional<std::wstring> title;
    std::optional<std::wstring> titlePrefix;
    std::optional<std::wstring> className;
    bool visibleOnly = false;
};

struct CriteriaArguments {
    WindowCriteria criteria;
    std::vector<std::wstring> positional;
};

// Takes `--title-prefix TEXT`, `--class NAME` and `--visible`, in any order, from the words and
// keeps the others in order.
[[nodiscard]] CriteriaArguments parseCriteria(Arguments args);

[[nodiscard]] std::wstring windowText(HWND window);
[[nodiscard]] std::wstring windowClass(HWND window);

// Matching windows in Z order, topmost first.
[[nodiscard]] std::vector<HWND> findWindows(const WindowCriteria& criteria);

// The one matching window; none or several is a Failure, since acting on a guess would make a
// test pass or fail for the wrong reason.
[[nodiscard]] HWND findSingleWindow(const WindowCriteria& criteria);

// Sends a message and waits at most 5 s for the answer; empty when the window's thread gives
// none, so a hung program cannot stall a test.
[[nodiscard]] std::optional<LRESULT> askWindow(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam);

} // namespace e2e
