#pragma once

#include "history/period.h"
#include "history/session_days.h"

#include <cstdint>
#include <map>
#include <memory_resource>

namespace quillmarten {

struct PeriodTotal {
    std::int64_t seconds = 0;
    std::int64_t sessions = 0;         // the sessions with time in the period
    std::int64_t estimatedSeconds = 0; // of the seconds, those of sessions without snapshots

    friend bool operator==(const PeriodTotal&, const PeriodTotal&) = default;
};

// The time in use of one log by period, kept to the days of `days`. It holds one entry per
// period with time, whatever the number of sessions, so a long log costs no more memory than a
// short one over the same days.
class PeriodTotals {
  public:
    PeriodTotals(PeriodKind kind, DayRange days) : kind_(kind), days_(days) {}
    // It keeps an iterator into its own map, whose entries live in its own memory.
    PeriodTotals(const PeriodTotals&) = delete;
    PeriodTotals& operator=(const PeriodTotals&) = delete;

    void add(const SessionDays& session) { apply(session, 1); }
    // Takes back what add() gave for the same session: a log's last record is read again while
    // the service rewrites it.
    void remove(const SessionDays& session) { apply(session, -1); }

    // In time order; periods without time are left out, but for those whose time was all taken
    // back, which stay with none.
    const std::pmr::map<std::int64_t, PeriodTotal>& periods() const { return periods_; }
    // The seconds, or the estimated ones, of the periods that start within `range`.
    std::int64_t secondsIn(const DayRange& range) const {
        return sumIn(range, &PeriodTotal::seconds);
    }
    std::int64_t estimatedIn(const DayRange& range) const {
        return sumIn(range, &PeriodTotal::estimatedSeconds);
    }
    // How many sessions have time in any of the periods.
    std::int64_t sessionsWithTime() const { return sessionsWithTime_; }

  private:
    // Adds (sign 1) or takes back (sign -1) a session.
    void apply(const SessionDays& session, int sign);
    // Adds one session's seconds in one period; returns whether there were any.
    bool credit(std::int64_t period, std::int64_t seconds, bool estimated, int sign);
    PeriodTotal& totalOf(std::int64_t period);
    std::int64_t sumIn(const DayRange& range, std::int64_t PeriodTotal::*field) const;

    PeriodKind kind_;
    DayRange days_;
    // The entries are never removed: they take their memory one after the other from large
    // blocks, which spares a call to the allocator for each and keeps them close together.
    std::pmr::monotonic_buffer_resource entryMemory_;
    std::pmr::map<std::int64_t, PeriodTotal> periods_{&entryMemory_};
    std::pmr::map<std::int64_t, PeriodTotal>::iterator last_ = periods_.end();
    std::int64_t sessionsWithTime_ = 0;
};

} // namespace quillmarten
