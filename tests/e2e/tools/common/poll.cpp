#include "poll.h"

namespace e2e {

namespace {

constexpr DWORD pollIntervalMs = 100;

} // namespace

bool pollUntil(DWORD timeoutMs, const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(pollIntervalMs);
    }
    return true;
}

} // namespace e2e
