#include "history/session_days.h"

#include "basics/calendar.h"

#include <algorithm>

namespace quillmarten {

DaySnapshot daySnapshotOf(const Record& record) {
    const LocalTime start = record.start();
    const LocalTime stop = record.stop();
    const std::int64_t seconds = secondsOf(record.timeInUse());
    return DaySnapshot{wallClockSeconds(start), dayNumber(stop.date), seconds,
                       stop == start && seconds == 0};
}

SessionDays::SessionDays(const StoredSession& session, std::span<const DaySnapshot> snapshots) {
    if (std::none_of(snapshots.begin(), snapshots.end(),
                     [](const DaySnapshot& snapshot) { return snapshot.beginning; })) {
        split_.emplace(session);
        return;
    }
    // A clock set back across midnight comes back to a day: its parts stay in day order, and the
    // sums add them up.
    std::int64_t counted = 0;
    const auto credit = [&](std::int64_t day, std::int64_t upTo) {
        if (upTo > counted) {
            const auto at = std::upper_bound(
                parts_.begin(), parts_.end(), day,
                [](std::int64_t after, const auto& part) { return after < part.first; });
            parts_.emplace(at, day, upTo - counted);
            counted = upTo;
        }
    };
    for (const DaySnapshot& snapshot : snapshots) {
        credit(snapshot.day, std::min(session.seconds, snapshot.seconds));
    }
    credit(dayNumber(session.stop.date), session.seconds);
}

} // namespace quillmarten
