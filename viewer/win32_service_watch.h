#pragma once

#include "viewer/viewer_ports.h"

#include "platform/win32_service_handle.h"

#include <windows.h>

#include <optional>

namespace quillmarten {

// The service "Quillmarten" as the service control manager describes it to any user, through
// OpenSCManagerW, OpenServiceW, QueryServiceStatus and QueryServiceConfigW, and its changes
// through NotifyServiceStatusChangeW. The notification comes as a call queued to the thread
// that asked, run while that thread waits alertably; it only posts `changeMessage` to `window`.
class Win32ServiceWatch final : public ServiceWatch {
  public:
    Win32ServiceWatch(HWND window, UINT changeMessage)
        : window_(window), changeMessage_(changeMessage) {}

    ServiceLookup lookUp() override;
    bool watchForChange(std::optional<ServiceState> state) override;

  private:
    static void CALLBACK onNotified(void* notice);

    HWND window_;
    UINT changeMessage_;
    // Kept open from one lookup to the next, since a notification lives as long as the handle
    // it was asked on; closing the handle cancels it, so that a service being removed is not
    // kept by the viewer.
    std::optional<ServiceHandle> service_;
    // Read by the service control manager until the notification comes or is cancelled.
    SERVICE_NOTIFYW notice_{};
};

} // namespace quillmarten
