#pragma once

#include "service/service_host.h"
#include "service/service_states.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace quillmarten {

// The service's name and display name.
inline constexpr wchar_t serviceName[] = L"Quillmarten";

// The service "Quillmarten" on the Windows service control manager: install, removal, the event
// log and the control requests. The requests arrive on the manager's own thread and are posted
// to the user-interface thread, so that they run there one at a time, each to its end; the
// state reported back follows what the handler did, as service_states.h decides.
class Win32ServiceHost final : public ServiceHost {
  public:
    // Posted to the request window: wParam is the request, to be passed to deliver().
    static constexpr UINT requestMessage = WM_APP + 1;
    // Posted to the request window when the process could not be handed to the service control
    // manager: wParam is the system's error code.
    static constexpr UINT hostingFailedMessage = WM_APP + 2;

    explicit Win32ServiceHost(std::wstring executablePath);
    ~Win32ServiceHost() override;
    Win32ServiceHost(const Win32ServiceHost&) = delete;
    Win32ServiceHost& operator=(const Win32ServiceHost&) = delete;

    void connect(HWND requestWindow, ServiceEvents& handlers);
    // On the user-interface thread: runs the request's handler.
    void deliver(WPARAM request);

    void setInteractiveDesktop(bool interactive) override { interactive_ = interactive; }
    bool install() override;
    bool remove() override;
    std::string displayName() override;
    void writeSetting(const std::string& section, const std::string& key,
                      const std::string& value) override;
    std::optional<std::string> readSetting(const std::string& section,
                                           const std::string& key) override;
    void acceptPauseAndContinue() override { acceptsPauseAndContinue_ = true; }
    void connectToServiceManager() override;
    std::string registeredCommand() override;
    void changeRegisteredCommand(const std::string& command) override;
    void endHosting() override;
    void writeEvent(EventType type, std::uint32_t id, const std::string& message) override;

  private:
    static DWORD WINAPI dispatch(LPVOID host);
    static void WINAPI serviceMain(DWORD argc, LPWSTR* argv);
    static DWORD WINAPI controlHandler(DWORD control, DWORD eventType, LPVOID eventData,
                                       LPVOID host);
    bool runHandler(HostRequest request, DWORD control);
    void reportState(ServiceState state);

    std::wstring executablePath_;
    bool interactive_ = false;
    bool acceptsPauseAndContinue_ = false;
    HWND requestWindow_ = nullptr;
    ServiceEvents* handlers_ = nullptr;
    HANDLE dispatcher_ = nullptr;
    SERVICE_STATUS_HANDLE status_ = nullptr;
    std::atomic<ServiceState> state_ = ServiceState::stopped;
    std::atomic<ServiceState> settledState_ = ServiceState::stopped;
};

} // namespace quillmarten
