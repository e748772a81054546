#pragma once

#include "tray_icon.h"

#include <windows.h>

#include <functional>

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

// The tray's pop-up menu, whose one item, "&Info", opens the about window.
class Win32PopupMenu final : public PopupMenu {
  public:
    Win32PopupMenu(HWND owner, std::function<void()> onAboutChosen);
    ~Win32PopupMenu() override;
    Win32PopupMenu(const Win32PopupMenu&) = delete;
    Win32PopupMenu& operator=(const Win32PopupMenu&) = delete;

    void openAtPointer() override;

  private:
    HWND owner_;
    HMENU menu_;
    std::function<void()> onAboutChosen_;
};

} // namespace quillmarten
