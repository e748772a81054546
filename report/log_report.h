#pragma once

#include "report/report_options.h"
#include "report/report_writer.h"

#include "log_file/file_system.h"

#include <memory>
#include <ostream>

namespace quillmarten {

namespace report_exit {
inline constexpr int complete = 0;
inline constexpr int damagedRecords = 1; // the report leaves out damaged records
inline constexpr int failed = 2;         // a wrong command line, or a file not read
} // namespace report_exit

// One log of the report, read whole once before any of its rows is written, so that a file
// that fails before its end adds nothing to the report. Its rows are then written as they are
// read again, from the file kept open, without keeping them: a log in time order, as the
// service writes it, costs the same memory whatever its length. Only a log out of order keeps
// its sessions, to sort them.
class LogListing {
  public:
    virtual ~LogListing() = default;
    // Hands the log's rows and its total to `writer`, after the writer was told the machine;
    // may be called again, for a table that measures its columns first.
    virtual void write(ReportWriter& writer) = 0;
    // The exit status the file earns.
    virtual int status() const = 0;
};

// Reads the log. Each damaged record is reported on `err` as "FILE: record N: REASON", and a
// file that cannot be read as "FILE: cannot be read: REASON", which gives nullptr.
std::unique_ptr<LogListing> readLog(const LogInput& log, const ReportOptions& options,
                                    FileSystem& files, std::ostream& err);

} // namespace quillmarten
