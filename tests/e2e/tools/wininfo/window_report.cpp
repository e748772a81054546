#include "window_report.h"

#include "console.h"
#include "failure.h"
#include "remote_list_view.h"
#include "window_search.h"

#include <cstdint>
#include <string>

namespace e2e {

namespace {

std::wstring flag(bool value) {
    return value ? L"1" : L"0";
}

std::wstring styleFlags(HWND window) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    return L"visible=" + flag(IsWindowVisible(window) != FALSE) + L" topmost=" +
           flag((exStyle & WS_EX_TOPMOST) != 0) + L" toolwindow=" +
           flag((exStyle & WS_EX_TOOLWINDOW) != 0) + L" appwindow=" +
           flag((exStyle & WS_EX_APPWINDOW) != 0);
}

// The window rectangle in screen coordinates and the size of the client area.
std::wstring geometry(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    return L"rect=" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
           std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom) + L" client=" +
           std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom);
}

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
        throw Failure(L"the window holds no SysListView32");
    }
    return list;
}

std::wstring rowLine(const RemoteListView& list, int row, std::size_t columnCount) {
    std::wstring line = L"row\t" + std::to_wstring(row) + L"\t" + flag(list.isSelected(row));
    for (std::size_t column = 0; column < columnCount; ++column) {
        line += L"\t" + list.itemText(row, static_cast<int>(column));
    }
    return line;
}

} // namespace

void printWindow(HWND window) {
    printLine(L"hwnd=" + hexText(reinterpret_cast<std::uintptr_t>(window)) + L" " +
              styleFlags(window) + L" " + geometry(window) + L" class=" + windowClass(window) +
              L" title=" + windowText(window));
}

void printListRows(HWND window) {
    const RemoteListView list(findListView(window));
    const auto columns = list.columns();
    printLine(L"columns\t" + std::to_wstring(columns.size()));
    for (std::size_t index = 0; index < columns.size(); ++index) {
        printLine(L"column\t" + std::to_wstring(index) + L"\t" +
                  std::to_wstring(columns[index].width) + L"\t" + columns[index].text);
    }
    const int rows = list.itemCount();
    printLine(L"rows\t" + std::to_wstring(rows));
    for (int row = 0; row < rows; ++row) {
        printLine(rowLine(list, row, columns.size()));
    }
    printLine(L"selected\t" + std::to_wstring(list.firstSelected()));
}

} // namespace e2e
