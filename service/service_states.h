#pragma once

#include "basics/service_state.h"

#include <cstdint>
#include <optional>

// How a request moves the service from one state it reports to the service control manager to
// the next: decided here, translated to and from the manager's codes by the host.
namespace quillmarten {

enum class HostRequest : std::uint8_t { start, stop, pause, resume, custom, interrogate, unknown };

// What the manager's thread does with a request as it arrives: whether it takes the request, and
// so hands it to the user-interface thread, and the pending state it reports meanwhile. The
// manager's thread must not wait for the user-interface thread, which reports the outcome.
struct RequestArrival {
    bool taken;
    bool forwarded;
    std::optional<ServiceState> pending;

    friend bool operator==(const RequestArrival&, const RequestArrival&) = default;
};
RequestArrival arrivalOf(HostRequest request);

// The state to report once the program's handler has run, from the state the service was last
// settled in; nullopt when there is nothing to report. A request that its handler did not carry
// out leaves the service as it was; a start that failed ends the hosting; a stop that ended the
// hosting has reported its stop already.
std::optional<ServiceState> stateAfter(HostRequest request, bool carriedOut, ServiceState settled);

// A running, paused or stopped service is settled; the others are on their way.
constexpr bool isSettled(ServiceState state) {
    return state == ServiceState::running || state == ServiceState::paused ||
           state == ServiceState::stopped;
}

// What a status report says besides the state: a starting service takes no requests yet, and a
// start or a stop may take a while.
struct StatusReport {
    bool acceptsStop;
    bool acceptsPauseAndContinue;
    std::uint32_t waitHintMs;

    friend bool operator==(const StatusReport&, const StatusReport&) = default;
};
StatusReport statusReportOf(ServiceState state, bool pauseAndContinue);

} // namespace quillmarten
