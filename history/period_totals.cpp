#include "period_totals.h"

#include <algorithm>

namespace quillmarten {

// A session's days come in order, and so do their periods: its seconds are summed over each
// run of days in one period and credited once, which counts the session once in that period.
void PeriodTotals::add(const StoredSession& session) {
    const DaySplit split(session);
    const std::int64_t last = std::min(split.lastDay(), days_.last);
    std::optional<std::int64_t> period;
    std::int64_t seconds = 0;
    bool hasTime = false;
    for (std::int64_t day = std::max(split.firstDay(), days_.first); day <= last; ++day) {
        const std::int64_t dayPeriod = periodOfDay(day, kind_);
        if (dayPeriod != period) {
            hasTime = credit(period, seconds) || hasTime;
            period = dayPeriod;
            seconds = 0;
        }
        seconds += split.secondsOn(day);
    }
    hasTime = credit(period, seconds) || hasTime;
    sessionsWithTime_ += hasTime ? 1 : 0;
}

bool PeriodTotals::credit(std::optional<std::int64_t> period, std::int64_t seconds) {
    if (!period || seconds == 0) {
        return false;
    }
    PeriodTotal& total = periods_[*period];
    total.seconds += seconds;
    ++total.sessions;
    return true;
}

} // namespace quillmarten
