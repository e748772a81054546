#include "window_search.h"

#include "failure.h"

namespace e2e {

std::wstring windowText(HWND window) {
    // GetWindowText reads another process's text without sending it a message, so a hung
    // program cannot block the helper.
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::wstring windowClass(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<std::size_t>(length));
}

namespace {

bool matches(HWND window, const WindowCriteria& criteria) {
    if (criteria.visibleOnly && !IsWindowVisible(window)) {
        return false;
    }
    if (criteria.className && windowClass(window) != *criteria.className) {
        return false;
    }
    const std::wstring text = windowText(window);
    if (criteria.title && text != *criteria.title) {
        return false;
    }
    return !criteria.titlePrefix || text.starts_with(*criteria.titlePrefix);
}

struct Search {
    const WindowCriteria& criteria;
    std::vector<HWND> found;
};

BOOL CALLBACK collectMatch(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (matches(window, search.criteria)) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> findWindows(const WindowCriteria& criteria) {
    Search search{criteria, {}};
    EnumWindows(collectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findSingleWindow(const WindowCriteria& criteria) {
    const auto found = findWindows(criteria);
    if (found.size() != 1) {
        throw Failure(std::to_wstring(found.size()) +
                      L" windows match the criteria; exactly one is needed");
    }
    return found.front();
}

} // namespace e2e
