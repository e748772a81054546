#include "console.h"
#include "criteria_args.h"
#include "failure.h"
#include "numbers.h"
#include "poll.h"
#include "tool_main.h"
#include "window_report.h"
#include "window_search.h"

#include <cstdint>

namespace {

using e2e::Arguments;
using e2e::WindowCriteria;

constexpr wchar_t usage[] =
    L"usage: wininfo find [CRITERIA]\n"
    L"       wininfo count [CRITERIA]\n"
    L"       wininfo rows CRITERIA\n"
    L"       wininfo close CRITERIA\n"
    L"       wininfo wait-visible CRITERIA 0|1 SECONDS\n"
    L"CRITERIA (all given must match): --title TEXT  --title-prefix TEXT  --class NAME  --visible";

void expectPositional(const Arguments& positional, std::size_t count) {
    if (positional.size() != count) {
        throw e2e::UsageError(L"wrong number of arguments");
    }
}

void findCommand(const WindowCriteria& criteria) {
    const auto windows = e2e::findWindows(criteria);
    if (windows.empty()) {
        throw e2e::Failure(L"no window matches");
    }
    for (const HWND window : windows) {
        e2e::printWindow(window);
    }
}

void closeCommand(const WindowCriteria& criteria) {
    const HWND window = e2e::findSingleWindow(criteria);
    if (!PostMessageW(window, WM_CLOSE, 0, 0)) {
        e2e::throwLastError(L"PostMessage(WM_CLOSE)");
    }
    e2e::printLine(L"closed hwnd=" + e2e::hexText(reinterpret_cast<std::uintptr_t>(window)));
}

// Visible means some matching window is visible; hidden means none is, whether or not one exists.
void waitVisibleCommand(WindowCriteria criteria, const Arguments& positional) {
    expectPositional(positional, 2);
    const bool wanted = e2e::parseNumber(positional[0], 0, 1, L"VISIBLE") == 1;
    const DWORD timeoutMs = e2e::parseTimeoutSeconds(positional[1]);
    criteria.visibleOnly = true;
    if (!e2e::pollUntil(timeoutMs, [&] { return e2e::findWindows(criteria).empty() != wanted; })) {
        throw e2e::Failure(L"timed out waiting for visible=" + positional[0]);
    }
    e2e::printLine(L"visible=" + positional[0]);
}

void dispatch(const Arguments& args) {
    if (args.empty()) {
        throw e2e::UsageError(L"missing command");
    }
    const std::wstring& command = args[0];
    const auto [criteria, positional] = e2e::parseCriteria(args.begin() + 1, args.end());
    if (command == L"wait-visible") {
        waitVisibleCommand(criteria, positional);
        return;
    }
    expectPositional(positional, 0);
    if (command == L"find") {
        findCommand(criteria);
    } else if (command == L"count") {
        e2e::printLine(std::to_wstring(e2e::findWindows(criteria).size()));
    } else if (command == L"rows") {
        e2e::printListRows(e2e::findSingleWindow(criteria));
    } else if (command == L"close") {
        closeCommand(criteria);
    } else {
        throw e2e::UsageError(L"unknown command " + command);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return e2e::runTool(L"wininfo", usage, argc, argv, dispatch);
}
