#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace e2e {

// What every subcommand uses: its words, its output, its ways to fail, waiting and owned handles.

using Arguments = std::span<const std::wstring>;

// Ends the helper with exit code 1 and the message on stderr.
struct Failure {
    std::wstring message;
};

// Ends the helper with exit code 2, the message and the usage text.
struct UsageError {
    std::wstring message;
};

// A Failure naming the call that failed and the system's text for GetLastError().
[[noreturn]] void failWithLastError(std::wstring_view call);

// A UTF-8 line ending in a bare '\n', written at once, so that a script reading it sees it even
// while the helper goes on waiting.
void printLine(std::wstring_view text);
void printErrorLine(std::wstring_view text);

void expectCount(Arguments args, std::size_t count);

// A decimal number within [minimum, maximum]; anything else is a UsageError naming `what`.
[[nodiscard]] unsigned long parseNumber(const std::wstring& text, unsigned long minimum,
                                        unsigned long maximum, std::wstring_view what);

// Whole seconds (0..86400), returned in milliseconds.
[[nodiscard]] DWORD parseSeconds(const std::wstring& text);

// Re-checks `condition` every 100 ms until it holds or `timeoutMs` has passed; checks at least
// once. Returns whether it held, so no caller can wait forever.
[[nodiscard]] bool pollUntil(DWORD timeoutMs, const std::function<bool()>& condition);

// Closes a Windows handle with its own function on every way out, exceptions included.
template <auto Close> struct CloseWith {
    void operator()(auto handle) const { Close(handle); }
};
template <typename Handle, auto Close>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, CloseWith<Close>>;
using KernelHandle = Owned<HANDLE, &CloseHandle>;
using ServiceHandle = Owned<SC_HANDLE, &CloseServiceHandle>;
using ModuleHandle = Owned<HMODULE, &FreeLibrary>;

} // namespace e2e
