#include "commands.h"

#include "metering/win32_text.h"

#include <exception>
#include <vector>

namespace {

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

constexpr wchar_t usage[] =
    L"usage: e2ehelper service NAME state|config|pause|continue|control CODE|wait STATE SECONDS\n"
    L"       e2ehelper window find|count|rows|close CRITERIA\n"
    L"       e2ehelper window wait-visible CRITERIA 0|1 SECONDS\n"
    L"       e2ehelper logoff CRITERIA      (prints how many windows it reached)\n"
    L"       e2ehelper msgbox wait CAPTION SECONDS\n"
    L"       e2ehelper save-as CAPTION FILE SECONDS   (names the file and presses Save)\n"
    L"       e2ehelper launch SECONDS \"COMMAND LINE\"\n"
    L"       e2ehelper eventtext MESSAGE_FILE EVENT_ID TEXT\n"
    L"       e2ehelper hold SECONDS\n"
    L"       e2ehelper lock FILE SECONDS\n"
    L"CRITERIA, all given must match, hidden windows too: --title-prefix TEXT --class NAME "
    L"--visible";

struct Subcommand {
    std::wstring_view name;
    void (*run)(e2e::Arguments);
};

constexpr Subcommand subcommands[] = {
    {L"service", e2e::serviceCommand},     {L"window", e2e::windowCommand},
    {L"logoff", e2e::logoffCommand},       {L"msgbox", e2e::messageBoxCommand},
    {L"save-as", e2e::saveAsCommand},      {L"launch", e2e::launchCommand},
    {L"eventtext", e2e::eventTextCommand}, {L"hold", e2e::holdCommand},
    {L"lock", e2e::lockCommand},
};

void runSubcommand(e2e::Arguments args) {
    for (const auto& [name, run] : subcommands) {
        if (!args.empty() && args.front() == name) {
            run(args.subspan(1));
            return;
        }
    }
    throw e2e::UsageError{L"unknown subcommand"};
}

void reportError(std::wstring_view message) {
    e2e::printErrorLine(L"e2ehelper: " + std::wstring(message));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    try {
        runSubcommand(args);
        return 0;
    } catch (const e2e::UsageError& error) {
        reportError(error.message);
        e2e::printErrorLine(usage);
        return exitUsage;
    } catch (const e2e::Failure& error) {
        reportError(error.message);
    } catch (const std::exception& error) {
        reportError(L"unexpected error: " + quillmarten::widen(error.what()));
    }
    return exitFailure;
}
