#include "commands.h"
#include "list_view.h"
#include "window_search.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace e2e {

namespace {

// One line, the title last since it may hold blanks:
// visible= topmost= toolwindow= rect=LEFT,TOP,RIGHT,BOTTOM client=WIDTHxHEIGHT class= title=
std::wstring windowLine(HWND window) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    wchar_t flagsAndGeometry[160] = {};
    swprintf(flagsAndGeometry, std::size(flagsAndGeometry),
             L"visible=%d topmost=%d toolwindow=%d rect=%ld,%ld,%ld,%ld client=%ldx%ld",
             IsWindowVisible(window) != FALSE, (exStyle & WS_EX_TOPMOST) != 0,
             (exStyle & WS_EX_TOOLWINDOW) != 0, rect.left, rect.top, rect.right, rect.bottom,
             client.right, client.bottom);
    return flagsAndGeometry + (L" class=" + windowClass(window)) + L" title=" + windowText(window);
}

std::vector<HWND> findSome(const WindowCriteria& criteria) {
    auto windows = findWindows(criteria);
    if (windows.empty()) {
        throw Failure{L"no window matches"};
    }
    return windows;
}

// Posted, like a click on the close box, so the helper does not wait for the owner.
void closeWindow(const WindowCriteria& criteria) {
    if (!PostMessageW(findSingleWindow(criteria), WM_CLOSE, 0, 0)) {
        failWithLastError(L"PostMessage(WM_CLOSE)");
    }
    printLine(L"closed");
}

// Visible means some matching window is visible; hidden means none is, whether or not one exists.
void waitVisible(WindowCriteria criteria, Arguments positional) {
    expectCount(positional, 2);
    const bool wanted = parseNumber(positional[0], 0, 1, L"VISIBLE") == 1;
    const DWORD timeoutMs = parseSeconds(positional[1]);
    criteria.visibleOnly = true;
    if (!pollUntil(timeoutMs, [&] { return findWindows(criteria).empty() != wanted; })) {
        throw Failure{L"timed out waiting for visible=" + positional[0]};
    }
    printLine(L"visible=" + positional[0]);
}

bool answers(HWND window, UINT message, WPARAM wParam) {
    return askWindow(window, message, wParam, static_cast<LPARAM>(ENDSESSION_LOGOFF)).has_value();
}

} // namespace

void windowCommand(Arguments args) {
    if (args.empty()) {
        throw UsageError{L"missing window command"};
    }
    const std::wstring& command = args.front();
    const auto [criteria, positional] = parseCriteria(args.subspan(1));
    if (command == L"wait-visible") {
        waitVisible(criteria, positional);
        return;
    }
    expectCount(positional, 0);
    if (command == L"find") {
        for (const HWND window : findSome(criteria)) {
            printLine(windowLine(window));
        }
    } else if (command == L"count") {
        printLine(std::to_wstring(findWindows(criteria).size()));
    } else if (command == L"rows") {
        printListRows(findSingleWindow(criteria));
    } else if (command == L"close") {
        closeWindow(criteria);
    } else {
        throw UsageError{L"unknown window command " + command};
    }
}

// What Windows sends a program's top-level windows when its user logs off: first it asks every
// window whether the session may end, then it tells each one that answered that it ends. A window
// is reached when it answered both.
void logoffCommand(Arguments args) {
    const auto [criteria, positional] = parseCriteria(args);
    expectCount(positional, 0);
    auto windows = findSome(criteria);
    std::erase_if(windows, [](HWND window) { return !answers(window, WM_QUERYENDSESSION, 0); });
    const auto reached = std::ranges::count_if(
        windows, [](HWND window) { return answers(window, WM_ENDSESSION, TRUE); });
    printLine(std::to_wstring(reached));
}

} // namespace e2e
