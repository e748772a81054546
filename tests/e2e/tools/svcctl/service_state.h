#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// What `svcctl NAME state` prints for a service that does not exist, so that a wait for the
// removal of a service reads like any other wait.
inline constexpr wchar_t notInstalledState[] = L"NOT_INSTALLED";

[[nodiscard]] std::wstring stateName(DWORD state);

// Throws a UsageError for names that are neither a service state nor NOT_INSTALLED.
void checkStateName(const std::wstring& name);

// The state name of the service right now, or NOT_INSTALLED.
[[nodiscard]] std::wstring currentState(const std::wstring& serviceName);

} // namespace e2e
