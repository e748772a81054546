#pragma once

#include "tray_icon.h"

#include <windows.h>

#include <functional>

namespace quillmarten {

class Win32NotificationArea final : public NotificationArea {
  public:
    void notify(TrayOperation operation, const TrayIconRecord& record) override;
};

class Win32TaskbarProbe final : public TaskbarProbe {
  public:
    bool taskbarExists() override;
};

// mnu_main: the hidden menu whose one item, "&Info", is offered as a pop-up from the tray.
class Win32PopupMenu final : public PopupMenu {
  public:
    Win32PopupMenu(HWND owner, std::function<void()> mnu_info_Click);
    ~Win32PopupMenu() override;
    Win32PopupMenu(const Win32PopupMenu&) = delete;
    Win32PopupMenu& operator=(const Win32PopupMenu&) = delete;

    void openAtPointer() override;

  private:
    HWND owner_;
    HMENU menu_;
    std::function<void()> mnu_info_Click_;
};

} // namespace quillmarten
