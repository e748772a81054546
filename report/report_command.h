#pragma once

#include "log_file/file_system.h"

#include <ostream>
#include <string>
#include <vector>

namespace quillmarten {

// The command quillmarten-report, given its arguments without the program's name: writes the
// report on `out` and what went wrong on `err`; returns the exit status (see log_report.h).
int runReport(const std::vector<std::string>& arguments, FileSystem& files, std::ostream& out,
              std::ostream& err);

} // namespace quillmarten
