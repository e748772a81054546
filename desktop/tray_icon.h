#pragma once

#include "basics/program_version.h"
#include "metering/tracker_ports.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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
    // Gives the keyboard back to the notification area, as after a menu closed unused.
    virtual void returnFocus() = 0;
};

// How the icon is worked: with the mouse alone, the service's as it always was, or with the
// keyboard too, as a shell that speaks the fourth version of its icons' protocol tells of it.
enum class TrayInput : std::uint8_t { mouse, mouseAndKeyboard };

// What the user did on the icon, as far as the programs tell one thing from another: the
// right button's release is told apart from its press so that only the press opens the menu.
// Only a shell told of the keyboard sends the last two: Enter or Space on the icon, and its
// menu asked for with the context-menu key, Shift+F10 or the right button.
enum class TrayClick {
    mouseMove,
    leftDoubleClick,
    rightButtonDown,
    rightButtonUp,
    other,
    keySelect,
    contextMenu
};

// A place on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    // Opens the menu with its right edge at `anchor`, or at the mouse pointer; returns whether an
    // item was chosen.
    virtual bool open(std::optional<ScreenPoint> anchor) = 0;
};

inline constexpr std::string_view runningTooltip = productLine;
inline constexpr std::string_view pausedTooltip = "Quillmarten Paused";

// The program's one notification-area icon, green while metering runs, red while paused, with
// the service's own tooltips unless the caller gives its own. A double-click shows or hides the
// window. Worked with the mouse alone, the right button's press opens the menu; with the keyboard
// too, Enter or Space shows the window, the menu opens where the shell asks, and the keyboard
// goes back to the icon when the menu closed with nothing chosen.
class TrayIcon final : public TrayPresence {
  public:
    TrayIcon(NotificationArea& shell, MainWindow& mainWindow, PopupMenu& trayMenu,
             TrayInput input = TrayInput::mouse);

    void addRunningIcon() override;
    void showPicture(TrayPicture picture) override;
    // Adds the icon; refused silently while it exists.
    void add(TrayPicture picture, std::string_view tooltip);
    void change(TrayPicture picture, std::string_view tooltip);
    void removeIcon() override;
    // `anchor`: where the shell places the menu it asks for.
    void onTrayClick(TrayClick click, ScreenPoint anchor = {});
    // The same menu, asked for elsewhere: at `anchor`, or at the mouse pointer.
    void openMenu(std::optional<ScreenPoint> anchor);

  private:
    NotificationArea& shell_;
    MainWindow& mainWindow_;
    PopupMenu& trayMenu_;
    TrayInput input_;
};

} // namespace quillmarten
