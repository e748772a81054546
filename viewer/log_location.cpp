#include "viewer/log_location.h"

#include "basics/command_line.h"
#include "log_file/session_log_file.h"

namespace quillmarten {

std::optional<std::string> givenLogPath(std::string_view commandLine) {
    const std::string_view path = splitCommandLine(splitCommandLine(commandLine).rest).first;
    return path.empty() ? std::nullopt : std::optional<std::string>(path);
}

std::string serviceLogPath(std::string_view serviceCommand) {
    return logFileBeside(splitCommandLine(serviceCommand).first);
}

} // namespace quillmarten
