#pragma once

#include "viewer/viewer_presenter.h"
#include "viewer/win32_accessible_name.h"
#include "viewer/win32_usage_chart.h"

#include "desktop/win32_session_list.h"
#include "desktop/win32_window.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace quillmarten {

// The viewer's window as a Win32 window: a normal, resizable window with a taskbar button,
// holding the session list above a status bar. Translates closing, sizing, the timer, the tray
// icon's callbacks, a change of the service, a new taskbar, a second start's wake-up, the end
// of the session, the shortcuts and the menu key for the presenter. Its keys are a dialog's: Tab
// and Shift+Tab go from the list to the chart's choice of span and to the chart, the arrows
// within each, Esc hides it. The status bar is sent only the texts that changed.
class Win32ViewerWindow final : public ViewerWindow, private WindowMessages {
  public:
    static constexpr const wchar_t* className = L"QuillmartenViewer";
    // Posted by a second start of the viewer to the first one's window.
    static constexpr UINT wakeMessage = WM_APP + 1;
    // The tray icon's callbacks.
    static constexpr UINT trayMessage = WM_APP + 2;
    // Posted when the service control manager tells of a change of the service.
    static constexpr UINT serviceChangeMessage = WM_APP + 3;

    // The presenter is used from the first message the loop delivers on. The window hands on no
    // message before it is created, and its controls are made before it is sized.
    Win32ViewerWindow(HICON icon, const SessionRows& rows, ViewerPresenter& presenter);
    ~Win32ViewerWindow() override;
    Win32ViewerWindow(const Win32ViewerWindow&) = delete;
    Win32ViewerWindow& operator=(const Win32ViewerWindow&) = delete;

    HWND handle() const { return window_.handle(); }
    Win32SessionList& sessionList() { return list_; }
    // Acts on a key meant for the window or its controls: true when the message was used up.
    bool translateKeys(MSG& message);

    void setCaption(const std::string& caption) override;
    bool isVisible() const override;
    // Showing brings the window to the front, restored when it was minimised.
    void setVisible(bool visible) override;
    void setStatusParts(const std::vector<std::string>& parts) override;
    void showChart(const UsageChart& chart) override;
    std::string placement() const override;
    void restorePlacement(std::string_view placement) override;
    void close() override;

  private:
    struct DestroyShortcuts {
        void operator()(HACCEL shortcuts) const { DestroyAcceleratorTable(shortcuts); }
    };

    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WORD command);
    void moveFocus(WPARAM wParam, LPARAM lParam);
    std::optional<ScreenPoint> menuAnchorOf(LPARAM lParam) const;
    void layOut();
    void useDensity();
    void useColours();
    int partWidth(const std::wstring& text) const;

    ViewerPresenter& presenter_;
    const UINT taskbarCreated_;
    // Declared before the window so that it outlives the controls that draw with it.
    std::unique_ptr<MessageFont> font_;
    Win32Window window_;
    HWND statusBar_;
    Win32SessionList list_;
    // Until the window is destroyed.
    std::optional<Win32AccessibleName> listName_;
    Win32UsageChart chart_;
    // The widths the status bar's parts after the first need for their texts.
    std::vector<int> partWidths_;
    // The texts the status bar's parts show.
    std::vector<std::wstring> partTexts_;
    std::unique_ptr<std::remove_pointer_t<HACCEL>, DestroyShortcuts> shortcuts_;
    // The control that had the keyboard when the window was left, to have it again.
    HWND lastFocus_ = nullptr;
};

} // namespace quillmarten
