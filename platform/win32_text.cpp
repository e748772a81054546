#include "platform/win32_text.h"

#include <windows.h>

namespace quillmarten {

namespace {

std::wstring toWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string fromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace

std::wstring widen(std::string_view text) {
    return toWide(CP_UTF8, text);
}

std::string narrow(std::wstring_view text) {
    return fromWide(CP_UTF8, text);
}

std::wstring widenAnsi(std::string_view text) {
    return toWide(CP_ACP, text);
}

std::string narrowAnsi(std::wstring_view text) {
    return fromWide(CP_ACP, text);
}

std::string systemErrorText(unsigned long code) {
    wchar_t buffer[512] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return text.empty() ? "System error " + std::to_string(code) : narrow(text);
}

RaisedError systemError(unsigned long code) {
    return RaisedError(static_cast<std::int32_t>(code), systemErrorText(code));
}

} // namespace quillmarten
