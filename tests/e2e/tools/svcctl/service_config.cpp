#include "service_config.h"

#include "console.h"
#include "failure.h"
#include "service_access.h"

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace e2e {

namespace {

using Flag = std::pair<DWORD, const wchar_t*>;

constexpr std::array<Flag, 5> startTypes{{
    {SERVICE_BOOT_START, L"BOOT_START"},
    {SERVICE_SYSTEM_START, L"SYSTEM_START"},
    {SERVICE_AUTO_START, L"AUTO_START"},
    {SERVICE_DEMAND_START, L"DEMAND_START"},
    {SERVICE_DISABLED, L"DISABLED"},
}};

constexpr std::array<Flag, 5> typeFlags{{
    {SERVICE_KERNEL_DRIVER, L"KERNEL_DRIVER"},
    {SERVICE_FILE_SYSTEM_DRIVER, L"FILE_SYSTEM_DRIVER"},
    {SERVICE_WIN32_OWN_PROCESS, L"WIN32_OWN_PROCESS"},
    {SERVICE_WIN32_SHARE_PROCESS, L"WIN32_SHARE_PROCESS"},
    {SERVICE_INTERACTIVE_PROCESS, L"INTERACTIVE_PROCESS"},
}};

std::wstring startTypeName(DWORD startType) {
    for (const auto& [value, name] : startTypes) {
        if (value == startType) {
            return name;
        }
    }
    return hexText(startType);
}

std::wstring typeFlagNames(DWORD type) {
    std::wstring names;
    for (const auto& [bit, name] : typeFlags) {
        if ((type & bit) != 0) {
            names += (names.empty() ? L"" : L"|") + std::wstring(name);
            type &= ~bit;
        }
    }
    if (type != 0) {
        names += (names.empty() ? L"" : L"|") + hexText(type);
    }
    return names;
}

// Both config queries report the size they need first and fill the buffer on the second call.
std::vector<BYTE> queryVariableSize(std::wstring_view call,
                                    const std::function<BOOL(BYTE*, DWORD, DWORD*)>& query) {
    DWORD needed = 0;
    if (!query(nullptr, 0, &needed) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        throwLastError(call);
    }
    std::vector<BYTE> buffer(needed);
    if (!query(buffer.data(), needed, &needed)) {
        throwLastError(call);
    }
    return buffer;
}

std::wstring orEmpty(const wchar_t* text) {
    return text != nullptr ? text : L"";
}

std::wstring description(SC_HANDLE service) {
    const auto buffer =
        queryVariableSize(L"QueryServiceConfig2", [service](BYTE* data, DWORD size, DWORD* needed) {
            return QueryServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, data, size, needed);
        });
    return orEmpty(reinterpret_cast<const SERVICE_DESCRIPTIONW*>(buffer.data())->lpDescription);
}

} // namespace

void printServiceConfig(const std::wstring& serviceName) {
    const auto opened = openService(serviceName, SERVICE_QUERY_CONFIG);
    const SC_HANDLE service = opened.service.get();
    const auto buffer =
        queryVariableSize(L"QueryServiceConfig", [service](BYTE* data, DWORD size, DWORD* needed) {
            return QueryServiceConfigW(service, reinterpret_cast<QUERY_SERVICE_CONFIGW*>(data),
                                       size, needed);
        });
    const auto& config = *reinterpret_cast<const QUERY_SERVICE_CONFIGW*>(buffer.data());
    printLine(L"binary_path=" + orEmpty(config.lpBinaryPathName));
    printLine(L"start_type=" + startTypeName(config.dwStartType));
    printLine(L"service_type=" + typeFlagNames(config.dwServiceType));
    printLine(L"account=" + orEmpty(config.lpServiceStartName));
    printLine(L"display_name=" + orEmpty(config.lpDisplayName));
    printLine(L"description=" + description(service));
}

} // namespace e2e
