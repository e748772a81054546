#pragma once

#include <windows.h>

#include <string_view>

namespace e2e {

// Parses a decimal number within [minimum, maximum]; anything else is a UsageError naming `what`.
[[nodiscard]] unsigned long parseNumber(std::wstring_view text, unsigned long minimum,
                                        unsigned long maximum, std::wstring_view what);

// A timeout in whole seconds (0..86400), returned in milliseconds.
[[nodiscard]] DWORD parseTimeoutSeconds(std::wstring_view text);

} // namespace e2e
