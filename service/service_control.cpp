#include "service/service_control.h"

#include <utility>

namespace quillmarten {

namespace {

constexpr int hostingFailedExitCode = 1;

} // namespace

ServiceControl::ServiceControl(SessionTracker& tracker, MetricsFile& metrics, TrayPresence& tray,
                               Timer& meterTimer, ServiceHost& host, ProgramLifetime& program,
                               std::string programPath)
    : tracker_(tracker), metrics_(metrics), tray_(tray), meterTimer_(meterTimer), host_(host),
      program_(program), programPath_(std::move(programPath)) {}

template <typename Steps> void ServiceControl::guarded(Steps steps) {
    try {
        steps();
    } catch (...) {
        reportError(host_, currentError());
    }
}

// The tracker and the metrics file report their own failures, so the start counts as done
// whatever happens inside; a command the manager would not let change is reported, and metering
// starts all the same. The metrics file's folder is read once, here.
bool ServiceControl::onStart() {
    guarded([&] { quoteRegisteredCommand(); });
    guarded([&] { tracker_.start(); });
    guarded([&] { metrics_.start(host_.readSetting("Parameters", "MetricsFolder")); });
    return true;
}

// However the service was registered (an installer may write the path bare), from its next start
// on no program placed at a blank of the path can run in its stead.
void ServiceControl::quoteRegisteredCommand() {
    const std::string command = serviceCommandOf(programPath_);
    if (host_.registeredCommand() != command) {
        host_.changeRegisteredCommand(command);
    }
}

// A pause is written as an error, so that an administrator who is alerted to the service's
// errors learns that someone paused the meter.
bool ServiceControl::onPause() {
    return switchMetering(EventType::error, event_id::report, "Service paused", MeterState::paused);
}

bool ServiceControl::onContinue() {
    return switchMetering(EventType::information, event_id::serviceContinued, "Service continued",
                          MeterState::running);
}

// A request is carried out once its entry is written, even should a later step fail.
bool ServiceControl::switchMetering(EventType type, std::uint32_t eventId, const std::string& entry,
                                    MeterState state) {
    const bool running = state == MeterState::running;
    bool done = false;
    guarded([&] {
        host_.writeEvent(type, eventId, entry);
        done = true;
        tray_.showPicture(running ? TrayPicture::running : TrayPicture::paused);
        meterTimer_.setEnabled(running);
        metrics_.switchTo(state);
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
    reportError(host_, error, report_origin::serviceDispatch);
    program_.endProgram(hostingFailedExitCode);
}

} // namespace quillmarten
