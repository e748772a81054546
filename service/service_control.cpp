#include "service/service_control.h"

namespace quillmarten {

namespace {

constexpr int hostingFailedExitCode = 1;

} // namespace

ServiceControl::ServiceControl(SessionTracker& tracker, TrayPresence& tray, Timer& meterTimer,
                               EventWriter& events, ProgramLifetime& program)
    : tracker_(tracker), tray_(tray), meterTimer_(meterTimer), events_(events), program_(program) {}

template <typename Steps> void ServiceControl::guarded(Steps steps) {
    try {
        steps();
    } catch (...) {
        reportError(events_, currentError());
    }
}

// The tracker reports its own failures, so the start counts as done whatever happens inside.
bool ServiceControl::onStart() {
    guarded([&] { tracker_.start(); });
    return true;
}

// A pause is written as an error, so that an administrator who is alerted to the service's
// errors learns that someone paused the meter.
bool ServiceControl::onPause() {
    return switchMetering(EventType::error, event_id::report, "Service paused",
                          TrayPicture::paused);
}

bool ServiceControl::onContinue() {
    return switchMetering(EventType::information, event_id::serviceContinued, "Service continued",
                          TrayPicture::running);
}

// A request is carried out once its entry is written, even should a later step fail.
bool ServiceControl::switchMetering(EventType type, std::uint32_t eventId, const std::string& entry,
                                    TrayPicture picture) {
    bool done = false;
    guarded([&] {
        events_.writeEvent(type, eventId, entry);
        done = true;
        tray_.showPicture(picture);
        meterTimer_.setEnabled(picture == TrayPicture::running);
    });
    return done;
}

void ServiceControl::onStop() {
    guarded([&] {
        tray_.removeIcon();
        program_.unloadMainWindow();
    });
}

void ServiceControl::onCustomControl(std::uint32_t) {}

void ServiceControl::onHostingFailed(const RaisedError& error) {
    reportError(events_, error, report_origin::serviceDispatch);
    program_.endProgram(hostingFailedExitCode);
}

} // namespace quillmarten
