#include "viewer/win32_single_instance.h"

#include "viewer/win32_viewer_window.h"

namespace quillmarten {

void Win32SingleInstance::wakeFirst() const {
    const HWND first = FindWindowW(Win32ViewerWindow::className, nullptr);
    if (first == nullptr) {
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(first, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(first, Win32ViewerWindow::wakeMessage, 0, 0);
}

} // namespace quillmarten
