#pragma once

#include <cstdint>
#include <map>

namespace quillmarten {

// Lets a lasting or recurring failure reach the event log once an hour per error number, so
// that a disk that stays full for a day leaves a day's worth of entries, not 170,000. A success
// ends every incident: the next failure is a new one and is reported at once.
class ReportThrottle {
  public:
    static constexpr std::int64_t interval = 3600;

    // Whether a failure with this number, seen at this steady second, is to be reported now.
    bool allows(std::int32_t errorNumber, std::int64_t steadySecond) {
        const auto [last, first] = lastReported_.try_emplace(errorNumber, steadySecond);
        if (first || steadySecond - last->second >= interval) {
            last->second = steadySecond;
            return true;
        }
        return false;
    }

    void succeeded() { lastReported_.clear(); }

  private:
    std::map<std::int32_t, std::int64_t> lastReported_;
};

} // namespace quillmarten
