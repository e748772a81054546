#include "history/day_split.h"

#include "basics/calendar.h"

namespace quillmarten {

namespace {

std::int64_t dayContaining(std::int64_t seconds) {
    const std::int64_t day = seconds / secondsPerDay;
    return seconds % secondsPerDay < 0 ? day - 1 : day;
}

struct Quotient {
    std::int64_t quotient;
    std::int64_t remainder;
};

// factor * multiplicand / divisor, for a factor below 2^32, a multiplicand and a divisor below
// 2^40 and a quotient that fits. A record's time in use is below 2^30 seconds and a span between
// the years 1601 and 9999 below 2^39, so the product may not fit in 64 bits; it is taken in two
// steps, the multiplicand split at bit 20, each step fitting.
Quotient dividedProduct(std::int64_t factor, std::int64_t multiplicand, std::int64_t divisor) {
    constexpr int splitBit = 20;
    const std::int64_t high = factor * (multiplicand >> splitBit);
    const std::int64_t low = factor * (multiplicand & ((std::int64_t{1} << splitBit) - 1));
    const std::int64_t rest = ((high % divisor) << splitBit) + low;
    return Quotient{((high / divisor) << splitBit) + rest / divisor, rest % divisor};
}

// total * elapsed / whole, rounded half up, for 0 <= elapsed <= whole.
std::int64_t roundedShare(std::int64_t total, std::int64_t elapsed, std::int64_t whole) {
    const Quotient share = dividedProduct(total, elapsed, whole);
    return share.quotient + (2 * share.remainder >= whole ? 1 : 0);
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

// The rounded share passes `before` seconds once timeInUse * elapsed >= (before + 1/2) * span:
// the day in which the span reaches that moment is the next to get time.
std::int64_t DaySplit::nextDayWithTime(std::int64_t day, std::int64_t before) const {
    if (before >= timeInUse_) {
        return lastDay_ + 1;
    }
    const Quotient reached = dividedProduct(2 * before + 1, span_, 2 * timeInUse_);
    const std::int64_t elapsed = reached.quotient + (reached.remainder > 0 ? 1 : 0);
    return std::clamp(dayContaining(start_ + elapsed - 1), day, lastDay_);
}

} // namespace quillmarten
