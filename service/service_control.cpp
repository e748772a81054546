#include "service_control.h"

namespace quillmarten {

namespace {

constexpr int hostingFailedExitCode = 1;

} // namespace

ServiceControl::ServiceControl(SessionTracker& tracker, TrayIcon& tray, Timer& Timer1,
                               EventWriter& events, ProgramLifetime& program)
    : tracker_(tracker), tray_(tray), Timer1_(Timer1), events_(events), program_(program) {}

// Every handler reports what fails inside it and returns normally, its remaining steps skipped.
template <typename Steps> void ServiceControl::guarded(Steps steps) {
    try {
        steps();
    } catch (const RaisedError& error) {
        events_.WriteEvent(event_type::error, event_id::errorReport, errorReportText(error));
    }
}

void ServiceControl::Start(bool& Success) {
    guarded([&] {
        Success = true;
        tracker_.Inizializza();
    });
}

void ServiceControl::Pause(bool& Success) {
    guarded([&] {
        events_.WriteEvent(event_type::error, event_id::errorReport, "Service paused");
        Success = true;
        tray_.Cambia_Icona(0);
        Timer1_.setEnabled(false);
    });
}

void ServiceControl::Continue(bool& Success) {
    guarded([&] {
        events_.WriteEvent(event_type::information, event_id::serviceContinued,
                           "Service continued");
        Success = true;
        tray_.Cambia_Icona(1);
        Timer1_.setEnabled(true);
    });
}

void ServiceControl::Stop() {
    guarded([&] {
        tray_.removeIcon();
        program_.unloadMainWindow();
    });
}

void ServiceControl::Control(std::int32_t) {}

void ServiceControl::hostingFailed(const RaisedError& error) {
    events_.WriteEvent(event_type::error, event_id::errorReport,
                       errorReportText(error, "RunService"));
    program_.endProgram(hostingFailedExitCode);
}

} // namespace quillmarten
