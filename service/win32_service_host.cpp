#include "service/win32_service_host.h"

#include "platform/win32_registry.h"
#include "platform/win32_service_config.h"
#include "platform/win32_service_handle.h"
#include "platform/win32_service_state.h"
#include "platform/win32_text.h"

#include <utility>

namespace quillmarten {

namespace {

constexpr wchar_t serviceDescription[] =
    L"Meters how long this computer is in use, session by session.";
const std::wstring serviceKey = L"SYSTEM\\CurrentControlSet\\Services\\Quillmarten";
const std::wstring eventSourceKey =
    L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Quillmarten";

// Outside the range of control codes, so that it cannot be mistaken for one.
constexpr DWORD startRequest = 0x10000;

// The one host of the process: the manager's entry points carry no context of their own.
Win32ServiceHost* runningHost = nullptr;

HostRequest requestOf(DWORD control) {
    switch (control) {
    case startRequest:
        return HostRequest::start;
    case SERVICE_CONTROL_STOP:
        return HostRequest::stop;
    case SERVICE_CONTROL_PAUSE:
        return HostRequest::pause;
    case SERVICE_CONTROL_CONTINUE:
        return HostRequest::resume;
    case SERVICE_CONTROL_INTERROGATE:
        return HostRequest::interrogate;
    default:
        return control >= 128 && control <= 255 ? HostRequest::custom : HostRequest::unknown;
    }
}

class EventSource {
  public:
    EventSource() : handle_(RegisterEventSourceW(nullptr, serviceName)) {}
    ~EventSource() {
        if (handle_ != nullptr) {
            DeregisterEventSource(handle_);
        }
    }
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// The entries' texts come from the message table compiled into the executable.
void registerEventSource(const std::wstring& executablePath) {
    if (auto key = RegistryKey::create(HKEY_LOCAL_MACHINE, eventSourceKey)) {
        key->setText(L"EventMessageFile", executablePath, REG_EXPAND_SZ);
        key->setNumber(L"TypesSupported",
                       EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE);
    }
}

// The service, opened with `access`; raises the system's error when it cannot be.
SC_HANDLE openOwnService(DWORD access) {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const SC_HANDLE service = manager ? OpenServiceW(manager.get(), serviceName, access) : nullptr;
    if (service == nullptr) {
        throw systemError(GetLastError());
    }
    return service;
}

} // namespace

Win32ServiceHost::Win32ServiceHost(std::wstring executablePath)
    : executablePath_(std::move(executablePath)) {}

Win32ServiceHost::~Win32ServiceHost() {
    if (dispatcher_ == nullptr) {
        return;
    }
    endHosting();
    WaitForSingleObject(dispatcher_, 5000);
    CloseHandle(dispatcher_);
    runningHost = nullptr;
}

void Win32ServiceHost::connect(HWND requestWindow, ServiceEvents& handlers) {
    requestWindow_ = requestWindow;
    handlers_ = &handlers;
}

bool Win32ServiceHost::install() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    if (!manager) {
        return false;
    }
    const std::wstring command = widen(serviceCommandOf(narrow(executablePath_)));
    const DWORD type = SERVICE_WIN32_OWN_PROCESS | (interactive_ ? SERVICE_INTERACTIVE_PROCESS : 0);
    const ServiceHandle service(CreateServiceW(
        manager.get(), serviceName, serviceName, SERVICE_CHANGE_CONFIG, type, SERVICE_AUTO_START,
        SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service) {
        return false;
    }
    SERVICE_DESCRIPTIONW description{const_cast<wchar_t*>(serviceDescription)};
    ChangeServiceConfig2W(service.get(), SERVICE_CONFIG_DESCRIPTION, &description);
    registerEventSource(executablePath_);
    return true;
}

bool Win32ServiceHost::remove() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const ServiceHandle service(manager ? OpenServiceW(manager.get(), serviceName, DELETE)
                                        : nullptr);
    if (!service || !DeleteService(service.get())) {
        return false;
    }
    RegistryKey::remove(HKEY_LOCAL_MACHINE, eventSourceKey);
    return true;
}

std::string Win32ServiceHost::displayName() {
    return narrow(serviceName);
}

void Win32ServiceHost::writeSetting(const std::string& section, const std::string& key,
                                    const std::string& value) {
    if (auto stored =
            RegistryKey::create(HKEY_LOCAL_MACHINE, serviceKey + L"\\" + widen(section))) {
        stored->setText(widen(key).c_str(), widen(value));
    }
}

std::optional<std::string> Win32ServiceHost::readSetting(const std::string& section,
                                                         const std::string& key) {
    const auto stored = RegistryKey::open(HKEY_LOCAL_MACHINE, serviceKey + L"\\" + widen(section));
    const auto value = stored ? stored->text(widen(key).c_str()) : std::nullopt;
    return value ? std::optional(narrow(*value)) : std::nullopt;
}

void Win32ServiceHost::connectToServiceManager() {
    runningHost = this;
    dispatcher_ = CreateThread(nullptr, 0, &dispatch, this, 0, nullptr);
}

std::string Win32ServiceHost::registeredCommand() {
    const ServiceHandle service(openOwnService(SERVICE_QUERY_CONFIG));
    const std::optional<std::wstring> command = registeredCommandOf(service.get());
    if (!command) {
        throw systemError(GetLastError());
    }
    return narrow(*command);
}

// Unlike a change in the registry, which the manager reads only when Windows starts, this changes
// the configuration the manager itself keeps, and the registry with it.
void Win32ServiceHost::changeRegisteredCommand(const std::string& command) {
    const ServiceHandle service(openOwnService(SERVICE_CHANGE_CONFIG));
    if (!ChangeServiceConfigW(service.get(), SERVICE_NO_CHANGE, SERVICE_NO_CHANGE,
                              SERVICE_NO_CHANGE, widen(command).c_str(), nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr)) {
        throw systemError(GetLastError());
    }
}

DWORD WINAPI Win32ServiceHost::dispatch(LPVOID host) {
    auto* self = static_cast<Win32ServiceHost*>(host);
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(serviceName), &serviceMain},
                                    {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherW(table)) {
        PostMessageW(self->requestWindow_, hostingFailedMessage, GetLastError(), 0);
    }
    return 0;
}

void WINAPI Win32ServiceHost::serviceMain(DWORD, LPWSTR*) {
    Win32ServiceHost* self = runningHost;
    self->status_ = RegisterServiceCtrlHandlerExW(serviceName, &controlHandler, self);
    if (self->status_ != nullptr) {
        controlHandler(startRequest, 0, nullptr, self);
    }
}

DWORD WINAPI Win32ServiceHost::controlHandler(DWORD control, DWORD, LPVOID, LPVOID host) {
    auto* self = static_cast<Win32ServiceHost*>(host);
    const RequestArrival arrival = arrivalOf(requestOf(control));
    if (!arrival.taken) {
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
    if (arrival.pending) {
        self->reportState(*arrival.pending);
    }
    if (arrival.forwarded) {
        PostMessageW(self->requestWindow_, requestMessage, control, 0);
    }
    return NO_ERROR;
}

void Win32ServiceHost::deliver(WPARAM request) {
    const auto control = static_cast<DWORD>(request);
    const HostRequest kind = requestOf(control);
    const ServiceState before = settledState_;
    const bool carriedOut = runHandler(kind, control);
    if (const auto after = stateAfter(kind, carriedOut, before)) {
        reportState(*after);
    }
}

// Returns whether the handler carried the request out: a stop, whether the hosting ended.
bool Win32ServiceHost::runHandler(HostRequest request, DWORD control) {
    switch (request) {
    case HostRequest::start:
        return handlers_->onStart();
    case HostRequest::pause:
        return handlers_->onPause();
    case HostRequest::resume:
        return handlers_->onContinue();
    case HostRequest::stop:
        handlers_->onStop();
        return state_ == ServiceState::stopped;
    case HostRequest::custom:
    case HostRequest::interrogate:
    case HostRequest::unknown:
        break;
    }
    handlers_->onCustomControl(control);
    return true;
}

void Win32ServiceHost::reportState(ServiceState state) {
    state_ = state;
    if (isSettled(state)) {
        settledState_ = state;
    }
    const StatusReport report = statusReportOf(state, acceptsPauseAndContinue_);
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = serviceStateCode(state);
    status.dwControlsAccepted =
        (report.acceptsStop ? SERVICE_ACCEPT_STOP : 0) |
        (report.acceptsPauseAndContinue ? SERVICE_ACCEPT_PAUSE_CONTINUE : 0);
    status.dwWaitHint = report.waitHintMs;
    SetServiceStatus(status_, &status);
}

void Win32ServiceHost::endHosting() {
    if (status_ != nullptr && state_ != ServiceState::stopped) {
        reportState(ServiceState::stopped);
    }
}

void Win32ServiceHost::writeEvent(EventType type, std::uint32_t id, const std::string& message) {
    const EventSource source;
    const std::wstring text = widen(message);
    const wchar_t* strings[] = {text.c_str()};
    ReportEventW(source.get(), static_cast<WORD>(type), 0, id, nullptr, 1, 0, strings, nullptr);
}

} // namespace quillmarten
