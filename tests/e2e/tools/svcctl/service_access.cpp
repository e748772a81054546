#include "service_access.h"

#include "failure.h"

namespace e2e {

std::optional<OpenedService> tryOpenService(const std::wstring& name, DWORD access) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        throwLastError(L"OpenSCManager");
    }
    ServiceHandle service(OpenServiceW(manager.get(), name.c_str(), access));
    if (service) {
        return OpenedService{std::move(manager), std::move(service)};
    }
    if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) {
        return std::nullopt;
    }
    throwLastError(L"OpenService(" + name + L")");
}

OpenedService openService(const std::wstring& name, DWORD access) {
    auto opened = tryOpenService(name, access);
    if (!opened) {
        throw Failure(L"service " + name + L" is not installed");
    }
    return std::move(*opened);
}

} // namespace e2e
