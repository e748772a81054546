#include "basics/command_line.h"

#include <algorithm>

namespace quillmarten {

CommandLineParts splitCommandLine(std::string_view commandLine) {
    CommandLineParts parts;
    std::size_t position = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t closing = std::min(commandLine.find('"', 1), commandLine.size());
        parts.first = commandLine.substr(1, closing - 1);
        position = std::min(closing + 1, commandLine.size());
    } else {
        position = std::min(commandLine.find_first_of(" \t"), commandLine.size());
        parts.first = commandLine.substr(0, position);
    }
    position = std::min(commandLine.find_first_not_of(" \t", position), commandLine.size());
    parts.rest = commandLine.substr(position);
    return parts;
}

} // namespace quillmarten
