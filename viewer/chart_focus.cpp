#include "viewer/chart_focus.h"

#include <algorithm>

namespace quillmarten {

std::string chartName(const ChartSpan& span) {
    return "Time in use by " + std::string(periodName(span.kind));
}

std::optional<std::size_t> ChartFocus::bar(const UsageChart& chart) const {
    if (chart.bars.empty()) {
        return std::nullopt;
    }
    const auto same = std::ranges::find_if(
        chart.bars, [this](const ChartBar& bar) { return bar.days.first == firstDay_; });
    return same == chart.bars.end() ? chart.bars.size() - 1
                                    : static_cast<std::size_t>(same - chart.bars.begin());
}

// A step beyond either end is refused as a bar the chart does not have; before the first, the
// unsigned count wraps round to one.
bool ChartFocus::press(ChartKey key, const UsageChart& chart) {
    const std::optional<std::size_t> now = bar(chart);
    if (!now) {
        return false;
    }
    switch (key) {
    case ChartKey::earlier:
        return focus(*now - 1, chart);
    case ChartKey::later:
        return focus(*now + 1, chart);
    case ChartKey::earliest:
        return focus(0, chart);
    case ChartKey::latest:
        break;
    }
    return focus(chart.bars.size() - 1, chart);
}

// The latest bar is followed as the days go by, not held.
bool ChartFocus::focus(std::size_t bar, const UsageChart& chart) {
    const std::optional<std::size_t> before = this->bar(chart);
    if (bar >= chart.bars.size()) {
        return false;
    }
    firstDay_ =
        bar + 1 == chart.bars.size() ? std::nullopt : std::optional(chart.bars[bar].days.first);
    return before != bar;
}

} // namespace quillmarten
