#include "report_command.h"

#include "log_report.h"
#include "report_rows.h"

#include "quillmarten_version.h"

#include <algorithm>

namespace quillmarten {

namespace {

constexpr std::string_view programName = "quillmarten-report";

// Every log is read before the first row is written: a file that cannot be read has no rows,
// and a table knows its columns' widths.
int reportLogs(const ReportOptions& options, FileSystem& files, std::ostream& out,
               std::ostream& err) {
    std::vector<std::unique_ptr<LogListing>> listings;
    for (const LogInput& log : options.logs) {
        listings.push_back(readLog(log, options, files, err));
    }
    const auto rows = [&](ReportWriter& writer) {
        for (std::size_t at = 0; at < listings.size(); ++at) {
            if (listings[at]) {
                writer.machine(options.logs[at].machine);
                listings[at]->write(writer);
            }
        }
    };
    writeReport(options.format, reportColumns(options.periods), rows, out);
    if (!out.flush()) {
        err << programName << ": cannot write the report\n";
        return report_exit::failed;
    }
    int status = report_exit::complete;
    for (const auto& listing : listings) {
        status = std::max(status, listing ? listing->status() : report_exit::failed);
    }
    return status;
}

} // namespace

int runReport(const std::vector<std::string>& arguments, FileSystem& files, std::ostream& out,
              std::ostream& err) {
    ReportOptions options;
    try {
        options = parseReportArguments(arguments);
    } catch (const UsageError& error) {
        err << programName << ": " << error.what() << '\n' << reportUsage;
        return report_exit::failed;
    }
    if (options.help) {
        out << reportUsage;
        return report_exit::complete;
    }
    if (options.version) {
        out << programName << ' ' << QUILLMARTEN_SHOWN_VERSION << '\n';
        return report_exit::complete;
    }
    return reportLogs(options, files, out, err);
}

} // namespace quillmarten
