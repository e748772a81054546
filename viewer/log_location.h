#pragma once

#include "log_file/file_system.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

// The log file named on the viewer's command line, after the program's name, quoted when it
// holds blanks; nullopt when none is named and the service's log is meant.
std::optional<std::string> givenLogPath(std::string_view commandLine);

// The log beside the program of a service's command. The program is found as Windows finds it: a
// quoted path ends at its closing quote; of an unquoted one, each beginning that ends at a blank is
// tried in turn, with ".exe" added where its file name has no extension, and the first that names
// an existing file is the program. When none does, the whole command is taken for its path.
std::string serviceLogPath(std::string_view serviceCommand, FileSystem& files);

} // namespace quillmarten
