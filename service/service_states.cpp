#include "service/service_states.h"

namespace quillmarten {

namespace {

constexpr std::uint32_t slowStepMs = 30000;

} // namespace

RequestArrival arrivalOf(HostRequest request) {
    switch (request) {
    case HostRequest::start:
        return RequestArrival{true, true, HostedState::starting};
    case HostRequest::stop:
        return RequestArrival{true, true, HostedState::stopping};
    case HostRequest::pause:
        return RequestArrival{true, true, HostedState::pausing};
    case HostRequest::resume:
        return RequestArrival{true, true, HostedState::continuing};
    case HostRequest::custom:
        return RequestArrival{true, true, std::nullopt};
    case HostRequest::interrogate:
        return RequestArrival{true, false, std::nullopt};
    case HostRequest::unknown:
        break;
    }
    return RequestArrival{false, false, std::nullopt};
}

std::optional<HostedState> stateAfter(HostRequest request, bool carriedOut, HostedState settled) {
    switch (request) {
    case HostRequest::start:
        return carriedOut ? HostedState::running : HostedState::stopped;
    case HostRequest::pause:
        return carriedOut ? HostedState::paused : settled;
    case HostRequest::resume:
        return carriedOut ? HostedState::running : settled;
    case HostRequest::stop:
        return carriedOut ? std::nullopt : std::optional(settled);
    case HostRequest::custom:
    case HostRequest::interrogate:
    case HostRequest::unknown:
        break;
    }
    return std::nullopt;
}

StatusReport statusReportOf(HostedState state, bool pauseAndContinue) {
    const bool starting = state == HostedState::starting;
    const bool slow = starting || state == HostedState::stopping;
    return StatusReport{!starting, !starting && pauseAndContinue, slow ? slowStepMs : 0};
}

} // namespace quillmarten
