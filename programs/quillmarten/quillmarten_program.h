#pragma once

#include "desktop/main_window_events.h"
#include "desktop/tray_icon.h"
#include "desktop/win32_about_window.h"
#include "desktop/win32_main_window.h"
#include "desktop/win32_pictures.h"
#include "desktop/win32_timer.h"
#include "desktop/win32_tray.h"
#include "desktop/win32_window.h"
#include "log_file/win32_file_system.h"
#include "metering/metrics_file.h"
#include "metering/session_tracker.h"
#include "metering/win32_clock.h"
#include "platform/win32_executable_path.h"
#include "service/service_control.h"
#include "service/start_up.h"
#include "service/win32_service_host.h"
#include "service/win32_start_up_ports.h"

#include <string>

namespace quillmarten {

// The whole program on its one user-interface thread: the windows, the tray icon, the service
// host and the tracker, wired together. Members are declared in the order in which they may be
// built and are destroyed in the reverse order, so that each still has what it uses when it
// goes: the main window's destroy handler closes the about window, which therefore outlives it.
class QuillmartenProgram final : public MainWindowHandlers,
                                 public ProgramLifetime,
                                 private WindowMessages {
  public:
    QuillmartenProgram();

    // Runs start-up with the command line, then the message loop; returns the exit code.
    int run(const std::wstring& commandLine);

    void activated() override;
    bool unloadRequested(UnloadReason reason) override;
    void timerFired(UINT_PTR timerId) override;
    void destroyed() override;

    void unloadMainWindow() override;
    void endProgram(int exitCode) override;

  private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::wstring executable_;
    ProgramVersion version_;
    Win32Pictures pictures_;
    Win32Window hiddenWindow_;
    SessionRows sessionRows_;
    Win32AboutWindow aboutWindow_;
    Win32MainWindow mainWindow_;
    Win32Timer meterTimer_;
    Win32Timer hideTimer_;
    Win32Timer metricsTimer_;
    Win32NotificationArea shell_;
    Win32PopupMenu trayMenu_;
    TrayIcon tray_;
    Win32ServiceHost serviceHost_;
    MainWindowEvents mainWindowEvents_;
    Win32Clock clock_;
    Win32TaskbarProbe taskbar_;
    Win32FileSystem files_;
    SessionTracker tracker_;
    MetricsFile metricsFile_;
    ServiceControl serviceControl_;
    Win32InstanceProbe instances_;
    Win32MessageBoxes messageBoxes_;
    StartUp startUp_;
    int exitCode_ = 0;
};

} // namespace quillmarten
