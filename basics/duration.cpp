#include "basics/duration.h"

#include "basics/error_report.h"
#include "basics/text_forms.h"

#include <limits>

namespace quillmarten {

namespace {

constexpr std::int32_t largestStoredDays = 9999;

std::int32_t checkedDays(std::int64_t days) {
    if (days < std::numeric_limits<std::int32_t>::min() ||
        days > std::numeric_limits<std::int32_t>::max()) {
        throw makeError(error_number::overflow);
    }
    return static_cast<std::int32_t>(days);
}

// Floor division keeps the remainder in range even for a negative unit.
std::int64_t carryInto(std::int64_t& from, std::int64_t unit) {
    std::int64_t quotient = from / unit;
    if (from % unit < 0) {
        --quotient;
    }
    from -= quotient * unit;
    return quotient;
}

Duration carriedUnits(std::int64_t days, std::int64_t hours, std::int64_t minutes,
                      std::int64_t seconds) {
    minutes += carryInto(seconds, 60);
    hours += carryInto(minutes, 60);
    days += carryInto(hours, 24);
    return Duration{checkedDays(days), static_cast<std::int32_t>(hours),
                    static_cast<std::int32_t>(minutes), static_cast<std::int32_t>(seconds)};
}

} // namespace

std::string durationText(const Duration& duration) {
    std::string text = zeroPadded(duration.days, 4);
    for (const std::int32_t unit : {duration.hours, duration.minutes, duration.seconds}) {
        text += ':';
        text += zeroPadded(unit, 2);
    }
    return text;
}

std::string storedDurationField(const Duration& duration) {
    if (duration.days > largestStoredDays) {
        return storedDurationField(Duration{largestStoredDays, 23, 59, 59});
    }
    return zeroPadded(duration.days, 4) + zeroPadded(duration.hours, 2) +
           zeroPadded(duration.minutes, 2) + zeroPadded(duration.seconds, 2);
}

void countOneSecond(Duration& duration) {
    Duration next = duration;
    if (++next.seconds > 59) {
        next.seconds = 0;
        ++next.minutes;
    }
    if (next.minutes > 59) {
        next.minutes = 0;
        ++next.hours;
    }
    if (next.hours > 23) {
        next.hours = 0;
        next.days = checkedDays(std::int64_t{next.days} + 1);
    }
    duration = next;
}

Duration DurationSum::carried() const {
    return carriedUnits(days_, hours_, minutes_, seconds_);
}

std::int64_t secondsOf(const Duration& duration) {
    return ((std::int64_t{duration.days} * 24 + duration.hours) * 60 + duration.minutes) * 60 +
           duration.seconds;
}

Duration durationOfSeconds(std::int64_t seconds) {
    return carriedUnits(0, 0, 0, seconds);
}

Duration operator+(const Duration& a, const Duration& b) {
    DurationSum sum;
    sum.add(a);
    sum.add(b);
    return sum.carried();
}

} // namespace quillmarten
