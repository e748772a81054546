#include "commands.h"

#include <utility>
#include <vector>

namespace e2e {

namespace {

using Name = std::pair<DWORD, const wchar_t*>;

constexpr Name states[] = {{SERVICE_STOPPED, L"STOPPED"},
                           {SERVICE_START_PENDING, L"START_PENDING"},
                           {SERVICE_STOP_PENDING, L"STOP_PENDING"},
                           {SERVICE_RUNNING, L"RUNNING"},
                           {SERVICE_CONTINUE_PENDING, L"CONTINUE_PENDING"},
                           {SERVICE_PAUSE_PENDING, L"PAUSE_PENDING"},
                           {SERVICE_PAUSED, L"PAUSED"}};
constexpr Name startTypes[] = {{SERVICE_AUTO_START, L"AUTO_START"},
                               {SERVICE_DEMAND_START, L"DEMAND_START"},
                               {SERVICE_DISABLED, L"DISABLED"}};
constexpr Name typeFlags[] = {{SERVICE_WIN32_OWN_PROCESS, L"WIN32_OWN_PROCESS"},
                              {SERVICE_WIN32_SHARE_PROCESS, L"WIN32_SHARE_PROCESS"},
                              {SERVICE_INTERACTIVE_PROCESS, L"INTERACTIVE_PROCESS"}};
// The state of a service that does not exist, so that a wait for a removal reads like any other.
constexpr wchar_t notInstalled[] = L"NOT_INSTALLED";
// The most either configuration query can return.
constexpr DWORD maxConfigSize = 8192;

// The name of a value, or the number itself when it has none.
std::wstring nameOf(std::span<const Name> names, DWORD value) {
    for (const auto& [known, name] : names) {
        if (known == value) {
            return name;
        }
    }
    return std::to_wstring(value);
}

// The names of the flags set, joined by '|', and any bits without a name as a number.
std::wstring typeFlagNames(DWORD type) {
    std::wstring text;
    for (const auto& [bit, name] : typeFlags) {
        if ((type & bit) != 0) {
            text += (text.empty() ? L"" : L"|") + std::wstring(name);
            type &= ~bit;
        }
    }
    return type == 0 ? text : (text.empty() ? L"" : text + L"|") + std::to_wstring(type);
}

// Empty when no service of that name is installed.
ServiceHandle openService(const std::wstring& name, DWORD access) {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        failWithLastError(L"OpenSCManager");
    }
    ServiceHandle service(OpenServiceW(manager.get(), name.c_str(), access));
    if (!service && GetLastError() != ERROR_SERVICE_DOES_NOT_EXIST) {
        failWithLastError(L"OpenService(" + name + L")");
    }
    return service;
}

ServiceHandle openInstalled(const std::wstring& name, DWORD access) {
    ServiceHandle service = openService(name, access);
    if (!service) {
        throw Failure{L"service " + name + L" is not installed"};
    }
    return service;
}

std::wstring currentState(const std::wstring& name) {
    const ServiceHandle service = openService(name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    if (service && !QueryServiceStatus(service.get(), &status)) {
        failWithLastError(L"QueryServiceStatus");
    }
    return service ? nameOf(states, status.dwCurrentState) : notInstalled;
}

void waitForState(const std::wstring& name, const std::wstring& wanted, DWORD timeoutMs) {
    std::wstring state;
    if (!pollUntil(timeoutMs, [&] { return (state = currentState(name)) == wanted; })) {
        throw Failure{L"timed out waiting for " + name + L" to be " + wanted + L"; it is " + state};
    }
    printLine(state);
}

// Prints the state the service reported back while handling the control.
void sendControl(const std::wstring& name, DWORD control, DWORD access) {
    SERVICE_STATUS status{};
    if (!ControlService(openInstalled(name, access).get(), control, &status)) {
        failWithLastError(L"ControlService(" + std::to_wstring(control) + L")");
    }
    printLine(nameOf(states, status.dwCurrentState));
}

std::wstring orEmpty(const wchar_t* text) {
    return text != nullptr ? text : L"";
}

// One line per setting: binary_path=, start_type=, service_type=, account=, display_name= and
// description=.
void printConfig(const std::wstring& name) {
    const ServiceHandle service = openInstalled(name, SERVICE_QUERY_CONFIG);
    std::vector<BYTE> configBytes(maxConfigSize);
    std::vector<BYTE> descriptionBytes(maxConfigSize);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(configBytes.data());
    DWORD needed = 0;
    if (!QueryServiceConfigW(service.get(), config, maxConfigSize, &needed)) {
        failWithLastError(L"QueryServiceConfig");
    }
    if (!QueryServiceConfig2W(service.get(), SERVICE_CONFIG_DESCRIPTION, descriptionBytes.data(),
                              maxConfigSize, &needed)) {
        failWithLastError(L"QueryServiceConfig2");
    }
    const auto* description = reinterpret_cast<SERVICE_DESCRIPTIONW*>(descriptionBytes.data());
    printLine(L"binary_path=" + orEmpty(config->lpBinaryPathName));
    printLine(L"start_type=" + nameOf(startTypes, config->dwStartType));
    printLine(L"service_type=" + typeFlagNames(config->dwServiceType));
    printLine(L"account=" + orEmpty(config->lpServiceStartName));
    printLine(L"display_name=" + orEmpty(config->lpDisplayName));
    printLine(L"description=" + orEmpty(description->lpDescription));
}

void runOn(const std::wstring& name, const std::wstring& command, Arguments rest) {
    expectCount(rest, command == L"wait" ? 2 : command == L"control" ? 1 : 0);
    if (command == L"state") {
        printLine(currentState(name));
    } else if (command == L"wait") {
        waitForState(name, rest[0], parseSeconds(rest[1]));
    } else if (command == L"config") {
        printConfig(name);
    } else if (command == L"pause") {
        sendControl(name, SERVICE_CONTROL_PAUSE, SERVICE_PAUSE_CONTINUE);
    } else if (command == L"continue") {
        sendControl(name, SERVICE_CONTROL_CONTINUE, SERVICE_PAUSE_CONTINUE);
    } else if (command == L"control") {
        const auto code = static_cast<DWORD>(parseNumber(rest[0], 128, 255, L"CODE"));
        sendControl(name, code, SERVICE_USER_DEFINED_CONTROL);
    } else {
        throw UsageError{L"unknown service command " + command};
    }
}

} // namespace

void serviceCommand(Arguments args) {
    if (args.size() < 2) {
        throw UsageError{L"missing service arguments"};
    }
    runOn(args[0], args[1], args.subspan(2));
}

} // namespace e2e
