#include "platform/win32_service_state.h"

#include <algorithm>
#include <array>

namespace quillmarten {

namespace {

struct StateCodes {
    ServiceState state;
    DWORD code;
    DWORD notifyMask;
};

constexpr std::array<StateCodes, 7> stateCodes{{
    {ServiceState::stopped, SERVICE_STOPPED, SERVICE_NOTIFY_STOPPED},
    {ServiceState::starting, SERVICE_START_PENDING, SERVICE_NOTIFY_START_PENDING},
    {ServiceState::stopping, SERVICE_STOP_PENDING, SERVICE_NOTIFY_STOP_PENDING},
    {ServiceState::running, SERVICE_RUNNING, SERVICE_NOTIFY_RUNNING},
    {ServiceState::continuing, SERVICE_CONTINUE_PENDING, SERVICE_NOTIFY_CONTINUE_PENDING},
    {ServiceState::pausing, SERVICE_PAUSE_PENDING, SERVICE_NOTIFY_PAUSE_PENDING},
    {ServiceState::paused, SERVICE_PAUSED, SERVICE_NOTIFY_PAUSED},
}};

// Every enumerator has its row.
const StateCodes& codesOf(ServiceState state) {
    return *std::ranges::find(stateCodes, state, &StateCodes::state);
}

} // namespace

DWORD serviceStateCode(ServiceState state) {
    return codesOf(state).code;
}

std::optional<ServiceState> serviceStateOf(DWORD code) {
    const auto found = std::ranges::find(stateCodes, code, &StateCodes::code);
    return found == stateCodes.end() ? std::nullopt : std::optional(found->state);
}

DWORD notifyMaskLeaving(std::optional<ServiceState> present) {
    DWORD mask = 0;
    for (const StateCodes& codes : stateCodes) {
        if (codes.state != present) {
            mask |= codes.notifyMask;
        }
    }
    return mask;
}

} // namespace quillmarten
