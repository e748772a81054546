#pragma once

#include "basics/service_state.h"

#include <windows.h>

#include <optional>

// A service's state in the service control manager's codes (SERVICE_RUNNING...) and back, and as
// the states a notification of a change asks for (SERVICE_NOTIFY_RUNNING...).
namespace quillmarten {

DWORD serviceStateCode(ServiceState state);

// nullopt: a code of no state the manager knows.
std::optional<ServiceState> serviceStateOf(DWORD code);

// Every state but `present`; every state when the present one is not known.
DWORD notifyMaskLeaving(std::optional<ServiceState> present);

} // namespace quillmarten
