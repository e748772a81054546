#include "viewer/log_follower.h"

#include "basics/calendar.h"
#include "basics/error_report.h"
#include "log_file/days_file.h"
#include "log_file/session_log_file.h"
#include "log_file/session_reader.h"

#include <algorithm>
#include <limits>

namespace quillmarten {

namespace {

// From the first day a chart shows, a year back, to about a year ahead, so that the days are not
// read again every day.
constexpr std::int64_t keptDayCount = 800;

// Today's week and month, and every day a chart shows.
DayRange neededDays(std::int64_t today) {
    const DayRange week = daysOfPeriod(today, PeriodKind::week);
    const DayRange month = daysOfPeriod(today, PeriodKind::month);
    std::int64_t first = std::min(week.first, month.first);
    for (const ChartSpan& span : {lastFiveWeeksByDay, lastHalfYearByWeek, lastYearByMonth}) {
        first = std::min(first, firstDayOfSpan(today, span));
    }
    return DayRange{first, std::max(week.last, month.last)};
}

} // namespace

LogFollower::LogFollower(FileSystem& files, SessionRows& rows) : files_(files), rows_(rows) {}

LogChange LogFollower::refresh(const std::string& path, std::int64_t today) {
    LogChange change;
    today_ = today;
    if (path != path_ || !keepsPeriodsOf(today)) {
        change.rowsChanged = startOver(path, today);
    }
    try {
        const auto file = files_.openReadOnly(path_);
        const FileStatus status = file->status();
        sizeSeen_ = status.size;
        if (status.size > largestListedLog) {
            change.rowsChanged = startOver(path_, today) || change.rowsChanged;
            condition_ = LogCondition::tooLarge;
            return change;
        }
        if (followDaysFile(change)) {
            change.rowsChanged = startOver(path_, today) || change.rowsChanged;
            followDaysFile(change);
        }
        if (identity_ == status.identity && size_ == status.size &&
            lastWrite_ == status.lastWrite) {
            condition_ = LogCondition::read;
            return change;
        }
        change.notice = whyReadAgain(*file, status);
        if (change.notice != LogNotice::none) {
            change.rowsChanged = startOver(path_, today) || change.rowsChanged;
        }
        LogChange read = readNew(*file, status);
        if (read.notice != LogNotice::none) {
            change.notice = read.notice;
            change.rowsChanged = startOver(path_, today) || change.rowsChanged;
            read = readNew(*file, status);
        }
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
    const DayRange needed = neededDays(today);
    return days_ && keptDays_.first <= needed.first && needed.last <= keptDays_.last;
}

// Returns whether there were rows to clear.
bool LogFollower::startOver(const std::string& path, std::int64_t today) {
    const bool hadRows = !rows_.empty();
    path_ = path;
    identity_.reset();
    size_ = 0;
    lastWrite_ = 0;
    firstBytes_.clear();
    last_ = LastSlot{};
    daysRead_ = DaysFileRead{};
    snapshots_.clear();
    latestStart_ = std::numeric_limits<std::int64_t>::min();
    sessions_ = 0;
    damaged_ = 0;
    totalSeconds_ = 0;
    rows_.clear();
    const std::int64_t first = neededDays(today).first;
    keptDays_ = DayRange{first, first + keptDayCount - 1};
    days_.emplace(PeriodKind::day, keptDays_);
    return hadRows;
}

// Returns whether everything is to be read again. A days file that is missing, or cannot be read
// for now, leaves the sessions as they were read: estimated, or measured by what was read.
bool LogFollower::followDaysFile(LogChange& change) {
    const std::string daysPath = daysFileOf(path_);
    // Most logs have no days file beside them; a look costs a refresh far less than a failed open.
    if (!files_.isFile(daysPath)) {
        return false;
    }
    std::unique_ptr<File> file;
    FileStatus status;
    try {
        file = files_.openReadOnly(daysPath);
        status = file->status();
    } catch (const RaisedError&) {
        return false;
    }
    if (daysRead_.identity == status.identity && daysRead_.size == status.size) {
        return false;
    }
    if (daysRead_.identity &&
        (daysRead_.identity != status.identity || status.size < daysRead_.size)) {
        return true;
    }
    try {
        const bool readAgain = readDaysFile(*file, status);
        change.daysChanged = true;
        return readAgain;
    } catch (const RaisedError&) {
        return false;
    }
}

// Reads the whole slots appended since, a slot torn by a write under way being read once whole.
bool LogFollower::readDaysFile(File& file, const FileStatus& status) {
    const auto wholeSlots = static_cast<std::int64_t>(status.size / recordSize);
    DaysFileRead read = daysRead_;
    if (read.slots == 0 && wholeSlots > 0) {
        read.foreign = !beginsAsDaysFile(file);
        read.slots = 1;
    }
    bool lastGrew = false;
    bool readAgain = false;
    if (!read.foreign && wholeSlots > read.slots) {
        scanSlots(
            file,
            [&](std::int64_t, const Record& record) {
                if (record.kind != RecordKind::session) {
                    return;
                }
                const DaySnapshot snapshot = daySnapshotOf(record);
                if (last_.session && snapshot.start == wallClockSeconds(last_.session->start)) {
                    last_.snapshots.push_back(snapshot);
                    lastGrew = true;
                } else if (snapshot.start > latestStart_) {
                    snapshots_.keep(snapshot);
                } else {
                    readAgain = true;
                }
            },
            read.slots + 1, slotEnd(wholeSlots));
        read.slots = wholeSlots;
    }
    daysRead_ = DaysFileRead{status.identity, status.size, read.slots, read.foreign};
    if (lastGrew) {
        redoLastDays();
    }
    return readAgain;
}

void LogFollower::redoLastDays() {
    days_->remove(*last_.days);
    last_.days.emplace(*last_.session, last_.snapshots);
    days_->add(*last_.days);
}

LogNotice LogFollower::whyReadAgain(File& file, const FileStatus& status) const {
    if (!identity_) {
        return LogNotice::none;
    }
    if (status.identity != *identity_) {
        return LogNotice::replaced;
    }
    if (status.size < size_) {
        return LogNotice::shortened;
    }
    std::string first(firstBytes_.size(), '\0');
    first.resize(file.readAt(0, std::span(first.data(), first.size())));
    return first == firstBytes_ ? LogNotice::none : LogNotice::overwritten;
}

// The last slot's share is taken back only once its new bytes are in hand, so that a read that
// fails leaves everything as the last good one did. Returns the notice `overwritten` when the
// last slot no longer holds the session it held: the rest of what was read is then in doubt.
LogChange LogFollower::readNew(File& file, const FileStatus& status) {
    const std::size_t rowsBefore = rows_.size();
    const bool whole = last_.slot == 0;
    // No log over largestListedLog gets here, so the size is one to reserve rows by.
    if (whole) {
        rows_.reserve(static_cast<std::size_t>(status.size / recordSize / 2 + 1));
    }
    bool overwritten = false;
    scanSlots(
        file,
        [this, &overwritten](std::int64_t slot, const Record& record) {
            if (slot == last_.slot) {
                overwritten = !stillHolds(record);
                takeBackLast();
            }
            add(slot, record);
        },
        std::max<std::int64_t>(last_.slot, 1), status.size);
    if (whole) {
        rows_.trim();
        firstBytes_.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(sessionHeadSize, status.size)));
        firstBytes_.resize(file.readAt(0, std::span(firstBytes_.data(), firstBytes_.size())));
    }
    identity_ = status.identity;
    size_ = status.size;
    lastWrite_ = status.lastWrite;
    return LogChange{rows_.size() != rowsBefore, !whole && !rows_.empty(),
                     overwritten ? LogNotice::overwritten : LogNotice::none};
}

// The service rewrites its own record only: the session in the last slot keeps its start. A
// damaged last record may come whole, one cut short by a write under way.
bool LogFollower::stillHolds(const Record& record) const {
    return !last_.session ||
           (record.kind == RecordKind::session && record.start() == last_.session->start);
}

void LogFollower::add(std::int64_t slot, const Record& record) {
    last_ = LastSlot{slot, record.kind, std::nullopt, {}, std::nullopt};
    if (record.kind == RecordKind::gap) {
        return;
    }
    rows_.add(record.text, record.kind == RecordKind::damaged);
    if (record.kind == RecordKind::damaged) {
        ++damaged_;
        return;
    }
    last_.session = storedSessionOf(slot, record);
    const std::int64_t start = wallClockSeconds(last_.session->start);
    last_.snapshots = snapshots_.take(start);
    last_.days.emplace(*last_.session, last_.snapshots);
    latestStart_ = std::max(latestStart_, start);
    ++sessions_;
    totalSeconds_ += last_.session->seconds;
    days_->add(*last_.days);
}

void LogFollower::takeBackLast() {
    if (last_.kind == RecordKind::gap) {
        return;
    }
    rows_.removeLast();
    if (last_.kind == RecordKind::damaged) {
        --damaged_;
        return;
    }
    --sessions_;
    totalSeconds_ -= last_.session->seconds;
    days_->remove(*last_.days);
    snapshots_.giveBack(wallClockSeconds(last_.session->start), std::move(last_.snapshots));
}

LogSums LogFollower::sums() const {
    return LogSums{secondsIn(daysOfPeriod(today_, PeriodKind::day)),
                   secondsIn(daysOfPeriod(today_, PeriodKind::week)),
                   secondsIn(daysOfPeriod(today_, PeriodKind::month)), totalSeconds_};
}

UsageChart LogFollower::chart(const ChartSpan& span) const {
    return usageChart(*days_, today_, span);
}

std::int64_t LogFollower::secondsIn(const DayRange& days) const {
    return days_ ? days_->secondsIn(days) : 0;
}

} // namespace quillmarten
