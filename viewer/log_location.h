#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

// The log file named on the viewer's command line, after the program's name, quoted when it
// holds blanks; nullopt when none is named and the service's log is meant.
std::optional<std::string> givenLogPath(std::string_view commandLine);

// The log beside the executable of the service's command line, whose path may be quoted.
std::string serviceLogPath(std::string_view serviceCommand);

} // namespace quillmarten
