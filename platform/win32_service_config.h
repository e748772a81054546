#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillmarten {

// The command line the service control manager starts a service with, through
// QueryServiceConfigW on a handle opened with SERVICE_QUERY_CONFIG; nullopt when the manager does
// not say, with GetLastError() telling why.
std::optional<std::wstring> registeredCommandOf(SC_HANDLE service);

} // namespace quillmarten
