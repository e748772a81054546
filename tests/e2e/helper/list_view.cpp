#include "list_view.h"

#include "window_search.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace e2e {

namespace {

constexpr std::size_t textCapacity = 1024;
// The request structure goes first, the text buffer after it at an offset that suits either.
constexpr std::size_t textOffset = 256;
static_assert(sizeof(LVITEMW) <= textOffset && sizeof(LVCOLUMNW) <= textOffset);
constexpr std::size_t blockSize = textOffset + textCapacity * sizeof(wchar_t);
constexpr int maxColumns = 64;

struct FreeInProcess {
    HANDLE process;
    void operator()(void* block) const { VirtualFreeEx(process, block, 0, MEM_RELEASE); }
};

KernelHandle openOwner(HWND list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    KernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        failWithLastError(L"OpenProcess");
    }
    return process;
}

// A list view of another process. The messages that carry pointers are answered inside the owner,
// so their structures and text buffers are placed in its memory, copied byte for byte. A virtual
// list asks its owner for the text while it answers, so those lists work too.
class RemoteListView {
  public:
    explicit RemoteListView(HWND list)
        : list_(list), process_(openOwner(list)),
          block_(VirtualAllocEx(process_.get(), nullptr, blockSize, MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE),
                 FreeInProcess{process_.get()}) {
        if (!block_) {
            failWithLastError(L"VirtualAllocEx");
        }
    }

    [[nodiscard]] LRESULT send(UINT message, WPARAM wParam, LPARAM lParam = 0) const {
        const auto answer = askWindow(list_, message, wParam, lParam);
        if (!answer) {
            throw Failure{L"the list view did not answer message " + std::to_wstring(message)};
        }
        return *answer;
    }

    // Sends `request` with a text buffer, both inside the owner. Returns the answer and the
    // request as the owner left it: it may point at a buffer of the owner's own instead.
    template <typename Request>
    [[nodiscard]] std::pair<LRESULT, Request> sendRequest(UINT message, WPARAM wParam,
                                                          Request request) const {
        request.pszText = reinterpret_cast<wchar_t*>(address() + textOffset);
        request.cchTextMax = static_cast<int>(textCapacity);
        if (!WriteProcessMemory(process_.get(), address(), &request, sizeof request, nullptr)) {
            failWithLastError(L"WriteProcessMemory");
        }
        const LRESULT answer = send(message, wParam, reinterpret_cast<LPARAM>(address()));
        read(address(), &request, sizeof request);
        return {answer, request};
    }

    [[nodiscard]] std::wstring text(const wchar_t* remote, std::size_t length) const {
        std::wstring text(std::min(length, textCapacity - 1), L'\0');
        read(remote, text.data(), text.size() * sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }

  private:
    [[nodiscard]] std::byte* address() const { return static_cast<std::byte*>(block_.get()); }

    void read(const void* remote, void* data, std::size_t size) const {
        if (!ReadProcessMemory(process_.get(), remote, data, size, nullptr)) {
            failWithLastError(L"ReadProcessMemory");
        }
    }

    HWND list_;
    KernelHandle process_;
    std::unique_ptr<void, FreeInProcess> block_;
};

BOOL CALLBACK keepFirstListView(HWND child, LPARAM context) {
    if (windowClass(child) != L"SysListView32") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(context) = child;
    return FALSE;
}

HWND findListView(HWND window) {
    HWND list = nullptr;
    EnumChildWindows(window, keepFirstListView, reinterpret_cast<LPARAM>(&list));
    if (list == nullptr) {
        throw Failure{L"the window holds no SysListView32"};
    }
    return list;
}

// Prints the column lines and returns how many columns there are.
int printColumns(const RemoteListView& list) {
    int index = 0;
    for (; index < maxColumns; ++index) {
        LVCOLUMNW request{};
        request.mask = LVCF_TEXT | LVCF_WIDTH;
        const auto [found, column] =
            list.sendRequest(LVM_GETCOLUMNW, static_cast<WPARAM>(index), request);
        if (found == FALSE) {
            break;
        }
        printLine(L"column\t" + std::to_wstring(index) + L"\t" + std::to_wstring(column.cx) +
                  L"\t" + list.text(column.pszText, textCapacity));
    }
    return index;
}

std::wstring rowLine(const RemoteListView& list, int row, int columns) {
    const auto item = static_cast<WPARAM>(row);
    const bool selected = list.send(LVM_GETITEMSTATE, item, LVIS_SELECTED) != 0;
    std::wstring line = L"row\t" + std::to_wstring(row) + (selected ? L"\t1" : L"\t0");
    for (int column = 0; column < columns; ++column) {
        LVITEMW request{};
        request.iSubItem = column;
        const auto [length, answered] = list.sendRequest(LVM_GETITEMTEXTW, item, request);
        line += L"\t" + list.text(answered.pszText, static_cast<std::size_t>(length));
    }
    return line;
}

} // namespace

// Each row is read from the other process, a message at a time: a long list prints only the
// rows at its two ends.
void printListRows(HWND window) {
    constexpr int rowsAtEachEnd = 10;
    const RemoteListView list(findListView(window));
    const int columns = printColumns(list);
    const auto rows = static_cast<int>(list.send(LVM_GETITEMCOUNT, 0));
    printLine(L"rows\t" + std::to_wstring(rows));
    for (int row = 0; row < rows; ++row) {
        if (row < rowsAtEachEnd || row >= rows - rowsAtEachEnd) {
            printLine(rowLine(list, row, columns));
        }
    }
    const LRESULT selected = list.send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    printLine(L"selected\t" + std::to_wstring(selected));
}

} // namespace e2e
