#include "history/period_totals.h"

#include <optional>

namespace quillmarten {

// A session's days come in order, and so do their periods: its seconds are summed over each run
// of days in one period and credited once, which counts the session once in that period.
void PeriodTotals::apply(const SessionDays& session, int sign) {
    std::optional<std::int64_t> period;
    std::int64_t seconds = 0;
    bool hasTime = false;
    session.forEachDay(days_, [&](std::int64_t day, std::int64_t secondsOnDay) {
        const std::int64_t dayPeriod = periodOfDay(day, kind_);
        if (period && dayPeriod != *period) {
            hasTime = credit(*period, seconds, session.estimated(), sign) || hasTime;
            seconds = 0;
        }
        period = dayPeriod;
        seconds += secondsOnDay;
    });
    if (period) {
        hasTime = credit(*period, seconds, session.estimated(), sign) || hasTime;
    }
    sessionsWithTime_ += hasTime ? sign : 0;
}

bool PeriodTotals::credit(std::int64_t period, std::int64_t seconds, bool estimated, int sign) {
    if (seconds == 0) {
        return false;
    }
    PeriodTotal& total = totalOf(period);
    total.seconds += sign * seconds;
    total.estimatedSeconds += estimated ? sign * seconds : 0;
    total.sessions += sign;
    return true;
}

// A log's sessions come in time order, so most credits go to the period of the last one, or
// to a new period after all the others.
PeriodTotal& PeriodTotals::totalOf(std::int64_t period) {
    if (last_ == periods_.end() || last_->first != period) {
        last_ = periods_.empty() || periods_.rbegin()->first < period
                    ? periods_.emplace_hint(periods_.end(), period, PeriodTotal{})
                    : periods_.try_emplace(period).first;
    }
    return last_->second;
}

std::int64_t PeriodTotals::sumIn(const DayRange& range, std::int64_t PeriodTotal::*field) const {
    std::int64_t seconds = 0;
    for (auto entry = periods_.lower_bound(range.first);
         entry != periods_.end() && entry->first <= range.last; ++entry) {
        seconds += entry->second.*field;
    }
    return seconds;
}

} // namespace quillmarten
