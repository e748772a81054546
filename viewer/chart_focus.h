#pragma once

#include "viewer/usage_chart.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What the chart is to the keyboard and to a screen reader: a named whole with one item per bar,
// named by its period with its time as value, one of them focused.
namespace quillmarten {

// "Time in use by day", "by week" or "by month".
std::string chartName(const ChartSpan& span);

enum class ChartKey : std::uint8_t { earlier, later, earliest, latest };

// The bar the keyboard is on: the latest until a key or a click moves it. A chart shown anew
// keeps it on the bar that starts on the same day, as the next refresh and the next day do; where
// the chart has no such bar, as after another span was chosen, it is on the latest again.
class ChartFocus {
  public:
    // nullopt for a chart without bars.
    std::optional<std::size_t> bar(const UsageChart& chart) const;
    // Returns whether the focus moved.
    bool press(ChartKey key, const UsageChart& chart);
    bool focus(std::size_t bar, const UsageChart& chart);

  private:
    // The first day of the focused bar; nullopt: the latest bar, whichever it is.
    std::optional<std::int64_t> firstDay_;
};

} // namespace quillmarten
