#include "commands.h"

namespace e2e {

// Starts a program with exactly the given command line, as a user typing it would (Wine's own
// launcher quotes every argument that holds a blank), and waits for it; one still running after
// SECONDS is ended, and that is a failure.
void launchCommand(Arguments args) {
    expectCount(args, 2);
    const DWORD timeoutMs = parseSeconds(args[0]);
    std::wstring commandLine = args[1];
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        failWithLastError(L"CreateProcessW");
    }
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        throw Failure{L"the program did not end in time"};
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    printLine(L"exit " + std::to_wstring(code));
}

} // namespace e2e
