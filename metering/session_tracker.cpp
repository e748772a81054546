#include "session_tracker.h"

#include <limits>
#include <utility>

namespace quillmarten {

namespace {

constexpr int damageReportsInFull = 10;
constexpr Duration largestDuration{std::numeric_limits<std::int32_t>::max(), 23, 59, 59};

} // namespace

SessionTracker::SessionTracker(const TrackerPorts& ports, SessionHistory& history,
                               std::string logPath, const ProgramVersion& version)
    : ports_(ports), history_(history), logPath_(std::move(logPath)),
      captionPrefix_(versionCaption(version) + " - At work since ") {}

void SessionTracker::start() {
    try {
        const LocalTime now = ports_.clock.now();
        startStamp_ = dateTimeStamp(now);
        lastSecondSeen_ = now.second;
        lastOpeningAttempt_ = ports_.clock.steadySeconds();
        openSession(sessionRecordText(startStamp_, startStamp_, sessionTime_));
        ports_.tray.addRunningIcon();
        ports_.meterTimer.setEnabled(true);
    } catch (...) {
        report(currentError(), report_origin::meteringStart, startReports_);
    }
}

// Reads the history and places the session's record within one opening of the file. What
// could be read is listed whether or not the record could be placed: a session without its
// record counts on, shows its time, and tries again every second.
void SessionTracker::openSession(const std::string& record) {
    history_.clear();
    historyTotal_ = {};
    std::optional<RaisedError> failure;
    try {
        SessionLogFile file(ports_.files, logPath_);
        const std::int64_t number = newRecordNumber(loadHistory(file));
        file.appendRecord(number, record);
        recordNumber_ = number;
    } catch (...) {
        failure = currentError();
    }
    history_.add(record, false);
    history_.trim();
    ports_.sessionList.showRows(history_.size());
    ports_.sessionList.selectAndReveal(history_.size() - 1);
    if (failure) {
        report(*failure, report_origin::meteringStart, startReports_);
    }
}

// Damaged records are listed but never counted, so that one bad byte neither ends the load
// nor stops this session from being metered. They are reported by the first reading only:
// the retries of a start that could not place its record read them again.
std::int64_t SessionTracker::loadHistory(SessionLogFile& file) {
    const bool firstReading = !historyReported_;
    historyReported_ = true;
    history_.reserve(static_cast<std::size_t>(file.length() / recordSize / 2 + 2));
    DurationSum total;
    const std::int64_t slots = file.scan([&](std::int64_t number, const RecordSlot& slot) {
        if (slot.kind == SlotKind::gap) {
            return;
        }
        history_.add(slot.text, slot.kind == SlotKind::damaged);
        if (slot.kind == SlotKind::session) {
            total.add(slot.timeInUse());
        } else if (firstReading) {
            reportDamage(number, slot);
        }
    });
    if (firstReading && damageReports_ > damageReportsInFull) {
        const int rest = damageReports_ - damageReportsInFull;
        reportError(ports_.events,
                    RaisedError(error_number::badRecordLength,
                                std::to_string(rest) + " more damaged records, not reported one "
                                                       "by one"),
                    report_origin::meteringStart);
    }
    try {
        historyTotal_ = total.carried();
    } catch (const RaisedError& error) {
        historyTotal_ = largestDuration;
        report(error, report_origin::meteringStart, startReports_);
    }
    return slots;
}

// A log full of noise would otherwise write an entry for every one of its records.
void SessionTracker::reportDamage(std::int64_t number, const RecordSlot& slot) {
    if (++damageReports_ <= damageReportsInFull) {
        reportError(ports_.events, damageError(slot, number), report_origin::meteringStart);
    }
}

void SessionTracker::onMeterTick() {
    try {
        const LocalTime now = ports_.clock.now();
        if (now.second != lastSecondSeen_) {
            lastSecondSeen_ = now.second;
            countOneSecond(sessionTime_);
        }
        const std::string record = sessionRecordText(startStamp_, dateTimeStamp(now), sessionTime_);
        if (recordNumber_) {
            rewriteRecord(record);
        } else {
            retryOpeningSession(record);
        }
        showSession(record);
    } catch (...) {
        report(currentError(), report_origin::recordRewrite, rewriteReports_);
    }
}

void SessionTracker::retryOpeningSession(const std::string& record) {
    const std::int64_t second = ports_.clock.steadySeconds();
    if (second != lastOpeningAttempt_) {
        lastOpeningAttempt_ = second;
        openSession(record);
    }
}

// A failed rewrite leaves the record as the last good one wrote it; the next tick tries again.
void SessionTracker::rewriteRecord(const std::string& record) {
    try {
        SessionLogFile(ports_.files, logPath_).rewriteRecord(*recordNumber_, record);
    } catch (...) {
        report(currentError(), report_origin::recordRewrite, rewriteReports_);
    }
}

// The window shows the counted time whether or not the file could take it. The caption's total
// stays empty until the first second has been counted: a session's time only grows.
void SessionTracker::showSession(const std::string& record) {
    history_.replaceLast(record);
    ports_.sessionList.refreshRow(history_.size() - 1);
    if (ports_.taskbar.taskbarExists()) {
        ports_.tray.addRunningIcon();
    }
    const std::string total =
        sessionTime_ == Duration{} ? "" : durationText(historyTotal_ + sessionTime_);
    ports_.mainWindow.setCaption(captionPrefix_ + total);
}

void SessionTracker::onHideTimer() {
    if (ports_.mainWindow.isVisible()) {
        ports_.mainWindow.setVisible(false);
    }
    ports_.hideTimer.setEnabled(false);
}

void SessionTracker::report(const RaisedError& error, std::string_view origin,
                            ReportThrottle& throttle) {
    if (throttle.allows(error.number(), ports_.clock.steadySeconds())) {
        reportError(ports_.events, error, origin);
    }
}

} // namespace quillmarten
