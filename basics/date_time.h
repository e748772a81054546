#pragma once

// A date of the proleptic Gregorian calendar, and a local wall-clock time on it.
namespace quillmarten {

struct CalendarDate {
    int year = 1;
    int month = 1;
    int day = 1;

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// A local wall-clock date and time as the system clock gives it.
struct LocalTime {
    CalendarDate date{0, 0, 0};
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

} // namespace quillmarten
