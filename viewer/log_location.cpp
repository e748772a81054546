#include "viewer/log_location.h"

#include "basics/command_line.h"
#include "log_file/session_log_file.h"

namespace quillmarten {

namespace {

constexpr std::string_view blanks = " \t";

std::string withExtension(std::string_view program) {
    std::string path(program);
    if (fileNameOf(program).find('.') == std::string_view::npos) {
        path += ".exe";
    }
    return path;
}

std::string serviceProgramPath(std::string_view serviceCommand, FileSystem& files) {
    if (serviceCommand.starts_with('"')) {
        return std::string(splitCommandLine(serviceCommand).first);
    }
    for (std::size_t end = serviceCommand.find_first_of(blanks);;
         end = serviceCommand.find_first_of(blanks, end + 1)) {
        std::string program = withExtension(serviceCommand.substr(0, end));
        if (files.isFile(program)) {
            return program;
        }
        if (end == std::string_view::npos) {
            return std::string(serviceCommand);
        }
    }
}

} // namespace

std::optional<std::string> givenLogPath(std::string_view commandLine) {
    const std::string_view path = splitCommandLine(splitCommandLine(commandLine).rest).first;
    return path.empty() ? std::nullopt : std::optional<std::string>(path);
}

std::string serviceLogPath(std::string_view serviceCommand, FileSystem& files) {
    return logFileBeside(serviceProgramPath(serviceCommand, files));
}

} // namespace quillmarten
