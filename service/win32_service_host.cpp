#include "win32_service_host.h"

#include "metering/win32_registry.h"
#include "metering/win32_service_handle.h"
#include "metering/win32_text.h"

#include <utility>

namespace quillmarten {

namespace {

constexpr wchar_t serviceName[] = L"Quillmarten";
constexpr wchar_t serviceDescription[] =
    L"Meters how long this computer is in use, session by session.";
const std::wstring serviceKey = L"SYSTEM\\CurrentControlSet\\Services\\Quillmarten";
const std::wstring eventSourceKey =
    L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Quillmarten";

// Outside the range of control codes, so that it cannot be mistaken for one.
constexpr DWORD startRequest = 0x10000;

// The one host of the process: the manager's entry points carry no context of their own.
Win32ServiceHost* runningHost = nullptr;

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

// The path is quoted so that a folder name with a space cannot be taken for another program.
bool Win32ServiceHost::install() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    if (!manager) {
        return false;
    }
    const std::wstring command = L"\"" + executablePath_ + L"\"";
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

void Win32ServiceHost::connectToServiceManager() {
    runningHost = this;
    dispatcher_ = CreateThread(nullptr, 0, &dispatch, this, 0, nullptr);
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
    if (self->status_ == nullptr) {
        return;
    }
    self->reportState(SERVICE_START_PENDING);
    self->forward(startRequest);
}

// The manager's thread only marks the request pending and hands it on: it must not wait for the
// user-interface thread, which reports the outcome itself once the handler has run.
DWORD WINAPI Win32ServiceHost::controlHandler(DWORD control, DWORD, LPVOID, LPVOID host) {
    auto* self = static_cast<Win32ServiceHost*>(host);
    switch (control) {
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    case SERVICE_CONTROL_STOP:
        self->reportState(SERVICE_STOP_PENDING);
        break;
    case SERVICE_CONTROL_PAUSE:
        self->reportState(SERVICE_PAUSE_PENDING);
        break;
    case SERVICE_CONTROL_CONTINUE:
        self->reportState(SERVICE_CONTINUE_PENDING);
        break;
    default:
        if (control < 128 || control > 255) {
            return ERROR_CALL_NOT_IMPLEMENTED;
        }
        break;
    }
    self->forward(control);
    return NO_ERROR;
}

void Win32ServiceHost::forward(DWORD control) {
    PostMessageW(requestWindow_, requestMessage, control, 0);
}

// A request that its handler did not carry out leaves the service as it was.
void Win32ServiceHost::deliver(WPARAM request) {
    const auto control = static_cast<DWORD>(request);
    const DWORD before = settledState_;
    switch (control) {
    case startRequest:
        if (handlers_->onStart()) {
            reportState(SERVICE_RUNNING);
        } else {
            endHosting();
        }
        break;
    case SERVICE_CONTROL_PAUSE:
        reportState(handlers_->onPause() ? SERVICE_PAUSED : before);
        break;
    case SERVICE_CONTROL_CONTINUE:
        reportState(handlers_->onContinue() ? SERVICE_RUNNING : before);
        break;
    case SERVICE_CONTROL_STOP:
        handlers_->onStop();
        if (state_ != SERVICE_STOPPED) {
            reportState(before);
        }
        break;
    default:
        handlers_->onCustomControl(control);
        break;
    }
}

void Win32ServiceHost::reportState(DWORD state) {
    state_ = state;
    if (state == SERVICE_RUNNING || state == SERVICE_PAUSED || state == SERVICE_STOPPED) {
        settledState_ = state;
    }
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted =
        state == SERVICE_START_PENDING ? 0 : SERVICE_ACCEPT_STOP | acceptedControls_;
    status.dwWaitHint = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING ? 30000 : 0;
    SetServiceStatus(status_, &status);
}

void Win32ServiceHost::endHosting() {
    if (status_ != nullptr && state_ != SERVICE_STOPPED) {
        reportState(SERVICE_STOPPED);
    }
}

void Win32ServiceHost::writeEvent(EventType type, std::uint32_t id, const std::string& message) {
    const EventSource source;
    const std::wstring text = widen(message);
    const wchar_t* strings[] = {text.c_str()};
    ReportEventW(source.get(), static_cast<WORD>(type), 0, id, nullptr, 1, 0, strings, nullptr);
}

} // namespace quillmarten
