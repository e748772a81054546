#include "win32_session_list.h"

#include "metering/win32_text.h"
#include "win32_window.h"

#include <commctrl.h>

namespace quillmarten {

Win32SessionList::Win32SessionList(HWND parent, const SessionHistory& history, int width,
                                   int height)
    : history_(history),
      list_(CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS,
                            0, 0, scaledPixels(width), scaledPixels(height), parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    addColumn(0, L"Start time", 120);
    addColumn(1, L"Stop time", 120);
    addColumn(2, L"Time in use", 87);
}

void Win32SessionList::addColumn(int index, const wchar_t* header, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = scaledPixels(width);
    column.pszText = const_cast<wchar_t*>(header);
    ListView_InsertColumn(list_, index, &column);
}

void Win32SessionList::showRows(std::size_t count) {
    ListView_SetItemCountEx(list_, static_cast<int>(count), 0);
}

void Win32SessionList::refreshRow(std::size_t row) {
    ListView_RedrawItems(list_, static_cast<int>(row), static_cast<int>(row));
}

void Win32SessionList::selectAndReveal(std::size_t row) {
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list_, static_cast<int>(row), state, state);
    ListView_EnsureVisible(list_, static_cast<int>(row), FALSE);
}

// A record's characters are in the system's ANSI code page; a damaged one may hold any byte.
bool Win32SessionList::onNotify(const NMHDR& notice) {
    if (notice.hwndFrom != list_ || notice.code != LVN_GETDISPINFOW) {
        return false;
    }
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&notice))->item;
    const auto row = static_cast<std::size_t>(item.iItem);
    if ((item.mask & LVIF_TEXT) != 0 && row < history_.size() && item.iSubItem >= 0 &&
        item.iSubItem < 3 && item.cchTextMax > 0) {
        const auto column = static_cast<SessionHistory::Column>(item.iSubItem);
        const std::wstring text = widenAnsi(history_.cellText(row, column));
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    return true;
}

} // namespace quillmarten
