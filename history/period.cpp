#include "history/period.h"

#include "basics/calendar.h"
#include "basics/text_forms.h"

namespace quillmarten {

namespace {

constexpr std::int64_t weeksPerYearKey = 100;

} // namespace

std::int64_t periodOfDay(std::int64_t day, PeriodKind kind) {
    switch (kind) {
    case PeriodKind::week: {
        const IsoWeek week = isoWeekOfDay(day);
        return std::int64_t{week.year} * weeksPerYearKey + week.week;
    }
    case PeriodKind::month: {
        const CalendarDate date = dateOfDay(day);
        return std::int64_t{date.year} * 12 + date.month - 1;
    }
    case PeriodKind::day:
        break;
    }
    return day;
}

DayRange daysOfPeriod(std::int64_t day, PeriodKind kind) {
    switch (kind) {
    case PeriodKind::week: {
        const std::int64_t monday = day + 1 - isoWeekday(day);
        return DayRange{monday, monday + 6};
    }
    case PeriodKind::month: {
        const CalendarDate date = dateOfDay(day);
        const CalendarDate next = date.month == 12 ? CalendarDate{date.year + 1, 1, 1}
                                                   : CalendarDate{date.year, date.month + 1, 1};
        return DayRange{dayNumber({date.year, date.month, 1}), dayNumber(next) - 1};
    }
    case PeriodKind::day:
        break;
    }
    return DayRange{day, day};
}

std::string periodText(std::int64_t period, PeriodKind kind) {
    switch (kind) {
    case PeriodKind::week:
        return zeroPadded(period / weeksPerYearKey, 4) + "-W" +
               zeroPadded(period % weeksPerYearKey, 2);
    case PeriodKind::month:
        return zeroPadded(period / 12, 4) + "-" + zeroPadded(period % 12 + 1, 2);
    case PeriodKind::day:
        break;
    }
    return isoDateText(dateOfDay(period));
}

} // namespace quillmarten
