#include "helper.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <utility>

namespace e2e {

namespace {

constexpr UINT answerTimeoutMs = 5000;
constexpr int messageTextId = 0xFFFF; // the static control that holds a message box's text

// The children of `parent` (or top-level windows) of the class and title given, topmost first.
std::vector<HWND> findWindows(HWND parent, const wchar_t* className,
                              const wchar_t* title = nullptr) {
    std::vector<HWND> found;
    for (HWND window = nullptr;
         (window = FindWindowExW(parent, window, className, title)) != nullptr;) {
        found.push_back(window);
    }
    return found;
}

// GetWindowText reads another process's title without a message, which a hung program would block.
std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// One line, the title last since it may hold blanks:
// visible= topmost= toolwindow= rect=LEFT,TOP,RIGHT,BOTTOM client=WIDTHxHEIGHT title=
std::wstring windowLine(HWND window) {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(window, &info);
    wchar_t line[160] = {};
    swprintf(line, std::size(line),
             L"visible=%d topmost=%d toolwindow=%d rect=%ld,%ld,%ld,%ld client=%ldx%ld title=",
             IsWindowVisible(window) != FALSE, (info.dwExStyle & WS_EX_TOPMOST) != 0,
             (info.dwExStyle & WS_EX_TOOLWINDOW) != 0, info.rcWindow.left, info.rcWindow.top,
             info.rcWindow.right, info.rcWindow.bottom, info.rcClient.right - info.rcClient.left,
             info.rcClient.bottom - info.rcClient.top);
    return line + windowText(window);
}

// Posted rather than sent: like a click, it does not wait for the owner to react.
void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam)) {
        failWithLastError(L"PostMessage(" + std::to_wstring(message) + L")");
    }
}

// The visible dialog of that caption; none is a Failure, which a script may try again.
HWND visibleDialog(const std::wstring& caption) {
    for (const HWND window : findWindows(nullptr, L"#32770", caption.c_str())) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    throw Failure{L"no dialog captioned \"" + caption + L"\""};
}

void clickOk(HWND dialog) {
    post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// The one top-level window of the class, hidden or not; none or several is a Failure, not a guess.
HWND findSingleWindow(const std::wstring& className) {
    const auto found = findWindows(nullptr, className.c_str());
    if (found.size() != 1) {
        throw Failure{std::to_wstring(found.size()) + L" windows of class " + className};
    }
    return found.front();
}

// Sends a message; no answer within 5 s is a Failure, so that a hung program cannot stall a test.
LRESULT askWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, answerTimeoutMs,
                            &answer) == 0) {
        throw Failure{L"no answer to message " + std::to_wstring(message)};
    }
    return static_cast<LRESULT>(answer);
}

constexpr std::size_t textCapacity = 1024;
constexpr std::size_t textOffset = 256; // of the text buffer, behind either kind of request
static_assert(sizeof(LVITEMW) <= textOffset && sizeof(LVCOLUMNW) <= textOffset);
constexpr int rowsAtEachEnd = 10;

struct FreeInProcess {
    HANDLE process;
    void operator()(void* block) const { VirtualFreeEx(process, block, 0, MEM_RELEASE); }
};

// The list view in another process's window. Messages with pointers are answered inside the owner,
// so their structures and text buffers are placed in its memory (virtual lists work too).
class RemoteListView {
  public:
    explicit RemoteListView(HWND window)
        : list_(FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(list_, &processId);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   processId));
        block_ = {VirtualAllocEx(process_.get(), nullptr,
                                 textOffset + textCapacity * sizeof(wchar_t),
                                 MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE),
                  FreeInProcess{process_.get()}};
        if (!block_) {
            failWithLastError(L"reaching the list view's memory");
        }
    }

    [[nodiscard]] LRESULT send(UINT message, WPARAM wParam, LPARAM lParam = 0) const {
        return askWindow(list_, message, wParam, lParam);
    }

    // Sends `request` with a text buffer, both inside the owner. Returns the answer and the
    // request as the owner left it: it may point at a buffer of the owner's own instead.
    template <typename Request>
    [[nodiscard]] std::pair<LRESULT, Request> request(UINT message, WPARAM wParam,
                                                      Request request) const {
        auto* remote = static_cast<std::byte*>(block_.get());
        request.pszText = reinterpret_cast<wchar_t*>(remote + textOffset);
        request.cchTextMax = static_cast<int>(textCapacity);
        write(remote, &request, sizeof request);
        const LRESULT answer = send(message, wParam, reinterpret_cast<LPARAM>(remote));
        read(remote, &request, sizeof request);
        return {answer, request};
    }

    // How wide the text is in the list's own font, measured by the list.
    [[nodiscard]] int stringWidth(const std::wstring& text) const {
        auto* remote = static_cast<std::byte*>(block_.get()) + textOffset;
        write(remote, text.c_str(),
              (std::min(text.size(), textCapacity - 1) + 1) * sizeof(wchar_t));
        return static_cast<int>(send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(remote)));
    }

    [[nodiscard]] std::wstring text(const wchar_t* remote, std::size_t length) const {
        std::wstring text(std::min(length, textCapacity - 1), L'\0');
        read(remote, text.data(), text.size() * sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }

  private:
    void write(void* remote, const void* data, std::size_t size) const {
        if (!WriteProcessMemory(process_.get(), remote, data, size, nullptr)) {
            failWithLastError(L"WriteProcessMemory");
        }
    }

    void read(const void* remote, void* data, std::size_t size) const {
        if (!ReadProcessMemory(process_.get(), remote, data, size, nullptr)) {
            failWithLastError(L"ReadProcessMemory");
        }
    }

    HWND list_;
    KernelHandle process_;
    std::unique_ptr<void, FreeInProcess> block_;
};

// Prints the column lines; returns how wide each column's header is in the list's font.
std::vector<int> printColumns(const RemoteListView& list) {
    std::vector<int> headerWidths;
    for (int index = 0;; ++index) {
        LVCOLUMNW request{};
        request.mask = LVCF_TEXT | LVCF_WIDTH;
        const auto [found, column] =
            list.request(LVM_GETCOLUMNW, static_cast<WPARAM>(index), request);
        if (found == FALSE) {
            return headerWidths;
        }
        const std::wstring header = list.text(column.pszText, textCapacity);
        headerWidths.push_back(list.stringWidth(header));
        printLine(L"column\t" + std::to_wstring(index) + L"\t" + std::to_wstring(column.cx) +
                  L"\t" + header);
    }
}

// Prints the row's line, and widens `widest` where a cell's text is wider in the list's font.
void printRow(const RemoteListView& list, int row, std::vector<int>& widest) {
    std::wstring line = L"row\t" + std::to_wstring(row);
    for (std::size_t column = 0; column < widest.size(); ++column) {
        LVITEMW request{};
        request.iSubItem = static_cast<int>(column);
        const auto [length, answered] =
            list.request(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), request);
        const std::wstring cell = list.text(answered.pszText, static_cast<std::size_t>(length));
        widest[column] = std::max(widest[column], list.stringWidth(cell));
        line += L"\t" + cell;
    }
    printLine(line);
}

// CLASS names top-level windows, PARENT/CLASS the children of the one window of class PARENT.
std::vector<HWND> windowsAt(const std::wstring& path) {
    const auto slash = path.find(L'/');
    const HWND parent =
        slash == std::wstring::npos ? nullptr : findSingleWindow(path.substr(0, slash));
    return findWindows(parent, path.substr(slash + 1).c_str());
}

} // namespace

HWND firstWindowAt(const std::wstring& path) {
    const auto found = windowsAt(path);
    if (found.empty()) {
        throw Failure{L"no window " + path};
    }
    return found.front();
}

void findCommand(const Words& words) {
    for (const HWND window : windowsAt(words[0])) {
        printLine(windowLine(window));
    }
}

void closeCommand(const Words& words) {
    post(findSingleWindow(words[0]), WM_CLOSE, 0, 0);
}

// What Windows sends a program's top-level windows when its user logs off: first it asks every
// window whether the session may end, then it tells each that it ends. Each must answer both.
void logoffCommand(const Words& words) {
    const auto windows = findWindows(nullptr, words[0].c_str());
    for (const UINT message : {UINT{WM_QUERYENDSESSION}, UINT{WM_ENDSESSION}}) {
        for (const HWND window : windows) {
            askWindow(window, message, message == WM_ENDSESSION,
                      static_cast<LPARAM>(ENDSESSION_LOGOFF));
        }
    }
    printLine(std::to_wstring(windows.size()));
}

void messageBoxCommand(const Words& words) {
    const HWND dialog = visibleDialog(words[0]);
    printLine(windowText(GetDlgItem(dialog, messageTextId)));
    clickOk(dialog);
}

// The file dialog's file name box is edt1 in the classic layout and an edit inside cmb13 in the
// Explorer one. WM_SETTEXT carries its text across processes, which SetWindowText does not.
void saveAsCommand(const Words& words) {
    const HWND dialog = visibleDialog(words[0]);
    const HWND name =
        GetDlgItem(dialog, edt1) != nullptr ? GetDlgItem(dialog, edt1) : GetDlgItem(dialog, cmb13);
    askWindow(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(words[1].c_str()));
    clickOk(dialog);
}

// Tab-separated lines for the list view in the one window of the class: column INDEX WIDTH TEXT,
// rows COUNT, row INDEX TEXT... (only the rows at both ends of a long list: a row takes a message
// per cell), selected INDEX (-1 for none), widest INDEX PIXELS (the widest text printed, header
// included, in the list's font).
void rowsCommand(const Words& words) {
    const RemoteListView list(findSingleWindow(words[0]));
    std::vector<int> widest = printColumns(list);
    const auto rows = static_cast<int>(list.send(LVM_GETITEMCOUNT, 0));
    printLine(L"rows\t" + std::to_wstring(rows));
    for (int row = 0; row < rows; ++row) {
        if (row < rowsAtEachEnd || row >= rows - rowsAtEachEnd) {
            printRow(list, row, widest);
        }
    }
    const LRESULT selected = list.send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    printLine(L"selected\t" + std::to_wstring(selected));
    for (std::size_t column = 0; column < widest.size(); ++column) {
        printLine(L"widest\t" + std::to_wstring(column) + L"\t" + std::to_wstring(widest[column]));
    }
}

} // namespace e2e
