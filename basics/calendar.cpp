#include "basics/calendar.h"

#include "basics/text_forms.h"

#include <chrono>

namespace quillmarten {

namespace {

std::chrono::year_month_day chronoDate(const CalendarDate& date) {
    return std::chrono::year{date.year} / date.month / date.day;
}

std::chrono::sys_days chronoDay(std::int64_t day) {
    return std::chrono::sys_days{std::chrono::days{day}};
}

} // namespace

std::int64_t dayNumber(const CalendarDate& date) {
    return std::chrono::sys_days{chronoDate(date)}.time_since_epoch().count();
}

CalendarDate dateOfDay(std::int64_t day) {
    const std::chrono::year_month_day date{chronoDay(day)};
    return CalendarDate{static_cast<int>(date.year()), static_cast<int>(unsigned{date.month()}),
                        static_cast<int>(unsigned{date.day()})};
}

bool isRealDate(const CalendarDate& date) {
    return chronoDate(date).ok();
}

std::int64_t wallClockSeconds(const LocalTime& time) {
    return dayNumber(time.date) * secondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
}

int isoWeekday(std::int64_t day) {
    return static_cast<int>(std::chrono::weekday{chronoDay(day)}.iso_encoding());
}

IsoWeek isoWeekOfDay(std::int64_t day) {
    const std::int64_t thursday = day + 4 - isoWeekday(day);
    const int year = dateOfDay(thursday).year;
    const std::int64_t week = (thursday - dayNumber(CalendarDate{year, 1, 1})) / 7 + 1;
    return IsoWeek{year, static_cast<int>(week)};
}

std::string isoDateText(const CalendarDate& date) {
    std::string text = zeroPadded(date.year, 4);
    for (const int unit : {date.month, date.day}) {
        text += '-';
        text += zeroPadded(unit, 2);
    }
    return text;
}

} // namespace quillmarten
