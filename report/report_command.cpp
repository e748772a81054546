#include "report/report_command.h"

#include "report/csv_writer.h"
#include "report/json_writer.h"
#include "report/log_report.h"
#include "report/report_rows.h"
#include "report/table_writer.h"

#include "quillmarten_version.h"

#include <algorithm>

namespace quillmarten {

namespace {

constexpr std::string_view programName = "quillmarten-report";

void writeAll(ReportWriter&& writer, const ReportRows& rows) {
    rows(writer);
    writer.finish();
}

// A table takes its rows twice: once to measure its columns, once to write them.
void writeReport(OutputFormat format, const std::vector<std::string>& columns,
                 const ReportRows& rows, std::ostream& out) {
    switch (format) {
    case OutputFormat::csv:
        return writeAll(CsvWriter(columns, out), rows);
    case OutputFormat::json:
        return writeAll(JsonWriter(columns, out), rows);
    case OutputFormat::table:
        break;
    }
    TableMeasure measure(columns);
    rows(measure);
    writeAll(TableWriter(measure.layout(), columns, out), rows);
}

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
