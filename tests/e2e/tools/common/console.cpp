#include "console.h"

#include "metering/win32_text.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

namespace e2e {

std::wstring hexText(unsigned long long value) {
    wchar_t text[24] = {};
    swprintf(text, std::size(text), L"0x%llX", value);
    return text;
}

namespace {

// WriteFile instead of the C runtime: its text mode would turn '\n' into "\r\n".
void writeLine(DWORD stream, std::wstring_view text) {
    const std::string bytes = quillmarten::narrow(text) + '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

} // namespace

void printLine(std::wstring_view text) {
    writeLine(STD_OUTPUT_HANDLE, text);
}

void printErrorLine(std::wstring_view text) {
    writeLine(STD_ERROR_HANDLE, text);
}

} // namespace e2e
