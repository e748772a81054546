#include "session_export.h"

#include "metering/error_report.h"
#include "report/log_report.h"
#include "report/report_command.h"

#include <algorithm>
#include <sstream>

namespace quillmarten {

namespace {

// Compared by identity, since one file has many names.
bool sameFile(FileSystem& files, const std::string& one, const std::string& other) {
    try {
        return files.openReadOnly(one)->status().identity ==
               files.openReadOnly(other)->status().identity;
    } catch (const RaisedError&) {
        return false;
    }
}

std::int64_t lineCount(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

} // namespace

ExportOutcome exportSessions(FileSystem& files, const std::string& logPath,
                             const std::string& target) {
    using Result = ExportOutcome::Result;
    if (sameFile(files, logPath, target)) {
        return ExportOutcome{Result::targetIsLog, 0, 0, ""};
    }
    std::ostringstream csv;
    std::ostringstream problems;
    const int status =
        runReport({"--by", "session", "--format", "csv", logPath}, files, csv, problems);
    const std::string reported = problems.str();
    if (status == report_exit::failed) {
        return ExportOutcome{Result::logUnreadable, 0, 0, reported.substr(0, reported.find('\n'))};
    }
    const std::string bytes = csv.str();
    try {
        const auto file = files.openReadWrite(target);
        file->writeAt(0, bytes);
        file->truncate(bytes.size());
    } catch (const RaisedError& error) {
        return ExportOutcome{Result::targetUnwritable, 0, 0, error.description()};
    }
    return ExportOutcome{Result::written, lineCount(bytes) - 1, lineCount(reported), ""};
}

} // namespace quillmarten
