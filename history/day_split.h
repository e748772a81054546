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

    // Hands the days of `days` that may get time to `visit(day, seconds)`, in order, so that a
    // session costs its days or its seconds in use, the fewer, however long its span: every day
    // when the session has at least as many seconds as days, else only the days that get time,
    // each found from the last.
    template <typename Visit> void forEachDayWithTime(const DayRange& days, Visit visit) const {
        const std::int64_t last = std::min(lastDay_, days.last);
        const bool fewerSecondsThanDays = timeInUse_ <= lastDay_ - firstDay_;
        std::int64_t day = std::max(firstDay_, days.first);
        std::int64_t before = usedBefore(day);
        for (;; ++day) {
            if (fewerSecondsThanDays) {
                day = nextDayWithTime(day, before);
            }
            if (day > last) {
                return;
            }
            const std::int64_t after = usedBefore(day + 1);
            visit(day, after - before);
            before = after;
        }
    }

  private:
    // The time in use before day `day` begins, rounded to whole seconds.
    std::int64_t usedBefore(std::int64_t day) const;
    // The first day from `day` on that gets time, the time in use before it being `before`; past
    // the last day when none does.
    std::int64_t nextDayWithTime(std::int64_t day, std::int64_t before) const;

    std::int64_t start_;
    std::int64_t span_;
    std::int64_t timeInUse_;
    std::int64_t firstDay_;
    std::int64_t lastDay_;
};

} // namespace quillmarten
