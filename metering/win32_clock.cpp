#include "metering/win32_clock.h"

#include <windows.h>

namespace quillmarten {

LocalTime Win32Clock::now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return LocalTime{{time.wYear, time.wMonth, time.wDay}, time.wHour, time.wMinute, time.wSecond};
}

std::int64_t Win32Clock::steadySeconds() {
    return static_cast<std::int64_t>(GetTickCount64() / 1000);
}

} // namespace quillmarten
