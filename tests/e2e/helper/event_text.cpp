#include "commands.h"

#include <iterator>

namespace e2e {

// Formats an entry as the event viewer does: the event id's message from the message table of
// the registered file, with the entry's text as its one insertion string.
void eventTextCommand(Arguments args) {
    expectCount(args, 3);
    const ModuleHandle file(LoadLibraryExW(args[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!file) {
        failWithLastError(L"LoadLibraryExW(" + args[0] + L")");
    }
    const auto id = static_cast<DWORD>(parseNumber(args[1], 0, 0xFFFF, L"EVENT_ID"));
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(args[2].c_str())};
    wchar_t text[1024] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, file.get(), id,
                       0, text, static_cast<DWORD>(std::size(text)),
                       reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    if (length == 0) {
        failWithLastError(L"FormatMessageW");
    }
    std::wstring message(text, length);
    while (message.ends_with(L'\n') || message.ends_with(L'\r')) {
        message.pop_back();
    }
    printLine(message);
}

} // namespace e2e
