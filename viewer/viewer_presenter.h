#pragma once

#include "viewer/log_follower.h"
#include "viewer/start_with_windows.h"
#include "viewer/viewer_ports.h"
#include "viewer/viewer_texts.h"

#include "desktop/main_window_events.h"
#include "desktop/tray_icon.h"
#include "log_file/file_system.h"
#include "metering/session_rows.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The viewer: once a second it follows the log and shows what it found in the list, the
// caption, the status bar and the tray icon. It asks where the log is and how the service is
// when the service's state changes, as the platform tells, or every ten seconds where it cannot
// tell. It never writes the log. What does not change is not shown again: a hidden window is
// left alone until it shows, and the tooltip, whose total moves every second, changes once a
// minute unless the user may be reading it. Closing the window hides it; Exit ends the viewer.
class ViewerPresenter {
  public:
    // `givenLog`: the log named on the command line; nullopt follows the service's.
    ViewerPresenter(const ViewerPorts& ports, SessionRows& rows,
                    std::optional<std::string> givenLog, const std::string& viewerPath);

    // Puts the window where the user left it, reads the log, adds the icon, shows the window.
    void start();
    void onTimer();
    void onServiceChanged();
    void onChartSpanChosen(const ChartSpan& span);
    // `anchor`: where the shell asks for the icon's menu.
    void onTrayClick(TrayClick click, ScreenPoint anchor = {});
    // The menu key or the right button in the window: the icon's menu, at `anchor` or at the
    // mouse pointer.
    void onMenuRequested(std::optional<ScreenPoint> anchor);
    // The taskbar was created anew, as when Explorer restarts: the icon is added again.
    void onTaskbarCreated();

    // Show also answers a second start of the viewer.
    void onShowChosen();
    void onExportChosen();
    // Asks for the service again and reads the log again from its start.
    void onReadAgainChosen();
    bool startsWithWindows();
    void onStartWithWindowsChosen();
    void onAboutChosen();
    void onExitChosen();
    void onCloseRequest();
    void onSessionEnding();

    // A failure that reached the window: shown in the status bar for a while.
    void showFailure(const std::string& report);

  private:
    // What the window and the tray icon show, to change only what differs.
    struct Shown {
        std::string caption;
        std::vector<std::string> statusParts;
        // Rows added or removed, or the last one changed, since the list last showed them.
        bool rowsStale = false;
        bool lastRowStale = false;
        std::optional<TrayPicture> picture; // nullopt: no icon
        std::string tooltip;
        std::string tooltipToTheMinute;
        // The log or the day changed since the chart was last worked out.
        bool chartStale = true;
        std::optional<UsageChart> chart;
    };

    void refresh();
    void lookAtService();
    void show(const ViewerState& state);
    void showInWindow();
    void showInTray();
    void showNotice(std::string text);
    std::string currentNotice();
    void savePlacement();

    ViewerPorts ports_;
    SessionRows& rows_;
    std::optional<std::string> givenLog_;
    StartWithWindows startWithWindows_;
    LogFollower follower_;
    ServiceLookup service_;
    std::string serviceLog_;           // beside the service's program, empty while it is not known
    std::int64_t nextServiceLook_ = 0; // steady seconds
    ViewerState state_;
    ChartSpan chartSpan_ = lastFiveWeeksByDay;
    std::int64_t chartDay_ = 0;
    Shown shown_;
    std::int64_t tooltipSeenUntil_ = 0;
    std::string notice_;
    std::int64_t noticeUntil_ = 0;
};

} // namespace quillmarten
