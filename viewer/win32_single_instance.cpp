#include "win32_single_instance.h"

#include "win32_viewer_window.h"

namespace quillmarten {

// A mutex that refuses us access exists too.
Win32SingleInstance::Win32SingleInstance()
    : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Quillmarten.Viewer")),
      first_(GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_ACCESS_DENIED) {}

Win32SingleInstance::~Win32SingleInstance() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

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
