#pragma once

#include "report/report_writer.h"

#include "history/period_totals.h"
#include "log_file/stored_session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The cells of a report's rows after the machine's, the same in every format.
namespace quillmarten {

// machine,session,start,stop,seconds,time_in_use by session;
// machine,day|week|month,seconds,time_in_use,sessions,estimated_seconds by period.
std::vector<std::string> reportColumns(std::optional<PeriodKind> periods);

inline constexpr std::string_view totalLabel = "total";

ReportRow sessionRow(const StoredSession& session);
// A machine's total line by session: the label, then its seconds and time in use in their
// columns.
ReportRow sessionsTotalRow(std::int64_t seconds);

// A row by period: `label` is the period's text, or the total label on a machine's total line,
// whose sessions are those with time in any of its periods.
ReportRow periodRow(std::string label, const PeriodTotal& total);

// "2026-12-01T08:00:00"
std::string isoDateTimeText(const LocalTime& time);

} // namespace quillmarten
