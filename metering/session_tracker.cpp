#include "metering/session_tracker.h"

#include <limits>
#include <utility>

namespace quillmarten {

namespace {

constexpr int damageReportsInFull = 10;
constexpr Duration largestDuration{std::numeric_limits<std::int32_t>::max(), 23, 59, 59};

std::string_view whatHappened(RecordMove move) {
    switch (move) {
    case RecordMove::logReplaced:
        return "The log was replaced";
    case RecordMove::logDeleted:
        return "The log was deleted";
    case RecordMove::logCutShort:
        return "The log was cut short";
    case RecordMove::overwritten:
        break;
    }
    return "The session's record was overwritten";
}

} // namespace

SessionTracker::SessionTracker(const TrackerPorts& ports, SessionRows& rows, std::string logPath,
                               const ProgramVersion& version)
    : ports_(ports), rows_(rows), logPath_(std::move(logPath)),
      captionPrefix_(versionCaption(version) + " - At work since ") {}

void SessionTracker::start() {
    try {
        const LocalTime now = ports_.clock.now();
        startStamp_ = dateTimeStamp(now);
        startUnixSeconds_ = ports_.clock.unixSeconds();
        lastSecondSeen_ = now.second;
        lastPlacingAttempt_ = ports_.clock.steadySeconds();
        placeRecord(sessionRecordText(startStamp_, startStamp_, sessionTime_));
        ports_.tray.addRunningIcon();
        ports_.meterTimer.setEnabled(true);
    } catch (...) {
        report(currentError(), report_origin::meteringStart, startReports_);
    }
}

// Reads the log, unless the file is still as the last reading found it, and places the
// session's record, within one opening of the file. What could be read is listed whether or not
// the record could be placed: a session without its record counts on, shows its time, and tries
// again every second. A log that cannot be opened for writing is read for reading only, so that
// its sessions and total show meanwhile.
void SessionTracker::placeRecord(const std::string& record) {
    bool reread = false;
    std::optional<RaisedError> failure;
    try {
        SessionLogFile file(ports_.files, logPath_);
        const FileStatus status = file.status();
        if (!lastReading_ || !lastReading_->describes(status)) {
            reread = true;
            readLog(file, status);
        }
        appendRecord(file, status, record);
    } catch (...) {
        failure = currentError();
        reread = reread || readLogReadOnly();
    }
    if (reread || rows_.empty()) {
        listWithSession(record);
    }
    recordWriteFailed_ = failure.has_value();
    if (failure) {
        const bool moving = pendingMove_.has_value();
        report(*failure, moving ? report_origin::recordRewrite : report_origin::meteringStart,
               moving ? rewriteReports_ : startReports_);
    }
}

// Damaged records are listed but never counted, so that one bad byte neither ends the load
// nor stops this session from being metered. They are reported by the first reading only:
// a later reading, of the same log or of one put in its place, lists them without a report.
void SessionTracker::readLog(SessionLogFile& file, const FileStatus& status) {
    const bool firstReading = !logReadBefore_;
    logReadBefore_ = true;
    rows_.clear();
    storedTotal_ = {};
    damagedRecords_ = 0;
    lastReading_.reset();
    rows_.reserve(static_cast<std::size_t>(status.size / recordSize / 2 + 2));
    DurationSum total;
    const std::int64_t slots = file.scan([&](std::int64_t slot, const Record& record) {
        if (record.kind == RecordKind::gap) {
            return;
        }
        rows_.add(record.text, record.kind == RecordKind::damaged);
        if (record.kind == RecordKind::session) {
            total.add(record.timeInUse());
            return;
        }
        ++damagedRecords_;
        if (firstReading) {
            reportDamage(slot, record);
        }
    });
    if (firstReading) {
        reportDamageNotInFull();
    }
    try {
        storedTotal_ = total.carried();
    } catch (const RaisedError& error) {
        storedTotal_ = largestDuration;
        report(error, report_origin::meteringStart, startReports_);
    }
    lastReading_ = LogReading{status, slots};
}

// Returns whether the log was read again, in whole or in part; a log still as the last reading
// found it is not. The failure worth reporting is the one that kept the log from being opened
// for writing, so this one's own stays unsaid.
bool SessionTracker::readLogReadOnly() {
    bool reading = false;
    try {
        SessionLogFile file(ports_.files, logPath_, FileAccess::readOnly);
        const FileStatus status = file.status();
        if (lastReading_ && lastReading_->describes(status)) {
            return false;
        }
        reading = true;
        readLog(file, status);
    } catch (...) {
    }
    return reading;
}

// A log full of noise would otherwise write an entry for every one of its records.
void SessionTracker::reportDamage(std::int64_t slot, const Record& record) {
    if (++damageReports_ <= damageReportsInFull) {
        reportError(ports_.events, damageError(record, slot), report_origin::meteringStart);
    } else {
        ++damageNotInFull_[damageErrorNumber(record)];
    }
}

void SessionTracker::reportDamageNotInFull() {
    for (const auto& [number, count] : damageNotInFull_) {
        const std::string records = count == 1 ? " more damaged record" : " more damaged records";
        reportError(
            ports_.events,
            RaisedError(number, std::to_string(count) + records + ", not reported one by one"),
            report_origin::meteringStart);
    }
}

void SessionTracker::appendRecord(SessionLogFile& file, const FileStatus& status,
                                  const std::string& record) {
    const std::int64_t slot = newSessionSlot(lastReading_->slots);
    file.appendRecord(slot, record);
    placed_ = PlacedRecord{slot, status.identity};
    if (pendingMove_) {
        ports_.events.writeEvent(EventType::information, event_id::report,
                                 std::string(whatHappened(*pendingMove_)) +
                                     "; this session's record moved to record " +
                                     std::to_string(slot));
        pendingMove_.reset();
    }
}

void SessionTracker::listWithSession(const std::string& record) {
    rows_.add(record, false);
    rows_.trim();
    ports_.sessionList.showRows(rows_.size());
    ports_.sessionList.selectAndReveal(rows_.size() - 1);
}

void SessionTracker::onMeterTick() {
    try {
        const LocalTime now = ports_.clock.now();
        if (now.second != lastSecondSeen_) {
            lastSecondSeen_ = now.second;
            countOneSecond(sessionTime_);
        }
        const std::string record = sessionRecordText(startStamp_, dateTimeStamp(now), sessionTime_);
        if (placed_) {
            keepRecord(record);
        } else {
            retryPlacing(record);
        }
        showSession(record);
    } catch (...) {
        report(currentError(), report_origin::recordRewrite, tickReports_);
    }
}

void SessionTracker::retryPlacing(const std::string& record) {
    const std::int64_t second = ports_.clock.steadySeconds();
    if (second != lastPlacingAttempt_) {
        lastPlacingAttempt_ = second;
        placeRecord(record);
    }
}

// Rewrites the record where it was placed while the file at the log's path is that file and
// still holds it there; otherwise places it again, as a start would. A failed rewrite leaves the
// record as the last good one wrote it; the next tick tries again.
void SessionTracker::keepRecord(const std::string& record) {
    std::optional<RecordMove> move;
    try {
        SessionLogFile file(ports_.files, logPath_);
        move = recordMove(file);
        if (!move) {
            file.rewriteRecord(placed_->slot, record);
            recordWriteFailed_ = false;
            rewriteReports_.succeeded();
        }
    } catch (...) {
        recordWriteFailed_ = true;
        report(currentError(), report_origin::recordRewrite, rewriteReports_);
    }
    if (move) {
        placed_.reset();
        lastReading_.reset();
        pendingMove_ = move;
        placeRecord(record);
    }
}

std::optional<RecordMove> SessionTracker::recordMove(SessionLogFile& file) const {
    const FileStatus status = file.status();
    if (status.identity != placed_->file) {
        return status.size == 0 ? RecordMove::logDeleted : RecordMove::logReplaced;
    }
    if (status.size < slotEnd(placed_->slot)) {
        return RecordMove::logCutShort;
    }
    if (!file.holdsSessionStartingAt(placed_->slot, startStamp_)) {
        return RecordMove::overwritten;
    }
    return std::nullopt;
}

// The window shows the counted time whether or not the file could take it. The caption's total
// stays empty until the first second has been counted: a session's time only grows.
void SessionTracker::showSession(const std::string& record) {
    rows_.replaceLast(record);
    ports_.sessionList.refreshRow(rows_.size() - 1);
    if (ports_.taskbar.taskbarExists()) {
        ports_.tray.addRunningIcon();
    }
    const std::string total =
        sessionTime_ == Duration{} ? "" : durationText(storedTotal_ + sessionTime_);
    ports_.mainWindow.setCaption(captionPrefix_ + total);
}

MeterReading SessionTracker::reading() const {
    return MeterReading{storedTotal_ + sessionTime_, sessionTime_, startUnixSeconds_,
                        damagedRecords_, recordWriteFailed_};
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
