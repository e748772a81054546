#include "service/service_states.h"

namespace quillmarten {

namespace {

constexpr std::uint32_t slowStepMs = 30000;

} // namespace

RequestArrival arrivalOf(HostRequest request) {
    switch (request) {
    case HostRequest::start:
        return RequestArrival{true, true, ServiceState::starting};
    case HostRequest::stop:
        return RequestArrival{true, true, ServiceState::stopping};
    case HostRequest::pause:
        return RequestArrival{true, true, ServiceState::pausing};
    case HostRequest::resume:
        return RequestArrival{true, true, ServiceState::continuing};
    case HostRequest::custom:
        return RequestArrival{true, true, std::nullopt};
    case HostRequest::interrogate:
        return RequestArrival{true, false, std::nullopt};
    case HostRequest::unknown:
        break;
    }
    return RequestArrival{false, false, std::nullopt};
}

std::optional<ServiceState> stateAfter(HostRequest request, bool carriedOut, ServiceState settled) {
    switch (request) {
    case HostRequest::start:
        return carriedOut ? ServiceState::running : ServiceState::stopped;
    case HostRequest::pause:
        return carriedOut ? ServiceState::paused : settled;
    case HostRequest::resume:
        return carriedOut ? ServiceState::running : settled;
    case HostRequest::stop:
        return carriedOut ? std::nullopt : std::optional(settled);
    case HostRequest::custom:
    case HostRequest::interrogate:
    case HostRequest::unknown:
        break;
    }
    return std::nullopt;
}

StatusReport statusReportOf(ServiceState state, bool pauseAndContinue) {
    const bool starting = state == ServiceState::starting;
    const bool slow = starting || state == ServiceState::stopping;
    return StatusReport{!starting, !starting && pauseAndContinue, slow ? slowStepMs : 0};
}

} // namespace quillmarten
