#include "viewer/session_export.h"

#include "basics/error_report.h"
#include "log_file/whole_file.h"
#include "report/csv_writer.h"
#include "report/log_report.h"
#include "report/report_rows.h"

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

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Hands everything on to a writer and counts the rows: one a session.
class CountingWriter final : public ReportWriter {
  public:
    explicit CountingWriter(ReportWriter& writer) : writer_(writer) {}
    void machine(const std::string& name) override { writer_.machine(name); }
    void row(const ReportRow& cells) override {
        writer_.row(cells);
        ++rows;
    }
    void machineTotal(const ReportRow& cells) override { writer_.machineTotal(cells); }
    void finish() override { writer_.finish(); }

    std::int64_t rows = 0;

  private:
    ReportWriter& writer_;
};

} // namespace

ExportOutcome exportSessions(FileSystem& files, const std::string& logPath,
                             const std::string& target) {
    using Result = ExportOutcome::Result;
    if (sameFile(files, logPath, target)) {
        return ExportOutcome{Result::targetIsLog, 0, 0, ""};
    }
    std::ostringstream damage;
    const auto listing = readLog(LogInput{logPath, logPath}, ReportOptions{}, files, damage);
    const std::string reported = damage.str();
    if (!listing) {
        return ExportOutcome{Result::logUnreadable, 0, 0, firstLine(reported)};
    }
    std::ostringstream csv;
    CsvWriter writer(reportColumns(std::nullopt), csv);
    CountingWriter counting(writer);
    counting.machine(logPath);
    listing->write(counting);
    counting.finish();
    // The rows are read again to be written; a log that fails then gave only part of them.
    if (listing->status() == report_exit::failed) {
        return ExportOutcome{Result::logUnreadable, 0, 0,
                             firstLine(damage.str().substr(reported.size()))};
    }
    try {
        writeFileWhole(files, csv.str(), target);
    } catch (const RaisedError& error) {
        return ExportOutcome{Result::targetUnwritable, 0, 0, error.description()};
    }
    return ExportOutcome{Result::written, counting.rows,
                         std::count(reported.begin(), reported.end(), '\n'), ""};
}

} // namespace quillmarten
