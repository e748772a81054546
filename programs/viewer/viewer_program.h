#pragma once

#include "desktop/tray_icon.h"
#include "desktop/win32_about_window.h"
#include "desktop/win32_pictures.h"
#include "desktop/win32_timer.h"
#include "desktop/win32_tray.h"
#include "log_file/win32_file_system.h"
#include "metering/event_log.h"
#include "metering/session_rows.h"
#include "metering/win32_clock.h"
#include "viewer/viewer_presenter.h"
#include "viewer/win32_save_dialog.h"
#include "viewer/win32_service_watch.h"
#include "viewer/win32_user_settings.h"
#include "viewer/win32_viewer_window.h"

#include <string>

namespace quillmarten {

// The viewer on its one user-interface thread: its window, tray icon and menu, the about
// window and the presenter, wired together. Members are declared in the order in which they
// may be built; the window hands its messages to the presenter only from the message loop on,
// when the presenter exists. A failure that reaches a window procedure is shown in the status
// bar, since the viewer has no event log.
class ViewerProgram final : private EventWriter {
  public:
    explicit ViewerProgram(const std::wstring& commandLine);
    ~ViewerProgram() override;
    ViewerProgram(const ViewerProgram&) = delete;
    ViewerProgram& operator=(const ViewerProgram&) = delete;

    // Shows the viewer, then runs the message loop until it ends; returns the exit code.
    int run();

  private:
    void writeEvent(EventType type, std::uint32_t id, const std::string& message) override;

    std::wstring executable_;
    Win32Pictures pictures_;
    SessionRows sessionRows_;
    Win32ViewerWindow window_;
    Win32AboutWindow aboutWindow_;
    Win32Timer refreshTimer_;
    Win32NotificationArea shell_;
    Win32PopupMenu trayMenu_;
    TrayIcon tray_;
    Win32Clock clock_;
    Win32FileSystem files_;
    Win32ServiceWatch service_;
    Win32UserSettings settings_;
    Win32SaveDialog saveDialog_;
    ViewerPresenter presenter_;
};

} // namespace quillmarten
