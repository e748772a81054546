#pragma once

#include "viewer/usage_chart.h"

#include "history/period_totals.h"
#include "history/snapshot_lookup.h"
#include "log_file/file_system.h"
#include "log_file/session_record.h"
#include "log_file/stored_session.h"
#include "metering/session_rows.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace quillmarten {

enum class LogCondition : std::uint8_t { notLookedFor, missing, unreadable, tooLarge, read };

// Why a refresh read the whole log again.
enum class LogNotice : std::uint8_t { none, replaced, shortened, overwritten };

// What a refresh changed in the rows.
struct LogChange {
    bool rowsChanged = false; // rows were added or removed
    bool lastRowChanged = false;
    LogNotice notice = LogNotice::none;
    bool daysChanged = false; // the time by day changed, whether or not the rows did
};

// Seconds in use: today, this ISO week, this month, and the grand total.
struct LogSums {
    std::int64_t today = 0;
    std::int64_t week = 0;
    std::int64_t month = 0;
    std::int64_t all = 0;

    friend bool operator==(const LogSums&, const LogSums&) = default;
};

// Follows a log that the service writes: each refresh opens it for reading only and, when its
// size or last-write time changed, reads what was appended since the last one and the last slot,
// which the service rewrites twice a second; then closes it. The whole log is read again when
// what was read before is no longer there: another file, a shorter one, or one written over in
// place (its first bytes, or the start of the session in its last slot, changed). Keeps the rows
// for the list (damaged records too) and the sums of the well-formed sessions up to date, taking
// the last slot's share back before it is read again. The days file beside the log is followed
// the same way, before the log: what was appended to it is read, and the running session's time
// by day follows its new snapshots. Its snapshots of a session read before, or a file put in its
// place, have everything read again. A log larger than largestListedLog is not read, and nothing of
// it is kept.
class LogFollower {
  public:
    LogFollower(FileSystem& files, SessionRows& rows);

    // `today` is the local date's day number (see basics/calendar.h).
    LogChange refresh(const std::string& path, std::int64_t today);
    // There is no log to follow: clears everything.
    LogChange forget();

    LogCondition condition() const { return condition_; }
    // Why the log cannot be read, in plain words.
    const std::string& problem() const { return problem_; }
    // The log's size when it was last looked at.
    std::uint64_t sizeSeen() const { return sizeSeen_; }
    std::int64_t sessions() const { return sessions_; }
    std::int64_t damagedRecords() const { return damaged_; }
    // As of the day of the last refresh.
    LogSums sums() const;
    // The chart of the span up to the day of the last refresh.
    UsageChart chart(const ChartSpan& span) const;

  private:
    struct LastSlot {
        std::int64_t slot = 0; // 0: nothing read yet
        RecordKind kind = RecordKind::gap;
        std::optional<StoredSession> session;
        std::vector<DaySnapshot> snapshots; // the session's
        std::optional<SessionDays> days;    // as the sums hold it
    };
    // What was read of the days file.
    struct DaysFileRead {
        std::optional<FileIdentity> identity;
        std::uint64_t size = 0;
        std::int64_t slots = 0; // whole slots read, the header's included
        bool foreign = false;   // no days file's header: left out
    };

    bool keepsPeriodsOf(std::int64_t today) const;
    bool followDaysFile(LogChange& change);
    bool readDaysFile(File& file, const FileStatus& status);
    void redoLastDays();
    bool startOver(const std::string& path, std::int64_t today);
    LogNotice whyReadAgain(File& file, const FileStatus& status) const;
    LogChange readNew(File& file, const FileStatus& status);
    bool stillHolds(const Record& record) const;
    void add(std::int64_t slot, const Record& record);
    void takeBackLast();
    std::int64_t secondsIn(const DayRange& days) const;

    FileSystem& files_;
    SessionRows& rows_;
    std::string path_;
    std::int64_t today_ = 0;
    std::optional<FileIdentity> identity_; // none: nothing read yet
    std::uint64_t size_ = 0;
    std::uint64_t lastWrite_ = 0;
    std::string firstBytes_; // the length and start of the first record, which nothing rewrites
    LastSlot last_;
    DaysFileRead daysRead_;
    SnapshotLookup snapshots_;
    // The latest start of the sessions read, in wall-clock seconds.
    std::int64_t latestStart_ = std::numeric_limits<std::int64_t>::min();
    std::int64_t sessions_ = 0;
    std::int64_t damaged_ = 0;
    std::int64_t totalSeconds_ = 0;
    // The time of each day, kept from the first day a chart shows: enough for the sums and the
    // charts, and bounded whatever a record's span.
    DayRange keptDays_;
    std::optional<PeriodTotals> days_;
    LogCondition condition_ = LogCondition::notLookedFor;
    std::string problem_;
    std::uint64_t sizeSeen_ = 0;
};

} // namespace quillmarten
