#include "commands.h"
#include "window_search.h"

#include <dlgs.h>

namespace e2e {

namespace {

// The text of a message box is a static control with this id.
constexpr int messageTextId = 0xFFFF;
constexpr DWORD closeTimeoutMs = 5000;

HWND waitForDialog(const std::wstring& caption, DWORD timeoutMs) {
    const WindowCriteria criteria{caption, std::nullopt, L"#32770", true};
    std::vector<HWND> found;
    if (!pollUntil(timeoutMs, [&] { return !(found = findWindows(criteria)).empty(); })) {
        throw Failure{L"no dialog captioned \"" + caption + L"\" appeared"};
    }
    return found.front();
}

HWND dialogItem(HWND dialog, int id, std::wstring_view what) {
    const HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        throw Failure{L"the dialog has no " + std::wstring(what)};
    }
    return item;
}

// Posted rather than sent: like a real click, it does not wait for the owner to react.
void clickOk(HWND dialog) {
    const HWND ok = dialogItem(dialog, IDOK, L"OK button");
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(ok))) {
        failWithLastError(L"PostMessage(WM_COMMAND IDOK)");
    }
    if (!pollUntil(closeTimeoutMs, [dialog] { return !IsWindow(dialog); })) {
        throw Failure{L"the dialog stayed open after OK"};
    }
}

} // namespace

void messageBoxCommand(Arguments args) {
    expectCount(args, 3);
    if (args[0] != L"wait") {
        throw UsageError{L"unknown msgbox command " + args[0]};
    }
    const HWND dialog = waitForDialog(args[1], parseSeconds(args[2]));
    printLine(windowText(dialogItem(dialog, messageTextId, L"message text")));
    clickOk(dialog);
}

// The file dialog's file name box is edt1 in the classic layout and an edit inside cmb13 in the
// Explorer one. WM_SETTEXT carries its text across processes, which SetWindowText does not.
void saveAsCommand(Arguments args) {
    expectCount(args, 3);
    const HWND dialog = waitForDialog(args[0], parseSeconds(args[2]));
    const HWND name = GetDlgItem(dialog, edt1) != nullptr ? GetDlgItem(dialog, edt1)
                                                          : dialogItem(dialog, cmb13, L"file name");
    if (!askWindow(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()))) {
        throw Failure{L"the file name box did not take the name"};
    }
    clickOk(dialog);
    printLine(L"saved");
}

} // namespace e2e
