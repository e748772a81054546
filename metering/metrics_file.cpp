#include "metering/metrics_file.h"

#include "log_file/whole_file.h"

namespace quillmarten {

namespace {

std::string pathIn(const std::string& folder) {
    const bool separated = folder.ends_with('\\') || folder.ends_with('/');
    return folder + (separated ? "" : "\\") + std::string(MetricsFile::fileName);
}

} // namespace

MetricsFile::MetricsFile(const MetricsPorts& ports, const SessionTracker& tracker)
    : ports_(ports), tracker_(tracker) {}

// An empty folder is no folder: the file would land in the root of whatever drive is current.
void MetricsFile::start(const std::optional<std::string>& folder) {
    if (folder && !folder->empty()) {
        path_ = pathIn(*folder);
        switchTo(MeterState::running);
    }
}

void MetricsFile::switchTo(MeterState state) {
    if (!path_) {
        return;
    }
    state_ = state;
    ports_.minuteTimer.setEnabled(state == MeterState::running);
    write();
}

void MetricsFile::onMinuteTimer() {
    write();
}

void MetricsFile::write() {
    try {
        writeFileWhole(ports_.files, metricsText(tracker_.reading(), state_), *path_);
        reports_.succeeded();
    } catch (...) {
        const RaisedError error = currentError();
        if (reports_.allows(error.number(), ports_.clock.steadySeconds())) {
            reportError(ports_.events, error, *path_);
        }
    }
}

} // namespace quillmarten
