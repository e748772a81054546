#pragma once

#include "history/day_split.h"
#include "history/period.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillmarten {

enum class OutputFormat : std::uint8_t { table, csv, json };

// One log file of the report and the machine its rows name.
struct LogInput {
    std::string machine;
    std::string path;
};

struct ReportOptions {
    std::optional<PeriodKind> periods; // none: one row per session
    OutputFormat format = OutputFormat::table;
    DayRange days;
    std::vector<LogInput> logs;
    bool help = false;
    bool version = false;
};

// A command line the report cannot run, with what is wrong with it.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view reportUsage =
    "usage: quillmarten-report [--by session|day|week|month] [--format table|csv|json]\n"
    "                          [--from YYYY-MM-DD] [--to YYYY-MM-DD] [NAME=]FILE...\n"
    "Lists the sessions of Quillmarten log files (Quillmarten.dat), or their time in use by\n"
    "day, week or month. Several files make one report; NAME= names the machine of a file,\n"
    "which is otherwise named by its path.\n"
    "  --by       one row per session (the default), or per day, ISO week or month\n"
    "  --format   aligned columns (the default), CSV or JSON\n"
    "  --from     keep the time from this day on\n"
    "  --to       keep the time up to this day, included\n"
    "  --help     show this text; --version shows the version\n"
    "Exit status: 0 when every record was read, 1 when some were damaged, 2 when the command\n"
    "line is wrong or a file cannot be read.\n";

// Raises UsageError for a command line the report cannot run.
ReportOptions parseReportArguments(const std::vector<std::string>& arguments);

} // namespace quillmarten
