#pragma once

#include "basics/date_time.h"

#include <cstdint>
#include <string>

// Dates of the proleptic Gregorian calendar, counted as days so that spans and periods are
// plain arithmetic.
namespace quillmarten {

inline constexpr std::int64_t secondsPerDay = 86'400;

// Days since 1970-01-01, negative before it.
std::int64_t dayNumber(const CalendarDate& date);
CalendarDate dateOfDay(std::int64_t day);

bool isRealDate(const CalendarDate& date);

// Seconds since 1970-01-01 00:00:00 of a wall-clock time taken as it stands: the log's stamps
// carry no zone, so every day has 86,400 seconds.
std::int64_t wallClockSeconds(const LocalTime& time);

struct IsoWeek {
    int year = 1;
    int week = 1;

    friend bool operator==(const IsoWeek&, const IsoWeek&) = default;
};

// 1 for Monday to 7 for Sunday.
int isoWeekday(std::int64_t day);

// The ISO 8601 week of a day: weeks start on Monday, and week 1 holds the year's first
// Thursday, so the first and last days of a year may belong to a week of the next or the last.
IsoWeek isoWeekOfDay(std::int64_t day);

// "2026-12-01"
std::string isoDateText(const CalendarDate& date);

} // namespace quillmarten
