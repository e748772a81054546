#include "viewer/win32_service_watch.h"

#include "platform/win32_service_config.h"
#include "platform/win32_service_handle.h"
#include "platform/win32_service_state.h"
#include "platform/win32_text.h"

namespace quillmarten {

namespace {

constexpr ServiceStatus notInstalled{false, std::nullopt};
// Installed, or at least not said to be missing, in a state the manager would not say.
constexpr ServiceStatus notTold{true, std::nullopt};

} // namespace

// The handle of the last lookup goes first, and with it any notification asked on it.
ServiceLookup Win32ServiceWatch::lookUp() {
    service_.reset();
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return ServiceLookup{notTold, ""};
    }
    service_.emplace(
        OpenServiceW(manager.get(), L"Quillmarten", SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
    if (!*service_) {
        const DWORD error = GetLastError();
        service_.reset();
        const bool gone =
            error == ERROR_SERVICE_DOES_NOT_EXIST || error == ERROR_SERVICE_MARKED_FOR_DELETE;
        return ServiceLookup{gone ? notInstalled : notTold, ""};
    }
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service_->get(), &status)) {
        return ServiceLookup{notTold, ""};
    }
    return ServiceLookup{ServiceStatus{true, serviceStateOf(status.dwCurrentState)},
                         narrow(registeredCommandOf(service_->get()).value_or(L""))};
}

// Any state but the present one, since a state asked for that the service is in already is
// told at once.
bool Win32ServiceWatch::watchForChange(std::optional<ServiceState> state) {
    if (!service_) {
        return false;
    }
    notice_ = SERVICE_NOTIFYW{};
    notice_.dwVersion = SERVICE_NOTIFY_STATUS_CHANGE;
    notice_.pfnNotifyCallback = &Win32ServiceWatch::onNotified;
    notice_.pContext = this;
    const DWORD changes = notifyMaskLeaving(state) | SERVICE_NOTIFY_DELETE_PENDING;
    return NotifyServiceStatusChangeW(service_->get(), changes, &notice_) == ERROR_SUCCESS;
}

void CALLBACK Win32ServiceWatch::onNotified(void* notice) {
    const auto* watch =
        static_cast<const Win32ServiceWatch*>(static_cast<SERVICE_NOTIFYW*>(notice)->pContext);
    PostMessageW(watch->window_, watch->changeMessage_, 0, 0);
}

} // namespace quillmarten
