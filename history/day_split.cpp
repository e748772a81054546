#include "history/day_split.h"

#include "basics/calendar.h"

#include <algorithm>

namespace quillmarten {

namespace {

std::int64_t dayContaining(std::int64_t seconds) {
    const std::int64_t day = seconds / secondsPerDay;
    return seconds % secondsPerDay < 0 ? day - 1 : day;
}

// total * elapsed / whole, rounded half up, for 0 <= elapsed <= whole. A record's time in use
// is below 2^30 seconds and a span between the years 1 and 9999 below 2^39, so the product may
// not fit in 64 bits; it is taken in two steps, elapsed split at bit 20, each step fitting.
std::int64_t roundedShare(std::int64_t total, std::int64_t elapsed, std::int64_t whole) {
    constexpr int splitBit = 20;
    const std::int64_t high = total * (elapsed >> splitBit);
    const std::int64_t low = total * (elapsed & ((std::int64_t{1} << splitBit) - 1));
    const std::int64_t rest = ((high % whole) << splitBit) + low;
    const std::int64_t quotient = ((high / whole) << splitBit) + rest / whole;
    return quotient + (2 * (rest % whole) >= whole ? 1 : 0);
}

} // namespace

DaySplit::DaySplit(const StoredSession& session)
    : start_(wallClockSeconds(session.start)),
      span_(std::max<std::int64_t>(0, wallClockSeconds(session.stop) - start_)),
      timeInUse_(session.seconds), firstDay_(dayContaining(start_)),
      lastDay_(span_ > 0 ? dayContaining(start_ + span_ - 1) : firstDay_) {}

std::int64_t DaySplit::usedBefore(std::int64_t day) const {
    if (day <= firstDay_) {
        return 0;
    }
    if (day > lastDay_) {
        return timeInUse_;
    }
    return roundedShare(timeInUse_, day * secondsPerDay - start_, span_);
}

} // namespace quillmarten
