#pragma once

#include "basics/program_version.h"
#include "metering/tracker_ports.h"

#include <cstddef>
#include <string_view>

namespace quillmarten {

// The characters of a tooltip the notification area keeps; a longer one must be cut first.
inline constexpr std::size_t tooltipCapacity = 63;

// The program's one icon in the notification area: its picture and tooltip. The answer is of
// no interest: a refused add, change or removal changes nothing.
class NotificationArea {
  public:
    virtual ~NotificationArea() = default;
    // Refused while the icon exists.
    virtual void add(TrayPicture picture, std::string_view tooltip) = 0;
    virtual void change(TrayPicture picture, std::string_view tooltip) = 0;
    virtual void remove() = 0;
};

// What the mouse did on the icon, as far as the programs tell one thing from another: the
// right button's release is told apart from its press so that only the press opens the menu.
enum class TrayClick { mouseMove, leftDoubleClick, rightButtonDown, rightButtonUp, other };

class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    // Opens the menu at the mouse pointer, its right edge at the pointer.
    virtual void openAtPointer() = 0;
};

inline constexpr std::string_view runningTooltip = productLine;
inline constexpr std::string_view pausedTooltip = "Quillmarten Paused";

// The program's one notification-area icon, green while metering runs, red while paused, with
// the service's own tooltips unless the caller gives its own. A double-click shows or hides the
// window; the right button's press opens the menu.
class TrayIcon final : public TrayPresence {
  public:
    TrayIcon(NotificationArea& shell, MainWindow& mainWindow, PopupMenu& trayMenu);

    void addRunningIcon() override;
    void showPicture(TrayPicture picture) override;
    // Adds the icon; refused silently while it exists.
    void add(TrayPicture picture, std::string_view tooltip);
    void change(TrayPicture picture, std::string_view tooltip);
    void removeIcon() override;
    void onTrayClick(TrayClick click);

  private:
    NotificationArea& shell_;
    MainWindow& mainWindow_;
    PopupMenu& trayMenu_;
};

} // namespace quillmarten
