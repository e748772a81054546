#pragma once

#include "log_file/stored_session.h"

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

  private:
    // The time in use before day `day` begins, rounded to whole seconds.
    std::int64_t usedBefore(std::int64_t day) const;

    std::int64_t start_;
    std::int64_t span_;
    std::int64_t timeInUse_;
    std::int64_t firstDay_;
    std::int64_t lastDay_;
};

} // namespace quillmarten
