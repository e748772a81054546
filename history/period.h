#pragma once

#include "history/day_split.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmarten {

enum class PeriodKind : std::uint8_t { day, week, month };

constexpr std::string_view periodName(PeriodKind kind) {
    return kind == PeriodKind::week ? "week" : kind == PeriodKind::month ? "month" : "day";
}

// A number for the period of the given kind that holds `day` (a day number, see calendar.h).
// Later periods have larger numbers.
std::int64_t periodOfDay(std::int64_t day, PeriodKind kind);

// The days of the period of the given kind that holds `day`: the day itself, its ISO week from
// Monday to Sunday, or its month.
DayRange daysOfPeriod(std::int64_t day, PeriodKind kind);

// "2026-12-01" for a day, "2026-W49" for an ISO week, "2026-12" for a month.
std::string periodText(std::int64_t period, PeriodKind kind);

} // namespace quillmarten
