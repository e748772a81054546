#pragma once

#include "service/service_host.h"
#include "tray_icon.h"

#include <cstdint>

namespace quillmarten {

// Why the main window is asked to unload.
namespace unload_mode {
inline constexpr std::int16_t userClose = 0;
inline constexpr std::int16_t byProgram = 1;
inline constexpr std::int16_t sessionEnding = 2;
inline constexpr std::int16_t taskManager = 3;
} // namespace unload_mode

class WindowStacking {
  public:
    virtual ~WindowStacking() = default;
    // Puts the window at the top of the topmost band without moving, sizing or activating it.
    virtual void makeTopmost() = 0;
};

class AboutWindowOpener {
  public:
    virtual ~AboutWindowOpener() = default;
    // Shows the about window, loading it only when it is not open yet.
    virtual void showAboutWindow() = 0;
};

// The main window's own events: topmost on every activation, the user's close only hides it,
// any other unload ends the hosting and removes the tray icon.
class MainWindowEvents {
  public:
    MainWindowEvents(WindowStacking& stacking, MainWindow& frmHourMeter, ServiceHost& NTService,
                     TrayIcon& tray, AboutWindowOpener& about);

    void Form_Activate();
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);
    void mnu_info_Click();

  private:
    WindowStacking& stacking_;
    MainWindow& frmHourMeter_;
    ServiceHost& NTService_;
    TrayIcon& tray_;
    AboutWindowOpener& about_;
};

} // namespace quillmarten
