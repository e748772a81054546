#include "console.h"
#include "failure.h"
#include "numbers.h"
#include "poll.h"
#include "tool_main.h"
#include "window_search.h"

#include <string>
#include <vector>

namespace {

using e2e::Arguments;

constexpr wchar_t usage[] = L"usage: msgbox wait CAPTION SECONDS";

// Control ids inside a MessageBox dialog: the text is a static with id 0xFFFF.
constexpr int messageTextId = 0xFFFF;
constexpr DWORD closeTimeoutMs = 5000;

HWND waitForMessageBox(const std::wstring& caption, DWORD timeoutMs) {
    const e2e::WindowCriteria criteria{caption, std::nullopt, L"#32770", true};
    std::vector<HWND> found;
    if (!e2e::pollUntil(timeoutMs, [&] {
            found = e2e::findWindows(criteria);
            return !found.empty();
        })) {
        throw e2e::Failure(L"no message box captioned \"" + caption + L"\" appeared");
    }
    return found.front();
}

HWND dialogItem(HWND dialog, int id, std::wstring_view what) {
    const HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        throw e2e::Failure(L"the message box has no " + std::wstring(what));
    }
    return item;
}

// Posted rather than sent, like a real click it does not wait for the owner to react.
void clickOk(HWND dialog) {
    const HWND ok = dialogItem(dialog, IDOK, L"OK button");
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(ok))) {
        e2e::throwLastError(L"PostMessage(WM_COMMAND IDOK)");
    }
    if (!e2e::pollUntil(closeTimeoutMs, [dialog] { return !IsWindow(dialog); })) {
        throw e2e::Failure(L"the message box stayed open after OK");
    }
}

void dispatch(const Arguments& args) {
    if (args.size() != 3 || args[0] != L"wait") {
        throw e2e::UsageError(L"wrong arguments");
    }
    const HWND dialog = waitForMessageBox(args[1], e2e::parseTimeoutSeconds(args[2]));
    e2e::printLine(e2e::windowText(dialogItem(dialog, messageTextId, L"message text")));
    clickOk(dialog);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return e2e::runTool(L"msgbox", usage, argc, argv, dispatch);
}
