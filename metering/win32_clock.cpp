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

// A FILETIME counts 100-nanosecond intervals since 1601-01-01 UTC.
std::int64_t Win32Clock::unixSeconds() {
    constexpr std::int64_t intervalsPerSecond = 10'000'000;
    constexpr std::int64_t secondsFrom1601To1970 = 11'644'473'600;
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    const auto intervals =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return intervals / intervalsPerSecond - secondsFrom1601To1970;
}

} // namespace quillmarten
