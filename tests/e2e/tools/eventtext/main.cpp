#include "console.h"
#include "failure.h"
#include "numbers.h"
#include "tool_main.h"

#include <string>

namespace {

using e2e::Arguments;

constexpr wchar_t usage[] = L"usage: eventtext MESSAGE_FILE EVENT_ID TEXT";

class DataFile {
  public:
    explicit DataFile(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        if (module_ == nullptr) {
            e2e::throwLastError(L"LoadLibraryExW");
        }
    }
    ~DataFile() { FreeLibrary(module_); }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    HMODULE get() const { return module_; }

  private:
    HMODULE module_;
};

// Formats an entry as the event viewer does: the event id's message from the message table of
// the registered file, with the entry's text as its one insertion string.
void dispatch(const Arguments& args) {
    if (args.size() != 3) {
        throw e2e::UsageError(L"wrong arguments");
    }
    const DataFile file(args[0]);
    const auto id = static_cast<DWORD>(e2e::parseNumber(args[1], 0, 0xFFFF, L"EVENT_ID"));
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(args[2].c_str())};
    wchar_t text[1024] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, file.get(), id,
                       0, text, static_cast<DWORD>(std::size(text)),
                       reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    if (length == 0) {
        e2e::throwLastError(L"FormatMessageW");
    }
    std::wstring message(text, length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    e2e::printLine(message);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return e2e::runTool(L"eventtext", usage, argc, argv, dispatch);
}
