#pragma once

#include "history/day_split.h"
#include "history/period.h"
#include "history/period_totals.h"

#include <cstdint>
#include <string>
#include <vector>

// The chart of time in use by day, ISO week or month: its bars, from the same daily totals as
// the report's, and an hour axis with round ticks.
namespace quillmarten {

// How many of the latest periods of a kind a chart shows, the one that holds today last.
struct ChartSpan {
    PeriodKind kind;
    int bars;
};
inline constexpr ChartSpan lastFiveWeeksByDay{PeriodKind::day, 35};
inline constexpr ChartSpan lastHalfYearByWeek{PeriodKind::week, 26};
inline constexpr ChartSpan lastYearByMonth{PeriodKind::month, 12};

struct ChartBar {
    DayRange days;
    std::string label;  // under the bar: the day of the month, "W49" or "Dec"
    std::string period; // "2026-12-07 Monday", "2026-W49" or "2026-12"
    std::int64_t seconds = 0;
    std::int64_t estimatedSeconds = 0; // of them, those spread over a session's span
    bool weekend = false;              // a Saturday or a Sunday

    friend bool operator==(const ChartBar&, const ChartBar&) = default;
};

// Ticks every `tick` seconds from zero up to the top, the first tick at or above the tallest bar.
struct ChartAxis {
    std::int64_t tick = 0;
    int ticks = 0;

    std::int64_t top() const { return tick * ticks; }
    friend bool operator==(const ChartAxis&, const ChartAxis&) = default;
};

struct UsageChart {
    ChartSpan span = lastFiveWeeksByDay;
    std::vector<ChartBar> bars; // oldest first
    ChartAxis axis;

    friend bool operator==(const UsageChart& a, const UsageChart& b) {
        return a.span.kind == b.span.kind && a.bars == b.bars && a.axis == b.axis;
    }
};

// The chart of `span` up to the period that holds `today`, from the time in use by day, which
// must hold every day of the span. A period without time has a bar of none.
UsageChart usageChart(const PeriodTotals& days, std::int64_t today, const ChartSpan& span);

// The smallest round tick (1, 2, 5, 10, 15 or 30 minutes, 1, 2, 3, 4, 6 or 12 hours, 1, 2, 5
// or 10 days) that reaches the tallest bar in at most five ticks.
ChartAxis chartAxis(std::int64_t tallest);

// "45 min", "6 h"
std::string tickText(std::int64_t seconds);

// "0000:02:03:04, 2.1 h", then ", estimated" or ", 0.5 h of it estimated" when some of it is.
std::string barValue(const ChartBar& bar);

// "2026-12-07 Monday: " and the bar's value.
std::string barText(const ChartBar& bar);

// The first day of the span that ends with the period holding `today`.
std::int64_t firstDayOfSpan(std::int64_t today, const ChartSpan& span);

} // namespace quillmarten
