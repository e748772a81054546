#include "window_search.h"

namespace e2e {

namespace {

constexpr UINT answerTimeoutMs = 5000;

std::optional<std::wstring>& optionValue(WindowCriteria& criteria, const std::wstring& option) {
    if (option == L"--title-prefix") {
        return criteria.titlePrefix;
    }
    if (option == L"--class") {
        return criteria.className;
    }
    throw UsageError{L"unknown option " + option};
}

bool matches(HWND window, const WindowCriteria& criteria) {
    const std::wstring text = windowText(window);
    return (!criteria.visibleOnly || IsWindowVisible(window)) &&
           (!criteria.className || windowClass(window) == *criteria.className) &&
           (!criteria.title || text == *criteria.title) &&
           (!criteria.titlePrefix || text.starts_with(*criteria.titlePrefix));
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

CriteriaArguments parseCriteria(Arguments args) {
    CriteriaArguments parsed;
    for (auto word = args.begin(); word != args.end(); ++word) {
        if (*word == L"--visible") {
            parsed.criteria.visibleOnly = true;
        } else if (!word->starts_with(L"--")) {
            parsed.positional.push_back(*word);
        } else {
            const std::wstring& option = *word;
            auto& value = optionValue(parsed.criteria, option);
            if (++word == args.end()) {
                throw UsageError{option + L" needs a value"};
            }
            value = *word;
        }
    }
    return parsed;
}

// GetWindowText reads another process's title without sending it a message, so a hung program
// cannot block the helper.
std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring windowClass(HWND window) {
    wchar_t name[256] = {};
    return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256)));
}

std::vector<HWND> findWindows(const WindowCriteria& criteria) {
    Search search{criteria, {}};
    EnumWindows(collectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findSingleWindow(const WindowCriteria& criteria) {
    const auto found = findWindows(criteria);
    if (found.size() != 1) {
        throw Failure{std::to_wstring(found.size()) +
                      L" windows match the criteria; exactly one is needed"};
    }
    return found.front();
}

std::optional<LRESULT> askWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, answerTimeoutMs,
                             &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

} // namespace e2e
