#include "win32_session_list.h"

#include "metering/win32_text.h"
#include "win32_window.h"

#include <commctrl.h>

namespace quillmarten {

Win32SessionList::Win32SessionList(HWND parent, int width, int height)
    : parent_(parent), list_(CreateWindowExW(0, WC_LISTVIEWW, L"",
                                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA |
                                                 LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                             0, 0, scaledPixels(width), scaledPixels(height),
                                             parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {
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

void Win32SessionList::clear() {
    rows_.clear();
    rowsShown_ = 0;
    ListView_SetItemCountEx(list_, 0, 0);
}

std::int32_t Win32SessionList::addRow(const std::string& text) {
    if (rows_.size() == rowsShown_) {
        PostMessageW(parent_, rowsAddedMessage, 0, 0);
    }
    rows_.push_back({text, "", ""});
    return rowCount();
}

void Win32SessionList::syncRowCount() {
    if (rowsShown_ != rows_.size()) {
        rowsShown_ = rows_.size();
        ListView_SetItemCountEx(list_, static_cast<int>(rowsShown_),
                                LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    }
}

std::int32_t Win32SessionList::rowCount() const {
    return static_cast<std::int32_t>(rows_.size());
}

void Win32SessionList::setSubItem(std::int32_t row, int column, const std::string& text) {
    const auto index = static_cast<std::size_t>(row - 1);
    rows_.at(index).at(static_cast<std::size_t>(column)) = text;
    if (index < rowsShown_) {
        ListView_RedrawItems(list_, row - 1, row - 1);
    }
}

void Win32SessionList::selectRow(std::int32_t row) {
    syncRowCount();
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list_, row - 1, state, state);
}

void Win32SessionList::scrollIntoView(std::int32_t row) {
    syncRowCount();
    ListView_EnsureVisible(list_, row - 1, FALSE);
}

bool Win32SessionList::onNotify(const NMHDR& notice) {
    if (notice.hwndFrom != list_ || notice.code != LVN_GETDISPINFOW) {
        return false;
    }
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&notice))->item;
    const auto row = static_cast<std::size_t>(item.iItem);
    if ((item.mask & LVIF_TEXT) != 0 && row < rows_.size() && item.iSubItem >= 0 &&
        item.iSubItem < 3 && item.cchTextMax > 0) {
        const std::wstring text = widen(rows_[row][static_cast<std::size_t>(item.iSubItem)]);
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    return true;
}

} // namespace quillmarten
