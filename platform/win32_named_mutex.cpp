#include "platform/win32_named_mutex.h"

namespace quillmarten {

// A mutex made under another account may refuse us access: that too means it exists.
Win32NamedMutex::Win32NamedMutex(const wchar_t* name)
    : mutex_(CreateMutexW(nullptr, FALSE, name)),
      madeElsewhere_(GetLastError() == ERROR_ALREADY_EXISTS ||
                     (mutex_ == nullptr && GetLastError() == ERROR_ACCESS_DENIED)) {}

Win32NamedMutex::~Win32NamedMutex() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

} // namespace quillmarten
