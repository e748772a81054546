#include "service/win32_start_up_ports.h"

#include "platform/win32_text.h"

#include <vector>

namespace quillmarten {

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
