#pragma once

#include <cstdint>
#include <string>

namespace quillmarten {

// A metered time in days, hours, minutes and seconds, each a signed 32-bit count.
struct Duration {
    std::int32_t days = 0;
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;

    friend bool operator==(const Duration&, const Duration&) = default;
};

// "dddd:hh:nn:ss": days with at least four digits, the rest with two.
std::string durationText(const Duration& duration);

// "ddddhhnnss", as a record stores it. A record has room for four digits of days, so a longer
// time is stored as the largest that fits; what is shown goes on counting.
std::string storedDurationField(const Duration& duration);

// One more second. A unit that passes its limit is set to zero and carried into the next;
// this relies on the units being in range, as counting from zero keeps them. Raises overflow
// (error 6) when the days would leave their range, the duration then unchanged.
void countOneSecond(Duration& duration);

// Sums of many durations, kept unit by unit and carried once at the end, so that adding up a long
// log costs four additions per session.
class DurationSum {
  public:
    void add(const Duration& duration) {
        days_ += duration.days;
        hours_ += duration.hours;
        minutes_ += duration.minutes;
        seconds_ += duration.seconds;
    }
    // The sum with its seconds, minutes and hours carried into range. Raises overflow (error 6)
    // when the days do not fit their 32 bits.
    Duration carried() const;

  private:
    std::int64_t days_ = 0;
    std::int64_t hours_ = 0;
    std::int64_t minutes_ = 0;
    std::int64_t seconds_ = 0;
};

// The duration as a count of seconds, and a count of seconds carried into days, hours, minutes
// and seconds. Raises overflow (error 6) when the days do not fit.
std::int64_t secondsOf(const Duration& duration);
Duration durationOfSeconds(std::int64_t seconds);

// a + b, carried. Raises overflow (error 6) when the days do not fit.
Duration operator+(const Duration& a, const Duration& b);

} // namespace quillmarten
