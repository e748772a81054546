#include "platform/win32_service_config.h"

#include <vector>

namespace quillmarten {

// The first call asks how large the configuration is.
std::optional<std::wstring> registeredCommandOf(SC_HANDLE service) {
    DWORD needed = 0;
    QueryServiceConfigW(service, nullptr, 0, &needed);
    std::vector<BYTE> bytes(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(bytes.data());
    if (needed == 0 || !QueryServiceConfigW(service, config, needed, &needed)) {
        return std::nullopt;
    }
    return config->lpBinaryPathName == nullptr ? L"" : std::wstring(config->lpBinaryPathName);
}

} // namespace quillmarten
