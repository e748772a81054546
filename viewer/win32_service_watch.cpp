#include "win32_service_watch.h"

#include "metering/win32_service_handle.h"
#include "metering/win32_text.h"

#include <vector>

namespace quillmarten {

namespace {

ServiceState stateOf(DWORD state) {
    switch (state) {
    case SERVICE_STOPPED:
        return ServiceState::stopped;
    case SERVICE_START_PENDING:
        return ServiceState::starting;
    case SERVICE_STOP_PENDING:
        return ServiceState::stopping;
    case SERVICE_RUNNING:
        return ServiceState::running;
    case SERVICE_CONTINUE_PENDING:
        return ServiceState::continuing;
    case SERVICE_PAUSE_PENDING:
        return ServiceState::pausing;
    case SERVICE_PAUSED:
        return ServiceState::paused;
    default:
        return ServiceState::unknown;
    }
}

// The first call asks how large the configuration is.
std::string commandOf(SC_HANDLE service) {
    DWORD needed = 0;
    QueryServiceConfigW(service, nullptr, 0, &needed);
    std::vector<BYTE> bytes(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(bytes.data());
    if (needed == 0 || !QueryServiceConfigW(service, config, needed, &needed) ||
        config->lpBinaryPathName == nullptr) {
        return "";
    }
    return narrow(config->lpBinaryPathName);
}

} // namespace

ServiceLookup Win32ServiceWatch::lookUp() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return ServiceLookup{ServiceState::unknown, ""};
    }
    const ServiceHandle service(
        OpenServiceW(manager.get(), L"Quillmarten", SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
    if (!service) {
        return ServiceLookup{GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST
                                 ? ServiceState::notInstalled
                                 : ServiceState::unknown,
                             ""};
    }
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service.get(), &status)) {
        return ServiceLookup{ServiceState::unknown, ""};
    }
    return ServiceLookup{stateOf(status.dwCurrentState), commandOf(service.get())};
}

} // namespace quillmarten
