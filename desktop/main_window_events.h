#pragma once

#include "metering/event_log.h"
#include "metering/tracker_ports.h"

namespace quillmarten {

// Why the main window is asked to go.
enum class UnloadReason {
    userClose,     // close button, Alt+F4: the window only hides
    byProgram,     // the service was stopped
    windowsEnding, // Windows shuts down
    taskManager,   // a close from outside the program, as Task Manager sends it
};

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
    MainWindowEvents(WindowStacking& stacking, MainWindow& mainWindow, ServiceHosting& hosting,
                     EventWriter& events, TrayPresence& tray, AboutWindowOpener& aboutWindow);

    void onActivate();
    // Returns whether the window may go.
    bool onUnloadRequest(UnloadReason reason);
    void onAboutChosen();

  private:
    WindowStacking& stacking_;
    MainWindow& mainWindow_;
    ServiceHosting& hosting_;
    EventWriter& events_;
    TrayPresence& tray_;
    AboutWindowOpener& aboutWindow_;
};

} // namespace quillmarten
