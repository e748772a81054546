#include "time_counters.h"

#include "raised_error.h"
#include "text_forms.h"

#include <charconv>
#include <limits>

namespace quillmarten {

namespace {

// Stores the sum only when it fits, so an overflowing counter keeps its previous value.
void addChecked(std::int32_t& counter, std::int64_t amount) {
    const std::int64_t sum = counter + amount;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max()) {
        throw makeError(error_number::overflow);
    }
    counter = static_cast<std::int32_t>(sum);
}

// A decimal integer with an optional sign; anything else, the empty text included, is a
// type mismatch.
std::int32_t toInteger(std::string_view piece) {
    if (!piece.empty() && piece.front() == '+') {
        piece.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, status] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (piece.empty() || status == std::errc::invalid_argument ||
        end != piece.data() + piece.size()) {
        throw makeError(error_number::typeMismatch);
    }
    if (status == std::errc::result_out_of_range) {
        throw makeError(error_number::overflow);
    }
    return value;
}

// Each limit test sees what the test before it left; a unit that passes its limit is set to
// zero, not reduced, because the counters are in range when a count begins.
void countOneSecond(Counters& counters) {
    addChecked(counters.seconds, 1);
    if (counters.seconds > 59) {
        counters.seconds = 0;
        addChecked(counters.minutes, 1);
    }
    if (counters.minutes > 59) {
        counters.minutes = 0;
        addChecked(counters.hours, 1);
        counters.seconds = 0;
    }
    if (counters.hours > 23) {
        counters.hours = 0;
        counters.minutes = 0;
        addChecked(counters.days, 1);
        counters.seconds = 0;
    }
}

// Floor division keeps the remainder in range even for a negative counter.
void carry(std::int32_t& from, std::int32_t& into, std::int32_t unit) {
    std::int64_t quotient = from / unit;
    if (from % unit < 0) {
        --quotient;
    }
    from = static_cast<std::int32_t>(from - quotient * unit);
    addChecked(into, quotient);
}

} // namespace

std::string durationText(const Counters& counters) {
    return zeroPadded(counters.days, 4) + ":" + zeroPadded(counters.hours, 2) + ":" +
           zeroPadded(counters.minutes, 2) + ":" + zeroPadded(counters.seconds, 2);
}

std::string TimeCounters::Elapsed() {
    countOneSecond(session_);
    std::string sessionText = durationText(session_);
    countOneSecond(totals_);
    totalText_ = durationText(totals_);
    return sessionText;
}

void TimeCounters::TotalizzaTempo(std::string_view Tempo) {
    addChecked(totals_.days, toInteger(midText(Tempo, 1, 4)));
    addChecked(totals_.hours, toInteger(midText(Tempo, 5, 2)));
    addChecked(totals_.minutes, toInteger(midText(Tempo, 7, 2)));
    addChecked(totals_.seconds, toInteger(midText(Tempo, 9, 2)));
}

void TimeCounters::CalcolaTotale() {
    carry(totals_.seconds, totals_.minutes, 60);
    carry(totals_.minutes, totals_.hours, 60);
    carry(totals_.hours, totals_.days, 24);
}

} // namespace quillmarten
