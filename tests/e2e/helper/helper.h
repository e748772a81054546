#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace e2e {

using Words = std::vector<std::wstring>;

// Ends the helper with exit code 1 and the message on stderr.
struct Failure {
    std::wstring message;
};

// A Failure naming the call that failed and the system's text for GetLastError().
[[noreturn]] void failWithLastError(std::wstring_view call);

// A UTF-8 line ending in a bare '\n', written at once, so that a script sees it while the helper
// goes on waiting.
void printLine(std::wstring_view text, DWORD stream = STD_OUTPUT_HANDLE);

// Closes a Windows handle with its own function on every way out, exceptions included.
template <auto Close> struct CloseWith {
    void operator()(auto handle) const { Close(handle); }
};
template <typename Handle, auto Close>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, CloseWith<Close>>;
using KernelHandle = Owned<HANDLE, &CloseHandle>;

// The first window of a class: CLASS among the top-level windows, PARENT/CLASS among the children
// of the one window of class PARENT; none is a Failure.
HWND firstWindowAt(const std::wstring& path);

// The subcommands that act on windows (windows.cpp, accessible.cpp); main.cpp's table says what
// each takes.
void findCommand(const Words& words);
void rowsCommand(const Words& words);
void closeCommand(const Words& words);
void logoffCommand(const Words& words);
void messageBoxCommand(const Words& words);
void saveAsCommand(const Words& words);
void accessibleCommand(const Words& words);

} // namespace e2e
