// e2ehelper.exe: drives and inspects the programs under test from inside Wine, where that takes
// Win32 calls; the end-to-end scripts do the rest with Wine's own tools.
#include "helper.h"

#include "platform/win32_service_config.h"
#include "platform/win32_text.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <string>
#include <utility>

namespace e2e {

namespace {

using ServiceHandle = Owned<SC_HANDLE, &CloseServiceHandle>;

// Wine's sc knows no pause, continue or custom code; ControlService delivers them.
void controlCommand(const Words& words) {
    const DWORD control = words[1] == L"pause"      ? SERVICE_CONTROL_PAUSE
                          : words[1] == L"continue" ? SERVICE_CONTROL_CONTINUE
                                                    : static_cast<DWORD>(std::stoul(words[1]));
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const ServiceHandle service(
        manager ? OpenServiceW(manager.get(), words[0].c_str(),
                               SERVICE_PAUSE_CONTINUE | SERVICE_USER_DEFINED_CONTROL)
                : nullptr);
    SERVICE_STATUS status{};
    if (!service || !ControlService(service.get(), control, &status)) {
        failWithLastError(L"ControlService(" + words[1] + L")");
    }
}

// The command the service manager starts the service with, from its own configuration, as
// Windows' "sc qc" shows it; Wine's sc has no qc.
void commandCommand(const Words& words) {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const ServiceHandle service(
        manager ? OpenServiceW(manager.get(), words[0].c_str(), SERVICE_QUERY_CONFIG) : nullptr);
    const auto command = service ? quillmarten::registeredCommandOf(service.get()) : std::nullopt;
    if (!command) {
        failWithLastError(L"QueryServiceConfigW(" + words[0] + L")");
    }
    printLine(*command);
}

// Runs a command line as typed (Wine's launcher would quote each argument with a blank); a program
// still running after SECONDS is ended, and that is a failure.
void launchCommand(const Words& words) {
    const auto timeoutMs = static_cast<DWORD>(std::stoul(words[0]) * 1000);
    std::wstring commandLine = words[1];
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

// Formats an entry as the event viewer does: the event id's message from the message table of
// the registered file, with the entry's text as its one insertion string.
void eventTextCommand(const Words& words) {
    const auto id = static_cast<DWORD>(std::stoul(words[1]));
    const Owned<HMODULE, &FreeLibrary> file(
        LoadLibraryExW(words[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(words[2].c_str())};
    wchar_t text[1024] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, file.get(), id,
                       0, text, static_cast<DWORD>(std::size(text)),
                       reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    if (!file || length == 0) {
        failWithLastError(L"FormatMessageW from " + words[0]);
    }
    const std::wstring message(text, length);
    printLine(message.substr(0, message.find_last_not_of(L"\r\n") + 1));
}

// Wine closes a desktop, and with the last user process its service manager, about a second
// after the last program using the desktop has gone: a holder keeps both alive until it is ended.
void holdCommand(const Words& /*words*/) {
    if (GetDesktopWindow() == nullptr) {
        throw Failure{L"no desktop to hold"};
    }
    printLine(L"holding the desktop");
    Sleep(INFINITE);
}

// Holds the file with no sharing until ended: every other open fails with a sharing violation.
void lockCommand(const Words& words) {
    const HANDLE opened = CreateFileW(words[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        failWithLastError(L"CreateFileW(" + words[0] + L")");
    }
    const KernelHandle file(opened);
    printLine(L"locked");
    Sleep(INFINITE);
}

// Holds a named mutex until ended, as any program may: the name is first come, first served.
void ownCommand(const Words& words) {
    const KernelHandle mutex(CreateMutexW(nullptr, TRUE, words[0].c_str()));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        failWithLastError(L"CreateMutexW(" + words[0] + L")");
    }
    printLine(L"owned");
    Sleep(INFINITE);
}

// Each subcommand with the words it takes, as the usage text shows them.
struct Subcommand {
    std::wstring_view name;
    std::wstring_view words;
    void (*run)(const Words&);
};

constexpr Subcommand subcommands[] = {
    {L"find", L"CLASS|PARENT/CLASS", findCommand},
    {L"accessible", L"CLASS|PARENT/CLASS", accessibleCommand},
    {L"rows", L"CLASS", rowsCommand},
    {L"close", L"CLASS", closeCommand},
    {L"logoff", L"CLASS", logoffCommand},
    {L"msgbox", L"CAPTION", messageBoxCommand},
    {L"save-as", L"CAPTION FILE", saveAsCommand},
    {L"control", L"SERVICE pause|continue|CODE", controlCommand},
    {L"command", L"SERVICE", commandCommand},
    {L"launch", L"SECONDS COMMAND_LINE", launchCommand},
    {L"eventtext", L"MESSAGE_FILE EVENT_ID TEXT", eventTextCommand},
    {L"hold", L"", holdCommand},
    {L"lock", L"FILE", lockCommand},
    {L"own", L"MUTEX_NAME", ownCommand},
};

void runSubcommand(std::wstring_view name, const Words& words) {
    std::wstring usage = L"usage:";
    for (const auto& subcommand : subcommands) {
        const auto count = std::ranges::count(subcommand.words, L' ') + !subcommand.words.empty();
        if (name == subcommand.name && std::cmp_equal(words.size(), count)) {
            subcommand.run(words);
            return;
        }
        usage += L"\n  e2ehelper " + std::wstring(subcommand.name) + L" " +
                 std::wstring(subcommand.words);
    }
    throw Failure{usage};
}

} // namespace

void failWithLastError(std::wstring_view call) {
    const DWORD code = GetLastError();
    throw Failure{std::wstring(call) + L" failed: error " + std::to_wstring(code) + L" " +
                  quillmarten::widen(quillmarten::systemErrorText(code))};
}

// WriteFile rather than the C runtime, whose text mode would turn '\n' into "\r\n" and whose
// buffer would hold a line back.
void printLine(std::wstring_view text, DWORD stream) {
    const std::string bytes = quillmarten::narrow(text) + '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

} // namespace e2e

int wmain(int argc, wchar_t** argv) {
    try {
        e2e::runSubcommand(argc > 1 ? argv[1] : L"", {argv + std::min(argc, 2), argv + argc});
        return 0;
    } catch (const e2e::Failure& error) {
        e2e::printLine(L"e2ehelper: " + error.message, STD_ERROR_HANDLE);
    } catch (const std::exception& error) {
        e2e::printLine(L"e2ehelper: " + quillmarten::widen(error.what()), STD_ERROR_HANDLE);
    }
    return 1;
}
