#include "viewer/usage_chart.h"

#include "basics/calendar.h"
#include "basics/duration.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillmarten {

namespace {

constexpr std::int64_t minute = 60;
constexpr std::int64_t hour = 60 * minute;
constexpr std::int64_t day = 24 * hour;
constexpr int mostTicks = 5;
constexpr std::array<std::int64_t, 16> roundTicks{
    minute,   2 * minute, 5 * minute, 10 * minute, 15 * minute, 30 * minute, hour,    2 * hour,
    3 * hour, 4 * hour,   6 * hour,   12 * hour,   day,         2 * day,     5 * day, 10 * day};
constexpr std::array<std::string_view, 7> weekdayNames{
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr std::array<std::string_view, 12> monthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "2.1 h", to the tenth.
std::string hoursText(std::int64_t seconds) {
    const std::int64_t tenthsOfAnHour = (seconds * 10 + hour / 2) / hour;
    return std::to_string(tenthsOfAnHour / 10) + "." + std::to_string(tenthsOfAnHour % 10) + " h";
}

// The period before the one whose first day is `first`.
std::int64_t dayBefore(std::int64_t first, PeriodKind kind) {
    return daysOfPeriod(first - 1, kind).first;
}

ChartBar barOf(std::int64_t firstDay, PeriodKind kind) {
    ChartBar bar;
    bar.days = daysOfPeriod(firstDay, kind);
    const std::int64_t period = periodOfDay(firstDay, kind);
    bar.period = periodText(period, kind);
    const CalendarDate date = dateOfDay(firstDay);
    const int weekday = isoWeekday(firstDay);
    switch (kind) {
    case PeriodKind::day:
        bar.label = std::to_string(date.day);
        bar.period += ' ';
        bar.period += weekdayNames[static_cast<std::size_t>(weekday - 1)];
        bar.weekend = weekday >= 6;
        break;
    case PeriodKind::week:
        bar.label = bar.period.substr(bar.period.find('W'));
        break;
    case PeriodKind::month:
        bar.label = monthNames[static_cast<std::size_t>(date.month - 1)];
        break;
    }
    return bar;
}

} // namespace

std::int64_t firstDayOfSpan(std::int64_t today, const ChartSpan& span) {
    std::int64_t first = daysOfPeriod(today, span.kind).first;
    for (int bar = 1; bar < span.bars; ++bar) {
        first = dayBefore(first, span.kind);
    }
    return first;
}

UsageChart usageChart(const PeriodTotals& days, std::int64_t today, const ChartSpan& span) {
    UsageChart chart{span, {}, {}};
    std::int64_t tallest = 0;
    for (std::int64_t first = firstDayOfSpan(today, span); first <= today;
         first = daysOfPeriod(first, span.kind).last + 1) {
        ChartBar bar = barOf(first, span.kind);
        bar.seconds = days.secondsIn(bar.days);
        bar.estimatedSeconds = days.estimatedIn(bar.days);
        tallest = std::max(tallest, bar.seconds);
        chart.bars.push_back(std::move(bar));
    }
    chart.axis = chartAxis(tallest);
    return chart;
}

// An empty chart still reads as hours of a day.
ChartAxis chartAxis(std::int64_t tallest) {
    if (tallest <= 0) {
        return ChartAxis{hour, 1};
    }
    for (const std::int64_t tick : roundTicks) {
        const std::int64_t ticks = (tallest + tick - 1) / tick;
        if (ticks <= mostTicks) {
            return ChartAxis{tick, static_cast<int>(ticks)};
        }
    }
    const std::int64_t tick = roundTicks.back();
    return ChartAxis{tick, static_cast<int>((tallest + tick - 1) / tick)};
}

std::string tickText(std::int64_t seconds) {
    if (seconds % hour != 0) {
        return std::to_string(seconds / minute) + " min";
    }
    return std::to_string(seconds / hour) + " h";
}

std::string barValue(const ChartBar& bar) {
    std::string value =
        durationText(durationOfSeconds(bar.seconds)) + ", " + hoursText(bar.seconds);
    if (bar.estimatedSeconds == bar.seconds && bar.seconds > 0) {
        value += ", estimated";
    } else if (bar.estimatedSeconds > 0) {
        value += ", " + hoursText(bar.estimatedSeconds) + " of it estimated";
    }
    return value;
}

std::string barText(const ChartBar& bar) {
    return bar.period + ": " + barValue(bar);
}

} // namespace quillmarten
