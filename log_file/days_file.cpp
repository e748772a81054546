#include "log_file/days_file.h"

#include "log_file/session_log_file.h"
#include "log_file/session_record.h"

namespace quillmarten {

namespace {

constexpr std::string_view daysExtension = ".days";

} // namespace

// A name that begins with its only dot has no extension. Should the log itself end in ".days",
// its days file is another file.
std::string daysFileOf(std::string_view logPath) {
    const std::string_view name = fileNameOf(logPath);
    const std::size_t dot = name.find_last_of('.');
    std::string path(logPath);
    if (dot != std::string_view::npos && dot > 0 && name.substr(dot) != daysExtension) {
        path.resize(logPath.size() - name.size() + dot);
    }
    path += daysExtension;
    return path;
}

bool beginsAsDaysFile(File& file) {
    const std::string header = encodeRecord(daysFileHeader);
    std::string found(recordSize, '\0');
    return file.readAt(0, std::span(found.data(), found.size())) == recordSize && found == header;
}

void appendSnapshots(FileSystem& files, const std::string& path,
                     const std::vector<std::string>& texts) {
    const auto file = files.openReadWrite(path);
    const std::uint64_t size = file->status().size;
    std::string bytes = size == 0 ? encodeRecord(daysFileHeader) : "";
    for (const std::string& text : texts) {
        bytes += encodeRecord(text);
    }
    appendWhole(*file, (size + recordSize - 1) / recordSize * recordSize, bytes);
}

} // namespace quillmarten
