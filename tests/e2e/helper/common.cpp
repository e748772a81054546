#include "common.h"

#include "metering/win32_text.h"

#include <algorithm>
#include <cwctype>

namespace e2e {

namespace {

constexpr unsigned long maxSeconds = 86400;
// More digits could overflow before the range check.
constexpr std::size_t maxDigits = 9;
constexpr DWORD pollIntervalMs = 100;

// WriteFile rather than the C runtime, whose text mode would turn '\n' into "\r\n" and whose
// buffer would hold a line back.
void writeLine(DWORD stream, std::wstring_view text) {
    const std::string bytes = quillmarten::narrow(text) + '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

} // namespace

void failWithLastError(std::wstring_view call) {
    const DWORD code = GetLastError();
    throw Failure{std::wstring(call) + L" failed: error " + std::to_wstring(code) + L" " +
                  quillmarten::widen(quillmarten::systemErrorText(code))};
}

void printLine(std::wstring_view text) {
    writeLine(STD_OUTPUT_HANDLE, text);
}

void printErrorLine(std::wstring_view text) {
    writeLine(STD_ERROR_HANDLE, text);
}

void expectCount(Arguments args, std::size_t count) {
    if (args.size() != count) {
        throw UsageError{L"wrong number of arguments"};
    }
}

unsigned long parseNumber(const std::wstring& text, unsigned long minimum, unsigned long maximum,
                          std::wstring_view what) {
    const bool digits = !text.empty() && text.size() <= maxDigits &&
                        std::ranges::all_of(text, [](wchar_t c) { return std::iswdigit(c); });
    const unsigned long value = digits ? std::stoul(text) : 0;
    if (!digits || value < minimum || value > maximum) {
        throw UsageError{std::wstring(what) + L" must be a number from " +
                         std::to_wstring(minimum) + L" to " + std::to_wstring(maximum) +
                         L", not \"" + text + L"\""};
    }
    return value;
}

DWORD parseSeconds(const std::wstring& text) {
    return static_cast<DWORD>(parseNumber(text, 0, maxSeconds, L"SECONDS") * 1000);
}

bool pollUntil(DWORD timeoutMs, const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(pollIntervalMs);
    }
    return true;
}

} // namespace e2e
