#include "numbers.h"

#include "failure.h"

#include <cwctype>
#include <string>

namespace e2e {

namespace {

constexpr unsigned long maxTimeoutSeconds = 86400;

} // namespace

unsigned long parseNumber(std::wstring_view text, unsigned long minimum, unsigned long maximum,
                          std::wstring_view what) {
    const std::wstring problem = std::wstring(what) + L" must be a number from " +
                                 std::to_wstring(minimum) + L" to " + std::to_wstring(maximum) +
                                 L", not \"" + std::wstring(text) + L"\"";
    if (text.empty() || text.size() > 9) {
        throw UsageError(problem);
    }
    unsigned long value = 0;
    for (const wchar_t digit : text) {
        if (!std::iswdigit(digit)) {
            throw UsageError(problem);
        }
        value = value * 10 + static_cast<unsigned long>(digit - L'0');
    }
    if (value < minimum || value > maximum) {
        throw UsageError(problem);
    }
    return value;
}

DWORD parseTimeoutSeconds(std::wstring_view text) {
    return static_cast<DWORD>(parseNumber(text, 0, maxTimeoutSeconds, L"SECONDS") * 1000);
}

} // namespace e2e
