#include "service_state.h"

#include "failure.h"
#include "service_access.h"

#include <array>
#include <utility>

namespace e2e {

namespace {

constexpr std::array<std::pair<DWORD, const wchar_t*>, 7> stateNames{{
    {SERVICE_STOPPED, L"STOPPED"},
    {SERVICE_START_PENDING, L"START_PENDING"},
    {SERVICE_STOP_PENDING, L"STOP_PENDING"},
    {SERVICE_RUNNING, L"RUNNING"},
    {SERVICE_CONTINUE_PENDING, L"CONTINUE_PENDING"},
    {SERVICE_PAUSE_PENDING, L"PAUSE_PENDING"},
    {SERVICE_PAUSED, L"PAUSED"},
}};

} // namespace

std::wstring stateName(DWORD state) {
    for (const auto& [value, name] : stateNames) {
        if (value == state) {
            return name;
        }
    }
    return L"UNKNOWN_" + std::to_wstring(state);
}

void checkStateName(const std::wstring& name) {
    if (name == notInstalledState) {
        return;
    }
    for (const auto& entry : stateNames) {
        if (name == entry.second) {
            return;
        }
    }
    throw UsageError(L"unknown service state " + name);
}

std::wstring currentState(const std::wstring& serviceName) {
    const auto opened = tryOpenService(serviceName, SERVICE_QUERY_STATUS);
    if (!opened) {
        return notInstalledState;
    }
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(opened->service.get(), &status)) {
        throwLastError(L"QueryServiceStatus");
    }
    return stateName(status.dwCurrentState);
}

} // namespace e2e
