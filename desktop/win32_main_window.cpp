#include "desktop/win32_main_window.h"

#include "platform/win32_text.h"

#include <algorithm>

namespace quillmarten {

namespace {

constexpr int clientWidth = 361;
constexpr int clientHeight = 104;
constexpr int listHeight = 103;

constexpr WindowStyle mainWindowStyle(HICON icon, HWND owner) {
    return WindowStyle{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, icon,
                       owner};
}

} // namespace

Win32MainWindow::Win32MainWindow(HICON icon, HWND hiddenOwner, const SessionRows& rows,
                                 MainWindowHandlers& handlers)
    : handlers_(handlers),
      window_(L"QuillmartenHourMeter", L"", mainWindowStyle(icon, hiddenOwner), *this),
      list_(std::make_unique<Win32SessionList>(window_.handle(), rows, clientWidth, listHeight)) {
    list_->fitColumns();
    showColumnsWhole();
    centre();
}

// The window is wider than its layout when the list's font needs the columns wider, so that every
// stamp shows whole beside the list's scroll bar.
void Win32MainWindow::showColumnsWhole() {
    const int width =
        std::max(scaledPixels(clientWidth), list_->columnsWidth() + GetSystemMetrics(SM_CXVSCROLL));
    setClientPixels(window_.handle(), width, scaledPixels(clientHeight));
    list_->place(RECT{0, 0, width, scaledPixels(listHeight)});
}

void Win32MainWindow::centre() {
    RECT bounds{};
    GetWindowRect(window_.handle(), &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window_.handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::unload(UnloadReason reason) {
    if (handlers_.unloadRequested(reason)) {
        window_.destroy();
    }
}

void Win32MainWindow::setCaption(const std::string& caption) {
    SetWindowTextW(window_.handle(), widen(caption).c_str());
}

bool Win32MainWindow::isVisible() const {
    return IsWindowVisible(window_.handle()) != FALSE;
}

void Win32MainWindow::setVisible(bool visible) {
    ShowWindow(window_.handle(), visible ? SW_SHOW : SW_HIDE);
}

void Win32MainWindow::makeTopmost() {
    SetWindowPos(window_.handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::optional<LRESULT> Win32MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            handlers_.activated();
        }
        return std::nullopt;
    case WM_CLOSE:
        unload(UnloadReason::userClose);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // A service outlives the users who log off: only the end of Windows ends it.
        if (wParam != FALSE && (static_cast<ULONG_PTR>(lParam) & ENDSESSION_LOGOFF) == 0) {
            unload(UnloadReason::windowsEnding);
        }
        return 0;
    case WM_TIMER:
        handlers_.timerFired(wParam);
        return 0;
    case WM_NOTIFY:
        return list_ ? list_->onNotify(*reinterpret_cast<const NMHDR*>(lParam)) : std::nullopt;
    case WM_DESTROY:
        handlers_.destroyed();
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace quillmarten
