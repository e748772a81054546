#include "report_command.h"

#include "log_report.h"
#include "report_rows.h"

#include "quillmarten_version.h"

#include <algorithm>

namespace quillmarten {

namespace {

constexpr std::string_view programName = "quillmarten-report";

int writeReport(const ReportOptions& options, FileSystem& files, std::ostream& out,
                std::ostream& err) {
    const auto writer = makeReportWriter(options.format, reportColumns(options.periods), out);
    int status = report_exit::complete;
    for (const LogInput& log : options.logs) {
        status = std::max(status, reportLog(log, options, files, *writer, err));
    }
    writer->finish();
    if (!out.flush()) {
        err << programName << ": cannot write the report\n";
        return report_exit::failed;
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
    return writeReport(options, files, out, err);
}

} // namespace quillmarten
