#include "metering/day_snapshots.h"

#include "log_file/days_file.h"
#include "log_file/session_log_file.h"

#include <utility>

namespace quillmarten {

DaySnapshots::DaySnapshots(FileSystem& files, Clock& clock, EventWriter& events,
                           std::string daysPath)
    : files_(files), clock_(clock), events_(events), path_(std::move(daysPath)) {}

void DaySnapshots::begin(const CalendarDate& date, const std::string& record) {
    lastDate_ = date;
    lastRecord_ = record;
    waiting_.push_back(record);
    writeWaiting(report_origin::meteringStart);
}

void DaySnapshots::onTick(const CalendarDate& date, const std::string& record) {
    if (date != lastDate_) {
        waiting_.push_back(lastRecord_);
        lastAttempt_.reset();
    }
    lastDate_ = date;
    lastRecord_ = record;
    writeWaiting(report_origin::recordRewrite);
}

// The file's name tells its failures from the log's.
void DaySnapshots::writeWaiting(std::string_view origin) {
    if (waiting_.empty()) {
        return;
    }
    const std::int64_t second = clock_.steadySeconds();
    if (lastAttempt_ == second) {
        return;
    }
    lastAttempt_ = second;
    try {
        appendSnapshots(files_, path_, waiting_);
        waiting_.clear();
        reports_.succeeded();
    } catch (...) {
        const RaisedError error = currentError();
        if (reports_.allows(error.number(), second)) {
            reportError(events_,
                        RaisedError(error.number(), error.description() + " writing " +
                                                        std::string(fileNameOf(path_))),
                        origin);
        }
    }
}

} // namespace quillmarten
