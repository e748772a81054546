#include "metering/session_tracker.h"

#include "log_file/days_file.h"

#include <limits>
#include <utility>

namespace quillmarten {

namespace {

constexpr int damageReportsInFull = 10;
constexpr Duration largestDuration{std::numeric_limits<std::int32_t>::max(), 23, 59, 59};

RaisedError logTooLargeError(std::uint64_t size) {
    return RaisedError(error_number::outOfMemory,
                       "The log is too large to list (" + byteSizeText(size) +
                           "); its sessions are neither listed nor counted");
}

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
      daySnapshots_(ports.files, ports.clock, ports.events, daysFileOf(logPath_)),
      captionPrefix_(versionCaption(version) + " - At work since ") {}

void SessionTracker::start() {
    try {
        const LocalTime now = ports_.clock.now();
        startStamp_ = dateTimeStamp(now);
        startUnixSeconds_ = ports_.clock.unixSeconds();
        lastSecondSeen_ = now.second;
        lastPlacingAttempt_ = ports_.clock.steadySeconds();
        const std::string record = sessionRecordText(startStamp_, startStamp_, sessionTime_);
        daySnapshots_.begin(now.date, record);
        placeRecord(record);
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
        const LogChange change = logChange(status);
        if (change == LogChange::ongoing) {
            return;
        }
        if (change == LogChange::settled) {
            reread = true;
            readLog(file, status);
        }
        placeSession(file, record);
    } catch (...) {
        failure = currentError();
        reread = reread || readLogReadOnly();
    }
    if (reread || rows_.empty()) {
        listWithSession(record);
    }
    recordWriteFailed_ = failure.has_value();
    if (failure) {
        reportPlacing(*failure);
    }
}

// The first reading takes the file as it stands. A log that changed during the run is read only
// once two looks in a row find it in the same state, so that no total is taken from a file that
// another program is still copying or writing.
SessionTracker::LogChange SessionTracker::logChange(const FileStatus& status) {
    if (lastReading_ && lastReading_->status == status) {
        return LogChange::none;
    }
    const bool settled = !logReadBefore_ || changedFile_ == status;
    changedFile_ = status;
    return settled ? LogChange::settled : LogChange::ongoing;
}

// Damaged records are listed but never counted, so that one bad byte neither ends the load
// nor stops this session from being metered. They are reported by the first reading only:
// a later reading, of the same log or of one put in its place, lists them without a report. A
// later reading that finds a record of this session's start has found the session's own record,
// a copy of the log having come back: it is neither listed nor counted, and the session goes on
// in it. A log too large to list is not read at all: the session goes behind its end all the same.
void SessionTracker::readLog(SessionLogFile& file, const FileStatus& status) {
    const bool firstReading = !logReadBefore_;
    logReadBefore_ = true;
    rows_.clear();
    storedTotal_ = {};
    damagedRecords_ = 0;
    lastReading_.reset();
    if (status.size > largestListedLog) {
        if (firstReading) {
            reportError(ports_.events, logTooLargeError(status.size), report_origin::meteringStart);
        }
        lastReading_ = LogReading{status, slotsIn(status.size), std::nullopt};
        return;
    }
    // Within that bound the size tells how many rows to expect: rows that grew one by one would
    // cost their memory over and over, page by page.
    rows_.reserve(static_cast<std::size_t>(status.size / recordSize / 2 + 2));
    DurationSum total;
    std::optional<std::int64_t> ownSlot;
    const std::int64_t slots = file.scan([&](std::int64_t slot, const Record& record) {
        if (record.kind == RecordKind::gap) {
            return;
        }
        if (!firstReading && beginsSessionStartedAt(record, startStamp_)) {
            ownSlot = slot;
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
        reportPlacing(error);
    }
    lastReading_ = LogReading{status, slots, ownSlot};
}

// Returns whether the log was read again, in whole or in part; a log still as the last reading
// found it, or still changing, is not. The failure worth reporting is the one that kept the log
// from being opened for writing, so this one's own stays unsaid.
bool SessionTracker::readLogReadOnly() {
    bool reading = false;
    try {
        SessionLogFile file(ports_.files, logPath_, FileAccess::readOnly);
        const FileStatus status = file.status();
        if (logChange(status) != LogChange::settled) {
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

// The session goes where a reading during the run found its own record, or else two slots past
// the log's last.
void SessionTracker::placeSession(SessionLogFile& file, const std::string& record) {
    const LogReading& reading = *lastReading_;
    const std::int64_t slot = reading.ownSlot.value_or(newSessionSlot(reading.slots));
    try {
        file.appendRecord(slot, record);
    } catch (...) {
        rememberTakenBack(file);
        throw;
    }
    placed_ = PlacedRecord{slot, reading.status.identity};
    lastReading_.reset();
    if (pendingMove_) {
        ports_.events.writeEvent(EventType::information, event_id::report,
                                 std::string(whatHappened(*pendingMove_)) +
                                     "; this session's record moved to record " +
                                     std::to_string(slot));
        pendingMove_.reset();
    }
}

// Cutting back a failed append changes the file's last write, though not its bytes: the log is
// still as read, and a start waiting for its record must not read it again every second. The
// failure worth reporting is the append's.
void SessionTracker::rememberTakenBack(SessionLogFile& file) noexcept {
    try {
        const FileStatus now = file.status();
        FileStatus& read = lastReading_->status;
        if (now.identity == read.identity && now.size == read.size) {
            read = now;
        }
    } catch (...) {
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
        daySnapshots_.onTick(now.date, record);
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

// Rewrites the record where it was placed while that slot holds this session's start: then the
// file is the session's log whatever its identity (a copy of it that came back by a rename), and
// a log cut short inside the record gets it whole again. Otherwise, once the file has stopped
// changing, the record is placed again, as a start would. A failed rewrite leaves the record as
// the last good one wrote it; the next tick tries again.
void SessionTracker::keepRecord(const std::string& record) {
    std::optional<RecordMove> move;
    try {
        SessionLogFile file(ports_.files, logPath_);
        const FileStatus status = file.status();
        if (file.holdsSessionStartingAt(placed_->slot, startStamp_)) {
            placed_->file = status.identity;
            file.rewriteRecord(placed_->slot, record);
            recordWriteFailed_ = false;
            rewriteReports_.succeeded();
        } else if (logChange(status) == LogChange::settled) {
            move = recordMove(status);
        }
    } catch (...) {
        recordWriteFailed_ = true;
        report(currentError(), report_origin::recordRewrite, rewriteReports_);
    }
    if (move) {
        placed_.reset();
        pendingMove_ = move;
        placeRecord(record);
    }
}

RecordMove SessionTracker::recordMove(const FileStatus& status) const {
    if (status.identity != placed_->file) {
        return status.size == 0 ? RecordMove::logDeleted : RecordMove::logReplaced;
    }
    return status.size < slotEnd(placed_->slot) ? RecordMove::logCutShort : RecordMove::overwritten;
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

// Placing the record is the start's work until the session was placed once, then the rewrite's.
void SessionTracker::reportPlacing(const RaisedError& error) {
    if (pendingMove_) {
        report(error, report_origin::recordRewrite, rewriteReports_);
    } else {
        report(error, report_origin::meteringStart, startReports_);
    }
}

void SessionTracker::report(const RaisedError& error, std::string_view origin,
                            ReportThrottle& throttle) {
    if (throttle.allows(error.number(), ports_.clock.steadySeconds())) {
        reportError(ports_.events, error, origin);
    }
}

} // namespace quillmarten
