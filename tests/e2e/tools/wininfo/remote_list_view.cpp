#include "remote_list_view.h"

#include "failure.h"

#include <commctrl.h>

#include <algorithm>

namespace e2e {

namespace {

constexpr std::size_t textCapacity = 1024;
// The structure goes first, the text buffer after it at an offset that suits either structure.
constexpr std::size_t textOffset = 256;
static_assert(sizeof(LVITEMW) <= textOffset && sizeof(LVCOLUMNW) <= textOffset);
constexpr std::size_t remoteSize = textOffset + textCapacity * sizeof(wchar_t);
constexpr UINT answerTimeoutMs = 5000;
constexpr int maxColumns = 64;

KernelHandle openOwner(HWND list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    KernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                         PROCESS_QUERY_LIMITED_INFORMATION,
                                     FALSE, processId));
    if (!process) {
        throwLastError(L"OpenProcess");
    }
    return process;
}

bool isWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(process, &wow64)) {
        throwLastError(L"IsWow64Process");
    }
    return wow64 != FALSE;
}

KernelHandle openSameBitnessOwner(HWND list) {
    KernelHandle process = openOwner(list);
    if (isWow64(process.get()) != isWow64(GetCurrentProcess())) {
        throw Failure(L"the list view's program has another bitness than this helper");
    }
    return process;
}

} // namespace

RemoteListView::RemoteListView(HWND list)
    : list_(list), process_(openSameBitnessOwner(list)), memory_(process_.get(), remoteSize) {}

LRESULT RemoteListView::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(list_, message, wParam, lParam, SMTO_ABORTIFHUNG, answerTimeoutMs,
                             &result)) {
        throw Failure(L"the list view did not answer message " + std::to_wstring(message) +
                      L" within 5 s");
    }
    return static_cast<LRESULT>(result);
}

wchar_t* RemoteListView::remoteText() const {
    return reinterpret_cast<wchar_t*>(memory_.address() + textOffset);
}

std::wstring RemoteListView::readRemoteText(const wchar_t* remote, std::size_t length) const {
    std::wstring text(std::min(length, textCapacity - 1), L'\0');
    memory_.read(remote, text.data(), text.size() * sizeof(wchar_t));
    return text;
}

int RemoteListView::itemCount() const {
    return static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0));
}

std::vector<ListColumn> RemoteListView::columns() const {
    std::vector<ListColumn> result;
    for (int index = 0; index < maxColumns; ++index) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = remoteText();
        column.cchTextMax = static_cast<int>(textCapacity);
        memory_.write(memory_.address(), &column, sizeof(column));
        if (send(LVM_GETCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(memory_.address())) == FALSE) {
            break;
        }
        memory_.read(memory_.address(), &column, sizeof(column));
        const std::wstring text = readRemoteText(remoteText(), textCapacity);
        result.push_back({column.cx, text.substr(0, text.find(L'\0'))});
    }
    return result;
}

std::wstring RemoteListView::itemText(int item, int subItem) const {
    LVITEMW request{};
    request.iSubItem = subItem;
    request.pszText = remoteText();
    request.cchTextMax = static_cast<int>(textCapacity);
    memory_.write(memory_.address(), &request, sizeof(request));
    const auto length = send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                             reinterpret_cast<LPARAM>(memory_.address()));
    // The owner may answer with a pointer to its own buffer instead of copying into ours.
    memory_.read(memory_.address(), &request, sizeof(request));
    return readRemoteText(request.pszText, static_cast<std::size_t>(length));
}

bool RemoteListView::isSelected(int item) const {
    return send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
}

int RemoteListView::firstSelected() const {
    return static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

} // namespace e2e
