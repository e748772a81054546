#include "desktop/win32_tray.h"

#include "platform/win32_text.h"

#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>

namespace quillmarten {

namespace {

// The record ends with the tooltip field, which keeps the tooltips the logic cuts and a NUL.
static_assert(NOTIFYICONDATAA_V1_SIZE == offsetof(NOTIFYICONDATAA, szTip) + tooltipCapacity + 1);
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
#endif

constexpr UINT iconId = 1;

// The field as it has always been sent: the ANSI text, its NUL, then spaces to the field's end.
void fillTooltipField(std::span<CHAR> field, const std::string& ansiText) {
    std::fill(field.begin(), field.end(), ' ');
    const std::size_t length = std::min(ansiText.size(), field.size() - 1);
    std::copy_n(ansiText.begin(), length, field.begin());
    field[length] = '\0';
}

} // namespace

Win32NotificationArea::Win32NotificationArea(HWND callbackWindow, UINT callbackMessage,
                                             const Win32Pictures& pictures, TrayInput input)
    : pictures_(pictures), input_(input) {
    const bool keyboard = input == TrayInput::mouseAndKeyboard;
    record_.cbSize = keyboard ? sizeof record_ : NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = callbackWindow;
    record_.uID = iconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | (keyboard ? NIF_SHOWTIP : 0);
    record_.uCallbackMessage = callbackMessage;
    record_.uVersion = keyboard ? NOTIFYICON_VERSION_4 : 0;
}

void Win32NotificationArea::fill(TrayPicture picture, std::string_view tooltip) {
    record_.hIcon = picture == TrayPicture::running  ? pictures_.running()
                    : picture == TrayPicture::paused ? pictures_.paused()
                                                     : pictures_.stopped();
    if (tooltip_ != tooltip) {
        tooltip_ = tooltip;
        fillTooltipField(record_.szTip, narrowAnsi(widen(tooltip)));
    }
}

void Win32NotificationArea::add(TrayPicture picture, std::string_view tooltip) {
    fill(picture, tooltip);
    if (Shell_NotifyIconA(NIM_ADD, &record_) != FALSE && input_ == TrayInput::mouseAndKeyboard) {
        Shell_NotifyIconA(NIM_SETVERSION, &record_);
    }
}

void Win32NotificationArea::change(TrayPicture picture, std::string_view tooltip) {
    fill(picture, tooltip);
    Shell_NotifyIconA(NIM_MODIFY, &record_);
}

void Win32NotificationArea::remove() {
    Shell_NotifyIconA(NIM_DELETE, &record_);
}

void Win32NotificationArea::returnFocus() {
    Shell_NotifyIconA(NIM_SETFOCUS, &record_);
}

// The mouse message number itself is decoded, not a coordinate scaled by the screen's density,
// so the double-click and the right button work the same at every density. The fourth version
// puts it in the same place. Its NIN_SELECT is left out: a single click sends it too, and the
// double-click keeps its meaning.
TrayClick trayClickOf(LPARAM callback) {
    switch (LOWORD(callback)) {
    case NIN_KEYSELECT:
        return TrayClick::keySelect;
    case WM_CONTEXTMENU:
        return TrayClick::contextMenu;
    case WM_MOUSEMOVE:
        return TrayClick::mouseMove;
    case WM_LBUTTONDBLCLK:
        return TrayClick::leftDoubleClick;
    case WM_RBUTTONDOWN:
        return TrayClick::rightButtonDown;
    case WM_RBUTTONUP:
        return TrayClick::rightButtonUp;
    default:
        return TrayClick::other;
    }
}

ScreenPoint trayAnchorOf(WPARAM callback) {
    return ScreenPoint{GET_X_LPARAM(callback), GET_Y_LPARAM(callback)};
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
bool Win32PopupMenu::open(std::optional<ScreenPoint> anchor) {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].checked) {
            const UINT mark = items_[index].checked() ? MF_CHECKED : MF_UNCHECKED;
            CheckMenuItem(menu_, static_cast<UINT>(index + 1), MF_BYCOMMAND | mark);
        }
    }
    POINT place{};
    if (anchor) {
        place = POINT{anchor->x, anchor->y};
    } else {
        GetCursorPos(&place);
    }
    SetForegroundWindow(owner_);
    const auto chosen = static_cast<std::size_t>(
        TrackPopupMenu(menu_, TPM_RIGHTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       place.x, place.y, 0, owner_, nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    if (chosen < 1 || chosen > items_.size()) {
        return false;
    }
    items_[chosen - 1].chosen();
    return true;
}

} // namespace quillmarten
