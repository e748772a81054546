#include "failure.h"

#include <windows.h>

#include <iterator>

namespace e2e {

Failure::Failure(const std::wstring& message)
    : std::runtime_error("helper failure"), message_(message) {}

namespace {

std::wstring systemMessage(DWORD code) {
    wchar_t buffer[512] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

} // namespace

void throwLastError(std::wstring_view call) {
    const DWORD code = GetLastError();
    throw Failure(std::wstring(call) + L" failed: error " + std::to_wstring(code) + L" " +
                  systemMessage(code));
}

} // namespace e2e
