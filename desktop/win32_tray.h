#pragma once

#include "desktop/tray_icon.h"
#include "desktop/win32_pictures.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmarten {

// The service's hidden window takes the tray's callbacks as 0x200; a window that shows its
// client area needs a message of its own.
inline constexpr UINT hiddenWindowTrayMessage = 0x200;

// The notification area through Shell_NotifyIconA: the shell's ANSI record of one icon of
// `callbackWindow`, built from a picture and a tooltip, the tooltip in the system's ANSI code
// page. Worked with the mouse alone, it is the first version's record (88 bytes in the 32-bit
// program); with the keyboard too, the whole record, and each add tells the shell to speak the
// fourth version, whose callbacks carry the keyboard's and where to put a menu, and to show the
// tooltip all the same. Decides nothing.
class Win32NotificationArea final : public NotificationArea {
  public:
    Win32NotificationArea(HWND callbackWindow, UINT callbackMessage, const Win32Pictures& pictures,
                          TrayInput input = TrayInput::mouse);

    void add(TrayPicture picture, std::string_view tooltip) override;
    void change(TrayPicture picture, std::string_view tooltip) override;
    // Deletes the icon with the record as last filled.
    void remove() override;
    void returnFocus() override;

  private:
    void fill(TrayPicture picture, std::string_view tooltip);

    const Win32Pictures& pictures_;
    TrayInput input_;
    NOTIFYICONDATAA record_{};
    // The tooltip the record holds: the service adds its icon again on every tick, and the
    // conversion to the ANSI code page is done only when the text changes.
    std::optional<std::string> tooltip_;
};

// What the user did on the icon, from the lParam of the tray's callback message.
TrayClick trayClickOf(LPARAM callback);
// Where the fourth version's callback, from its wParam, asks for the icon's menu.
ScreenPoint trayAnchorOf(WPARAM callback);

class Win32TaskbarProbe final : public TaskbarProbe {
  public:
    bool taskbarExists() override;
};

// One item of a pop-up menu: its text, what choosing it does, and, for a check item, whether
// it shows its check mark, asked each time the menu opens.
struct MenuItem {
    std::wstring text;
    std::function<void()> chosen;
    std::function<bool()> checked = {};
};

// The tray's pop-up menu, its items in the order given.
class Win32PopupMenu final : public PopupMenu {
  public:
    Win32PopupMenu(HWND owner, std::vector<MenuItem> items);
    ~Win32PopupMenu() override;
    Win32PopupMenu(const Win32PopupMenu&) = delete;
    Win32PopupMenu& operator=(const Win32PopupMenu&) = delete;

    bool open(std::optional<ScreenPoint> anchor) override;

  private:
    HWND owner_;
    HMENU menu_;
    std::vector<MenuItem> items_;
};

} // namespace quillmarten
