#include "service/win32_start_up_ports.h"

#include "platform/win32_service_handle.h"
#include "platform/win32_text.h"
#include "service/win32_service_host.h"

#include <vector>

namespace quillmarten {

// Asked with the rights every user has. The manager records the process it makes for the service
// as soon as it is made, long before the program gets here, and says the service is starting
// until the program reports otherwise.
bool Win32InstanceProbe::startedAsService() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const ServiceHandle service(
        manager ? OpenServiceW(manager.get(), serviceName, SERVICE_QUERY_STATUS) : nullptr);
    SERVICE_STATUS_PROCESS status{};
    DWORD needed = 0;
    return service &&
           QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO,
                                reinterpret_cast<BYTE*>(&status), sizeof status, &needed) &&
           status.dwCurrentState == SERVICE_START_PENDING &&
           status.dwProcessId == GetCurrentProcessId();
}

void Win32MessageBoxes::showMessage(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(), MB_OK | MB_SETFOREGROUND);
}

ProgramVersion readProgramVersion(const std::wstring& executable) {
    ProgramVersion version;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(executable.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(executable.c_str(), 0, size, data.data())) {
        return version;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        version.major = HIWORD(fixed->dwFileVersionMS);
        version.minor = LOWORD(fixed->dwFileVersionMS);
        version.build = HIWORD(fixed->dwFileVersionLS);
        version.revision = LOWORD(fixed->dwFileVersionLS);
    }
    wchar_t* description = nullptr;
    if (VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\FileDescription",
                       reinterpret_cast<void**>(&description), &length) &&
        length > 0) {
        version.fileDescription = narrow(description);
    }
    return version;
}

} // namespace quillmarten
