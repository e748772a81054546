#include "console.h"
#include "failure.h"
#include "numbers.h"
#include "poll.h"
#include "service_access.h"
#include "service_config.h"
#include "service_state.h"
#include "tool_main.h"

namespace {

using e2e::Arguments;

constexpr wchar_t usage[] = L"usage: svcctl NAME state\n"
                            L"       svcctl NAME wait STATE SECONDS\n"
                            L"       svcctl NAME pause|continue\n"
                            L"       svcctl NAME control CODE   (CODE 128..255)\n"
                            L"       svcctl NAME config";

void expectCount(const Arguments& args, std::size_t count) {
    if (args.size() != count) {
        throw e2e::UsageError(L"wrong number of arguments for " + args[1]);
    }
}

// Prints the state the service reported back while handling the control.
void sendControl(const std::wstring& name, DWORD control, DWORD access) {
    const auto opened = e2e::openService(name, access);
    SERVICE_STATUS status{};
    if (!ControlService(opened.service.get(), control, &status)) {
        e2e::throwLastError(L"ControlService(" + std::to_wstring(control) + L")");
    }
    e2e::printLine(e2e::stateName(status.dwCurrentState));
}

void waitForState(const std::wstring& name, const std::wstring& wanted, DWORD timeoutMs) {
    e2e::checkStateName(wanted);
    std::wstring state;
    const bool reached = e2e::pollUntil(timeoutMs, [&] {
        state = e2e::currentState(name);
        return state == wanted;
    });
    if (!reached) {
        throw e2e::Failure(L"timed out waiting for " + name + L" to be " + wanted + L"; it is " +
                           state);
    }
    e2e::printLine(state);
}

void dispatch(const Arguments& args) {
    if (args.size() < 2) {
        throw e2e::UsageError(L"missing arguments");
    }
    const std::wstring& name = args[0];
    const std::wstring& command = args[1];
    if (command == L"state") {
        expectCount(args, 2);
        e2e::printLine(e2e::currentState(name));
    } else if (command == L"wait") {
        expectCount(args, 4);
        waitForState(name, args[2], e2e::parseTimeoutSeconds(args[3]));
    } else if (command == L"pause" || command == L"continue") {
        expectCount(args, 2);
        const DWORD control =
            command == L"pause" ? SERVICE_CONTROL_PAUSE : SERVICE_CONTROL_CONTINUE;
        sendControl(name, control, SERVICE_PAUSE_CONTINUE);
    } else if (command == L"control") {
        expectCount(args, 3);
        const auto code = e2e::parseNumber(args[2], 128, 255, L"CODE");
        sendControl(name, static_cast<DWORD>(code), SERVICE_USER_DEFINED_CONTROL);
    } else if (command == L"config") {
        expectCount(args, 2);
        e2e::printServiceConfig(name);
    } else {
        throw e2e::UsageError(L"unknown command " + command);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return e2e::runTool(L"svcctl", usage, argc, argv, dispatch);
}
