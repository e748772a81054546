#pragma once

#include "history/day_split.h"
#include "log_file/session_record.h"
#include "log_file/stored_session.h"

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace quillmarten {

// One snapshot of the days file: a session, the day of the tick it was taken at, and the
// session's time in use by then.
struct DaySnapshot {
    std::int64_t start = 0; // the session's start, in wall-clock seconds
    std::int64_t day = 0;
    std::int64_t seconds = 0;
    bool beginning = false; // the session's first: its start as its stop, no time in use

    friend bool operator==(const DaySnapshot&, const DaySnapshot&) = default;
};

// A well-formed record of the days file as the snapshot it stores.
DaySnapshot daySnapshotOf(const Record& record);

// How a session's time in use falls on days. Measured when its snapshots, in file order, include
// its beginning: each snapshot's day gets the time it adds to the largest before it, and the day of
// the log's record the rest, each part within the record's time in use, so that they add up to it
// exactly. Estimated otherwise (logs from before, a days file missing or lost): the time is spread
// over the span as DaySplit does.
class SessionDays {
  public:
    explicit SessionDays(const StoredSession& session, std::span<const DaySnapshot> snapshots = {});

    bool estimated() const { return split_.has_value(); }

    // Hands visit(day, seconds) the days of `days` that may get time, in order: those of an
    // estimated span as DaySplit finds them, those of a measured one, a day that the clock came
    // back to as often as it did.
    template <typename Visit> void forEachDay(const DayRange& days, Visit visit) const {
        if (split_) {
            split_->forEachDayWithTime(days, visit);
            return;
        }
        for (const auto& [day, seconds] : parts_) {
            if (day >= days.first && day <= days.last) {
                visit(day, seconds);
            }
        }
    }

  private:
    std::optional<DaySplit> split_;
    // Day and seconds, in day order; a day may come more than once.
    std::vector<std::pair<std::int64_t, std::int64_t>> parts_;
};

} // namespace quillmarten
