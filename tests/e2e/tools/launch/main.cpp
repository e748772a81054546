#include "console.h"
#include "failure.h"
#include "numbers.h"
#include "tool_main.h"
#include "unique_handle.h"

#include <string>

namespace {

using e2e::Arguments;

constexpr wchar_t usage[] = L"usage: launch SECONDS \"COMMAND LINE\"";

// Starts a program with exactly the given command line, as a user typing it would (Wine's own
// launcher quotes every argument that holds a blank), waits for it and prints "exit CODE".
void dispatch(const Arguments& args) {
    if (args.size() != 2) {
        throw e2e::UsageError(L"wrong arguments");
    }
    const DWORD timeoutMs = e2e::parseTimeoutSeconds(args[0]);
    std::wstring commandLine = args[1];
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        e2e::throwLastError(L"CreateProcessW");
    }
    const e2e::KernelHandle process(started.hProcess);
    const e2e::KernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        throw e2e::Failure(L"the program did not end in time");
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    e2e::printLine(L"exit " + std::to_wstring(code));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return e2e::runTool(L"launch", usage, argc, argv, dispatch);
}
