#pragma once

#include "report_options.h"
#include "report_writer.h"

#include "metering/record_file.h"

#include <ostream>

namespace quillmarten {

namespace report_exit {
inline constexpr int complete = 0;
inline constexpr int damagedRecords = 1; // the report leaves out damaged records
inline constexpr int failed = 2;         // a wrong command line, or a file not read
} // namespace report_exit

// Reads one log and hands its rows and its total to `writer`, once the whole file has been
// read, so that a file that fails before its end adds nothing to the report. Each damaged record is
// reported on `err` as "FILE: record N: REASON", and a file that cannot be read as
// "FILE: cannot be read: REASON". Returns the exit status the file earns.
int reportLog(const LogInput& log, const ReportOptions& options, FileSystem& files,
              ReportWriter& writer, std::ostream& err);

} // namespace quillmarten
