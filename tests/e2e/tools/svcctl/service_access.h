#pragma once

#include "unique_handle.h"

#include <optional>
#include <string>

namespace e2e {

// The service handle together with the manager handle it was opened through.
struct OpenedService {
    ServiceHandle manager;
    ServiceHandle service;
};

// Empty when no service of that name is installed; any other error throws.
[[nodiscard]] std::optional<OpenedService> tryOpenService(const std::wstring& name, DWORD access);

// Throws when the service is missing as well.
[[nodiscard]] OpenedService openService(const std::wstring& name, DWORD access);

} // namespace e2e
