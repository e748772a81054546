#include "log_follower.h"

#include "history/session_reader.h"
#include "metering/error_report.h"
#include "metering/session_log_file.h"

#include <algorithm>

namespace quillmarten {

namespace {

constexpr std::int64_t keptDayCount = 400;

DayRange weekAndMonthOf(std::int64_t today) {
    const DayRange week = daysOfPeriod(today, PeriodKind::week);
    const DayRange month = daysOfPeriod(today, PeriodKind::month);
    return DayRange{std::min(week.first, month.first), std::max(week.last, month.last)};
}

} // namespace

LogFollower::LogFollower(FileSystem& files, SessionHistory& rows) : files_(files), rows_(rows) {}

LogChange LogFollower::refresh(const std::string& path, std::int64_t today) {
    LogChange change;
    today_ = today;
    if (path != path_ || !keepsPeriodsOf(today)) {
        change.rowsChanged = startOver(path, today);
    }
    try {
        const auto file = files_.openReadOnly(path_);
        const FileStatus status = file->status();
        if (identity_ && (status.identity != *identity_ || status.size < size_)) {
            change.notice =
                status.identity != *identity_ ? LogNotice::replaced : LogNotice::shortened;
            change.rowsChanged = startOver(path_, today) || change.rowsChanged;
        }
        const LogChange read = readNew(*file, status);
        change.rowsChanged = read.rowsChanged || change.rowsChanged;
        change.lastRowChanged = read.lastRowChanged;
        condition_ = LogCondition::read;
    } catch (const RaisedError& error) {
        condition_ = error.number() == error_number::pathNotFound ? LogCondition::missing
                                                                  : LogCondition::unreadable;
        problem_ = error.description();
    }
    return change;
}

LogChange LogFollower::forget() {
    const bool hadRows = startOver("", 0);
    condition_ = LogCondition::notLookedFor;
    return LogChange{hadRows, false, LogNotice::none};
}

bool LogFollower::keepsPeriodsOf(std::int64_t today) const {
    const DayRange needed = weekAndMonthOf(today);
    return days_ && keptDays_.first <= needed.first && needed.last <= keptDays_.last;
}

// Returns whether there were rows to clear.
bool LogFollower::startOver(const std::string& path, std::int64_t today) {
    const bool hadRows = !rows_.empty();
    path_ = path;
    identity_.reset();
    size_ = 0;
    last_ = LastSlot{};
    sessions_ = 0;
    damaged_ = 0;
    totalSeconds_ = 0;
    rows_.clear();
    const std::int64_t first = weekAndMonthOf(today).first;
    keptDays_ = DayRange{first, first + keptDayCount - 1};
    days_.emplace(PeriodKind::day, keptDays_);
    return hadRows;
}

// The last slot's share is taken back only once its new bytes are in hand, so that a read that
// fails leaves everything as the last good one did.
LogChange LogFollower::readNew(RecordFile& file, const FileStatus& status) {
    const std::size_t rowsBefore = rows_.size();
    const bool whole = last_.number == 0;
    if (whole) {
        rows_.reserve(static_cast<std::size_t>(status.size / recordSize / 2 + 1));
    }
    scanSlots(
        file,
        [this](std::int64_t number, const RecordSlot& slot) {
            if (number == last_.number) {
                takeBackLast();
            }
            add(number, slot);
        },
        std::max<std::int64_t>(last_.number, 1), status.size);
    if (whole) {
        rows_.trim();
    }
    identity_ = status.identity;
    size_ = status.size;
    return LogChange{rows_.size() != rowsBefore, !whole && !rows_.empty(), LogNotice::none};
}

void LogFollower::add(std::int64_t number, const RecordSlot& slot) {
    last_ = LastSlot{number, slot.kind, std::nullopt};
    if (slot.kind == SlotKind::gap) {
        return;
    }
    rows_.add(slot.text, slot.kind == SlotKind::damaged);
    if (slot.kind == SlotKind::damaged) {
        ++damaged_;
        return;
    }
    last_.session = storedSessionOf(number, slot);
    ++sessions_;
    totalSeconds_ += last_.session->seconds;
    days_->add(*last_.session);
}

void LogFollower::takeBackLast() {
    if (last_.kind == SlotKind::gap) {
        return;
    }
    rows_.removeLast();
    if (last_.kind == SlotKind::damaged) {
        --damaged_;
        return;
    }
    --sessions_;
    totalSeconds_ -= last_.session->seconds;
    days_->remove(*last_.session);
}

LogSums LogFollower::sums() const {
    return LogSums{secondsIn(daysOfPeriod(today_, PeriodKind::day)),
                   secondsIn(daysOfPeriod(today_, PeriodKind::week)),
                   secondsIn(daysOfPeriod(today_, PeriodKind::month)), totalSeconds_};
}

std::int64_t LogFollower::secondsIn(const DayRange& days) const {
    if (!days_) {
        return 0;
    }
    const auto& periods = days_->periods();
    std::int64_t seconds = 0;
    for (auto day = periods.lower_bound(days.first);
         day != periods.end() && day->first <= days.last; ++day) {
        seconds += day->second.seconds;
    }
    return seconds;
}

} // namespace quillmarten
