#pragma once

#include <string>
#include <string_view>

namespace e2e {

// "0x" and upper-case hex digits, the way handles and flags are printed by every helper.
[[nodiscard]] std::wstring hexText(unsigned long long value);

// Both write UTF-8 with a bare '\n', so the bash side sees the same bytes under Wine and Windows.
void printLine(std::wstring_view text);
void printErrorLine(std::wstring_view text);

} // namespace e2e
