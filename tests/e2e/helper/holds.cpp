#include "commands.h"

namespace e2e {

// Wine closes a desktop, and with the last user process its service manager, about a second
// after the last program using the desktop has gone. Holding the desktop keeps both alive between
// the steps of a test.
void holdCommand(Arguments args) {
    expectCount(args, 1);
    const DWORD timeoutMs = parseSeconds(args[0]);
    if (GetDesktopWindow() == nullptr) {
        throw Failure{L"no desktop to hold"};
    }
    printLine(L"holding the desktop");
    Sleep(timeoutMs);
}

} // namespace e2e
