#include "desktop/win32_session_list.h"

#include "desktop/win32_window.h"
#include "log_file/session_record.h"
#include "platform/win32_text.h"

#include <algorithm>
#include <array>

namespace quillmarten {

namespace {

constexpr std::array<const wchar_t*, 4> headers{L"Start time", L"Stop time", L"Time in use",
                                                L"Note"};
// Pixels at 96 dpi.
constexpr std::array<int, 4> leastWidths{120, 120, 87, 60};
// A cell's text keeps a margin on each side.
constexpr int cellMargins = 14;

} // namespace

Win32SessionList::Win32SessionList(HWND parent, const SessionRows& rows, int width, int height)
    : rows_(rows),
      list_(CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT |
                                LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            0, 0, scaledPixels(width, parent), scaledPixels(height, parent), parent,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    for (std::size_t index = 0; index < columnCount(); ++index) {
        addColumn(static_cast<int>(index), headers[index], leastWidths[index]);
    }
}

void Win32SessionList::markDamagedRows(COLORREF colour) {
    if (!damagedColour_) {
        const auto note = static_cast<std::size_t>(SessionRows::Column::note);
        addColumn(static_cast<int>(note), headers[note], leastWidths[note]);
    }
    damagedColour_ = colour;
    InvalidateRect(list_, nullptr, FALSE);
}

void Win32SessionList::addColumn(int index, const wchar_t* header, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = scaledPixels(width, list_);
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

void Win32SessionList::place(const RECT& bounds) {
    MoveWindow(list_, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
}

// Every record shows the same shape of text, so a record of zeros measures them all.
void Win32SessionList::fitColumns() {
    const std::string zeros(sessionTextLength, '0');
    for (std::size_t index = 0; index < columnCount(); ++index) {
        const auto column = static_cast<SessionRows::Column>(index);
        const std::wstring sample =
            widen(column == SessionRows::Column::note ? std::string(damagedNote)
                                                      : SessionRows::recordCellText(zeros, column));
        const int needed = std::max(ListView_GetStringWidth(list_, headers[index]),
                                    ListView_GetStringWidth(list_, sample.c_str())) +
                           scaledPixels(cellMargins, list_);
        fittedWidths_[index] = std::max(scaledPixels(leastWidths[index], list_), needed);
        ListView_SetColumnWidth(list_, static_cast<int>(index), fittedWidths_[index]);
    }
}

void Win32SessionList::spreadColumns(int width) {
    int fitted = 0;
    for (std::size_t index = 0; index < columnCount(); ++index) {
        fitted += fittedWidths_[index];
    }
    const int share = std::max(0, width - fitted) / static_cast<int>(columnCount());
    for (std::size_t index = 0; index < columnCount(); ++index) {
        ListView_SetColumnWidth(list_, static_cast<int>(index), fittedWidths_[index] + share);
    }
}

int Win32SessionList::columnsWidth() const {
    int width = 0;
    for (std::size_t index = 0; index < columnCount(); ++index) {
        width += ListView_GetColumnWidth(list_, static_cast<int>(index));
    }
    return width;
}

std::optional<LRESULT> Win32SessionList::onNotify(const NMHDR& notice) {
    if (notice.hwndFrom != list_) {
        return std::nullopt;
    }
    auto& changeable = const_cast<NMHDR&>(notice);
    if (notice.code == LVN_GETDISPINFOW) {
        answerTextRequest(reinterpret_cast<NMLVDISPINFOW&>(changeable).item);
    } else if (notice.code == NM_CUSTOMDRAW && damagedColour_) {
        return answerDrawRequest(reinterpret_cast<NMLVCUSTOMDRAW&>(changeable));
    }
    return 0;
}

// A record's characters are in the system's ANSI code page; a damaged one may hold any byte.
void Win32SessionList::answerTextRequest(LVITEMW& item) const {
    const auto row = static_cast<std::size_t>(item.iItem);
    if ((item.mask & LVIF_TEXT) != 0 && row < rows_.size() && item.iSubItem >= 0 &&
        static_cast<std::size_t>(item.iSubItem) < columnCount() && item.cchTextMax > 0) {
        const auto column = static_cast<SessionRows::Column>(item.iSubItem);
        const std::wstring text = widenAnsi(rows_.cellText(row, column));
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
}

LRESULT Win32SessionList::answerDrawRequest(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && row < rows_.size() && rows_.isDamaged(row)) {
        draw.clrText = *damagedColour_;
    }
    return CDRF_DODEFAULT;
}

} // namespace quillmarten
