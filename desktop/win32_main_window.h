#pragma once

#include "desktop/main_window_events.h"
#include "desktop/win32_session_list.h"
#include "desktop/win32_window.h"

#include <memory>

namespace quillmarten {

// What the program does with the main window's events.
class MainWindowHandlers {
  public:
    virtual ~MainWindowHandlers() = default;
    virtual void activated() = 0;
    // Returns whether the window may go.
    virtual bool unloadRequested(UnloadReason reason) = 0;
    virtual void timerFired(UINT_PTR timerId) = 0;
    virtual void destroyed() = 0;
};

// The main window as a Win32 window: a fixed tool window without a taskbar button, centred,
// holding the session list. Translates activation, closing, the end of Windows and timer
// messages for MainWindowHandlers.
class Win32MainWindow final : public MainWindow, public WindowStacking, private WindowMessages {
  public:
    // The hidden owner keeps the window off the taskbar.
    Win32MainWindow(HICON icon, HWND hiddenOwner, const SessionRows& rows,
                    MainWindowHandlers& handlers);

    HWND handle() const { return window_.handle(); }
    Win32SessionList& sessionList() { return *list_; }

    // Asks as every unload does, then destroys the window when it may go.
    void unload(UnloadReason reason);

    void setCaption(const std::string& caption) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;
    void makeTopmost() override;

  private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void showColumnsWhole();
    void centre();

    MainWindowHandlers& handlers_;
    Win32Window window_;
    std::unique_ptr<Win32SessionList> list_;
};

} // namespace quillmarten
