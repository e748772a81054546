#pragma once

#include "log_file/stored_session.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quillmarten {

// Calendar days from `first` to `last`, both included, as day numbers (see calendar.h).
struct DayRange {
    std::int64_t first = std::numeric_limits<std::int64_t>::min();
    std::int64_t last = std::numeric_limits<std::int64_t>::max();

    friend bool operator==(const DayRange&, const DayRange&) = default;
};

// How a session's time in use falls on the calendar days between its start and its stop. The
// record does not say when the session was paused or asleep, so each day gets the share of the
// time in use that its own stretch of the wall-clock span is of the whole span. The shares are
// rounded cumulatively, each day getting the rounded share up to its end less the rounded share up
// to its start, so that they add up exactly to the time in use. A session whose stop is not after
// its start has all its time on its start day.
class DaySplit {
  public:
    explicit DaySplit(const StoredSession& session);

    std::int64_t firstDay() const { return firstDay_; }
    // The last day the span reaches into: a stop at midnight ends it on the day before.
    std::int64_t lastDay() const { return lastDay_; }
    bool meets(const DayRange& days) const {
        return firstDay_ <= days.last && lastDay_ >= days.first;
    }

    std::int64_t secondsOn(std::int64_t day) const { return usedBefore(day + 1) - usedBefore(day); }

    // Hands each day of `days` that gets time to `visit(day, seconds)`, in order. Only those days
    // are looked at, so that a session costs no more than its seconds in use or its days, the
    // fewer, however long its span.
    template <typename Visit> void forEachDayWithTime(const DayRange& days, Visit visit) const {
        const std::int64_t last = std::min(lastDay_, days.last);
        for (std::int64_t day = nextDayWithTime(std::max(firstDay_, days.first)); day <= last;
             day = nextDayWithTime(day + 1)) {
            visit(day, secondsOn(day));
        }
    }

  private:
    // The time in use before day `day` begins, rounded to whole seconds.
    std::int64_t usedBefore(std::int64_t day) const;
    // The first day from `day` (not before the first) on that gets time; past the last when none.
    std::int64_t nextDayWithTime(std::int64_t day) const;

    std::int64_t start_;
    std::int64_t span_;
    std::int64_t timeInUse_;
    std::int64_t firstDay_;
    std::int64_t lastDay_;
};

} // namespace quillmarten
