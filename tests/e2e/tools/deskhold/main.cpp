#include "console.h"
#include "failure.h"
#include "numbers.h"
#include "tool_main.h"

namespace {

using e2e::Arguments;

constexpr wchar_t usage[] = L"usage: deskhold SECONDS";

// Wine closes a desktop, and with the last user process its service manager, about a second
// after the last program using the desktop has gone. Holding the desktop open keeps both alive
// between the steps of a test, for at most SECONDS.
void dispatch(const Arguments& args) {
    if (args.size() != 1) {
        throw e2e::UsageError(L"wrong arguments");
    }
    const DWORD timeoutMs = e2e::parseTimeoutSeconds(args[0]);
    if (GetDesktopWindow() == nullptr) {
        throw e2e::Failure(L"no desktop to hold");
    }
    e2e::printLine(L"holding the desktop");
    Sleep(timeoutMs);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return e2e::runTool(L"deskhold", usage, argc, argv, dispatch);
}
