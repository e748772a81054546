#pragma once

#include "desktop/tray_icon.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quillmarten {

// The notification area through Shell_NotifyIconA, whose record the TrayIconRecord copies.
class Win32NotificationArea final : public NotificationArea {
  public:
    void notify(TrayOperation operation, const TrayIconRecord& record) override;
    std::string toAnsi(std::string_view text) override;
};

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

    void openAtPointer() override;

  private:
    HWND owner_;
    HMENU menu_;
    std::vector<MenuItem> items_;
};

} // namespace quillmarten
