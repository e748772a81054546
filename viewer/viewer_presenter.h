#pragma once

#include "log_follower.h"
#include "start_with_windows.h"
#include "viewer_ports.h"
#include "viewer_texts.h"

#include "desktop/main_window_events.h"
#include "desktop/tray_icon.h"
#include "metering/record_file.h"
#include "metering/session_history.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

inline constexpr std::string_view settingsKey = "Software\\Brackwater\\Quillmarten Viewer";
inline constexpr std::string_view placementName = "Window placement";

struct ViewerPorts {
    Clock& clock;
    FileSystem& files;
    ServiceWatch& service;
    ViewerWindow& window;
    SessionListView& list;
    TrayIcon& tray;
    UserSettings& settings;
    SaveDialog& saveDialog;
    AboutWindowOpener& about;
};

// The viewer: once a second it asks where the log is and how the service is, follows the log,
// and shows what it found in the list, the caption, the status bar and the tray icon. It never
// writes the log. Closing the window hides it; Exit ends the viewer.
class ViewerPresenter {
  public:
    // `givenLog`: the log named on the command line; nullopt follows the service's.
    ViewerPresenter(const ViewerPorts& ports, SessionHistory& rows,
                    std::optional<std::string> givenLog, const std::string& viewerPath);

    // Puts the window where the user left it, reads the log, adds the icon, shows the window.
    void start();
    void onTimer();
    void onTrayMouseMessage(std::uint32_t mouseMessage);
    // The taskbar was created anew, as when Explorer restarts: the icon is added again.
    void onTaskbarCreated();

    // Show also answers a second start of the viewer.
    void onShowChosen();
    void onExportChosen();
    bool startsWithWindows();
    void onStartWithWindowsChosen();
    void onAboutChosen();
    void onExitChosen();
    void onCloseRequest();
    void onSessionEnding();

    // A failure that reached the window: shown in the status bar for a while.
    void showFailure(const std::string& report);

  private:
    void refresh();
    void showRows(const LogChange& change);
    void show(const ViewerState& state);
    void showNotice(std::string text);
    std::string currentNotice();
    void savePlacement();

    ViewerPorts ports_;
    SessionHistory& rows_;
    std::optional<std::string> givenLog_;
    StartWithWindows startWithWindows_;
    LogFollower follower_;
    ViewerState shown_;
    bool iconAdded_ = false;
    std::string notice_;
    std::int64_t noticeUntil_ = 0;
};

} // namespace quillmarten
