#include "failure.h"

#include "metering/win32_text.h"

#include <windows.h>

namespace e2e {

Failure::Failure(const std::wstring& message)
    : std::runtime_error("helper failure"), message_(message) {}

void throwLastError(std::wstring_view call) {
    const DWORD code = GetLastError();
    throw Failure(std::wstring(call) + L" failed: error " + std::to_wstring(code) + L" " +
                  quillmarten::widen(quillmarten::systemErrorText(code)));
}

} // namespace e2e
