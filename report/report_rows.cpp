#include "report/report_rows.h"

#include "basics/calendar.h"
#include "basics/duration.h"
#include "basics/text_forms.h"

namespace quillmarten {

namespace {

Cell count(std::int64_t value) {
    return Cell{std::to_string(value), true};
}

Cell timeInUse(std::int64_t seconds) {
    return Cell{durationText(durationOfSeconds(seconds))};
}

} // namespace

std::vector<std::string> reportColumns(std::optional<PeriodKind> periods) {
    if (!periods) {
        return {"machine", "session", "start", "stop", "seconds", "time_in_use"};
    }
    return {"machine",  std::string(periodName(*periods)),
            "seconds",  "time_in_use",
            "sessions", "estimated_seconds"};
}

ReportRow sessionRow(const StoredSession& session) {
    return {count(session.slot), Cell{isoDateTimeText(session.start)},
            Cell{isoDateTimeText(session.stop)}, count(session.seconds),
            timeInUse(session.seconds)};
}

ReportRow sessionsTotalRow(std::int64_t seconds) {
    return {Cell{std::string(totalLabel)}, Cell{}, Cell{}, count(seconds), timeInUse(seconds)};
}

ReportRow periodRow(std::string label, const PeriodTotal& total) {
    return {Cell{std::move(label)}, count(total.seconds), timeInUse(total.seconds),
            count(total.sessions), count(total.estimatedSeconds)};
}

std::string isoDateTimeText(const LocalTime& time) {
    return isoDateText(time.date) + "T" + zeroPadded(time.hour, 2) + ":" +
           zeroPadded(time.minute, 2) + ":" + zeroPadded(time.second, 2);
}

} // namespace quillmarten
