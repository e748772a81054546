#include "win32_clock.h"

#include <windows.h>

namespace quillmarten {

LocalTime Win32Clock::now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

} // namespace quillmarten
