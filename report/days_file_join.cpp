#include "report/days_file_join.h"

#include "basics/calendar.h"
#include "log_file/days_file.h"

#include <algorithm>

namespace quillmarten {

namespace {

// The days file's first slot is its header; snapshots follow it.
constexpr std::int64_t firstSnapshotSlot = 2;

} // namespace

DaysFileJoin::DaysFileJoin(FileSystem& files, const std::string& logPath, std::ostream& err)
    : path_(daysFileOf(logPath)), err_(err) {
    try {
        file_ = files.openReadOnly(path_);
        check(file_->status().size);
    } catch (const RaisedError& error) {
        if (error.number() != error_number::pathNotFound) {
            cannotBeRead(error);
        }
    }
}

void DaysFileJoin::check(std::uint64_t size) {
    if (size > 0 && !beginsAsDaysFile(*file_)) {
        err_ << path_ << ": not a days file; the time by day is estimated\n";
        allRead_ = false;
    }
    if (size == 0 || !allRead_) {
        file_.reset();
        return;
    }
    bool inOrder = true;
    std::int64_t lastStart = lastStart_;
    scanSlots(
        *file_,
        [&](std::int64_t slot, const Record& record) {
            if (record.kind == RecordKind::damaged) {
                err_ << path_ << ": record " << slot << ": " << damageReason(record) << '\n';
                allRead_ = false;
            } else if (record.kind == RecordKind::session) {
                const std::int64_t start = wallClockSeconds(record.start());
                inOrder = inOrder && start >= lastStart;
                lastStart = start;
            }
        },
        firstSnapshotSlot, size);
    reader_.emplace(*file_, firstSnapshotSlot, size);
    if (!inOrder) {
        readUntil(std::numeric_limits<std::int64_t>::max());
    }
}

std::vector<DaySnapshot> DaysFileJoin::snapshotsOf(const StoredSession& session) {
    const std::int64_t start = wallClockSeconds(session.start);
    readUntil(start);
    return lookup_.take(start);
}

// Reads on up to a snapshot of a session that starts after `start`, or to the end.
void DaysFileJoin::readUntil(std::int64_t start) {
    try {
        while (reader_ && lastStart_ <= start) {
            const std::optional<Record> record = reader_->next();
            if (!record) {
                reader_.reset();
            } else if (record->kind == RecordKind::session) {
                const DaySnapshot snapshot = daySnapshotOf(*record);
                lastStart_ = std::max(lastStart_, snapshot.start);
                lookup_.keep(snapshot);
            }
        }
    } catch (const RaisedError& error) {
        cannotBeRead(error);
    }
}

void DaysFileJoin::cannotBeRead(const RaisedError& error) {
    err_ << path_ << ": cannot be read: " << error.description()
         << "; the time by day is estimated\n";
    allRead_ = false;
    reader_.reset();
    file_.reset();
}

} // namespace quillmarten
