#include "service_control.h"

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

// A request is carried out once its entry is written, even should a later step fail.
bool ServiceControl::onPause() {
    bool done = false;
    guarded([&] {
        events_.writeEvent(EventType::information, event_id::report, "Service paused");
        done = true;
        tray_.showPicture(TrayPicture::paused);
        meterTimer_.setEnabled(false);
    });
    return done;
}

bool ServiceControl::onContinue() {
    bool done = false;
    guarded([&] {
        events_.writeEvent(EventType::information, event_id::serviceContinued, "Service continued");
        done = true;
        tray_.showPicture(TrayPicture::running);
        meterTimer_.setEnabled(true);
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
