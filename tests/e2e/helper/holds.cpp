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

// Opened with no sharing, the file cannot be opened by anyone else until the helper ends or is
// killed: the next open fails with a sharing violation.
void lockCommand(Arguments args) {
    expectCount(args, 2);
    const DWORD timeoutMs = parseSeconds(args[1]);
    const HANDLE opened = CreateFileW(args[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        failWithLastError(L"CreateFileW(" + args[0] + L")");
    }
    const KernelHandle file(opened);
    printLine(L"locked");
    Sleep(timeoutMs);
}

} // namespace e2e
