#pragma once

#include "basics/program_version.h"
#include "metering/tracker_ports.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

using WindowHandle = void*;
using IconHandle = void*;

// The shell's ANSI notification record, field for field: 88 bytes in the 32-bit program.
struct TrayIconRecord {
    std::uint32_t cbSize = 0;
    WindowHandle hWnd = nullptr;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = nullptr;
    std::array<char, 64> szTip{};
};
static_assert(sizeof(void*) != 4 || sizeof(TrayIconRecord) == 88);

// The shell's operation codes.
enum class TrayOperation : std::uint32_t { add = 0, modify = 1, remove = 2 };

class NotificationArea {
  public:
    virtual ~NotificationArea() = default;
    // The shell's answer is of no interest: a refused add, change or delete changes nothing.
    virtual void notify(TrayOperation operation, const TrayIconRecord& record) = 0;
    // The text in the system's ANSI code page, the only one the record's tooltip can carry.
    virtual std::string toAnsi(std::string_view text) = 0;
};

class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    // Opens the menu at the mouse pointer, its right edge at the pointer.
    virtual void openAtPointer() = 0;
};

inline constexpr std::string_view runningTooltip = productLine;
inline constexpr std::string_view pausedTooltip = "Quillmarten Paused";
inline constexpr std::uint32_t trayCallbackMessage = 0x200;
inline constexpr std::uint32_t mouseMove = 0x200;
inline constexpr std::uint32_t leftDoubleClick = 0x203;
inline constexpr std::uint32_t rightButtonDown = 0x204;

// The window that receives the tray callbacks, the message they come as, and the pictures of
// the icon's forms. The service's hidden window takes them as 0x200; a window that shows its
// client area needs a message of its own.
struct TrayPictures {
    WindowHandle callbackWindow = nullptr;
    IconHandle running = nullptr;
    IconHandle paused = nullptr;
    IconHandle stopped = nullptr;
    std::uint32_t callbackMessage = trayCallbackMessage;
};

// The tooltip field: the ANSI text, one NUL, then spaces to 64 bytes.
std::array<char, 64> tooltipField(std::string_view ansiText);

// The program's one notification-area icon, green while metering runs, red while paused, with
// the service's own tooltips unless the caller gives its own.
class TrayIcon final : public TrayPresence {
  public:
    TrayIcon(NotificationArea& shell, const TrayPictures& pictures, MainWindow& mainWindow,
             PopupMenu& trayMenu);

    void addRunningIcon() override;
    void showPicture(TrayPicture picture) override;
    // Adds the icon; refused silently while it exists.
    void add(TrayPicture picture, std::string_view tooltip);
    void change(TrayPicture picture, std::string_view tooltip);
    // Deletes the icon with the record as last filled.
    void removeIcon() override;
    // A tray callback; `mouseMessage` is the mouse message number the shell reports.
    void onTrayMouseMessage(std::uint32_t mouseMessage);

  private:
    void fill(TrayPicture picture, std::string_view tooltip);

    NotificationArea& shell_;
    TrayPictures pictures_;
    MainWindow& mainWindow_;
    PopupMenu& trayMenu_;
    TrayIconRecord record_;
    // The tooltip the record holds: the service adds its icon again on every tick, and the
    // conversion to the ANSI code page is done only when the text changes.
    std::optional<std::string> tooltip_;
};

} // namespace quillmarten
