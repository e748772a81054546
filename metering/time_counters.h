#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmarten {

struct Counters {
    std::int32_t days = 0;
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;

    friend bool operator==(const Counters&, const Counters&) = default;
};

// DurationText: days with at least four digits, then hours, minutes and seconds with two.
std::string durationText(const Counters& counters);

// The running session's counters and the totals of all sessions, the running one included.
// Failures are raised as RaisedError: 6 (overflow) and 13 (type mismatch).
class TimeCounters {
  public:
    // Counts one second of the session and of the totals, rebuilds TotalText and returns the
    // session's DurationText.
    std::string Elapsed();

    // Adds one stored ElapsedField to the totals without carrying. Pieces added before a
    // failing piece stay added.
    void TotalizzaTempo(std::string_view Tempo);

    // Carries seconds into minutes, minutes into hours and hours into days (floor division).
    void CalcolaTotale();

    const Counters& session() const { return session_; }
    const Counters& totals() const { return totals_; }
    const std::string& totalText() const { return totalText_; }

    void setSession(const Counters& session) { session_ = session; }
    void setTotals(const Counters& totals) { totals_ = totals; }

  private:
    Counters session_;
    Counters totals_;
    std::string totalText_;
};

} // namespace quillmarten
