#include "desktop/win32_tray.h"

#include "platform/win32_text.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <utility>

namespace quillmarten {

namespace {

static_assert(offsetof(TrayIconRecord, hWnd) == offsetof(NOTIFYICONDATAA, hWnd));
static_assert(offsetof(TrayIconRecord, uID) == offsetof(NOTIFYICONDATAA, uID));
static_assert(offsetof(TrayIconRecord, uFlags) == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(offsetof(TrayIconRecord, uCallbackMessage) ==
              offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(offsetof(TrayIconRecord, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(TrayIconRecord, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(sizeof(TrayIconRecord) == NOTIFYICONDATAA_V1_SIZE);
#ifndef _WIN64
static_assert(sizeof(TrayIconRecord) == 88);
#endif

} // namespace

void Win32NotificationArea::notify(TrayOperation operation, const TrayIconRecord& record) {
    NOTIFYICONDATAA data{};
    std::memcpy(&data, &record, sizeof record);
    Shell_NotifyIconA(static_cast<DWORD>(operation), &data);
}

std::string Win32NotificationArea::toAnsi(std::string_view text) {
    return narrowAnsi(widen(text));
}

bool Win32TaskbarProbe::taskbarExists() {
    return FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr) != nullptr;
}

// Item identifiers count from 1, since TrackPopupMenu returns 0 when nothing was chosen.
Win32PopupMenu::Win32PopupMenu(HWND owner, std::vector<MenuItem> items)
    : owner_(owner), menu_(CreatePopupMenu()), items_(std::move(items)) {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        AppendMenuW(menu_, MF_STRING, index + 1, items_[index].text.c_str());
    }
}

Win32PopupMenu::~Win32PopupMenu() {
    DestroyMenu(menu_);
}

// The owner comes to the foreground first so that the menu closes when the user clicks away.
void Win32PopupMenu::openAtPointer() {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].checked) {
            const UINT mark = items_[index].checked() ? MF_CHECKED : MF_UNCHECKED;
            CheckMenuItem(menu_, static_cast<UINT>(index + 1), MF_BYCOMMAND | mark);
        }
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    SetForegroundWindow(owner_);
    const auto chosen = static_cast<std::size_t>(
        TrackPopupMenu(menu_, TPM_RIGHTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       pointer.x, pointer.y, 0, owner_, nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= items_.size()) {
        items_[chosen - 1].chosen();
    }
}

} // namespace quillmarten
