#include "log_file/session_log_file.h"

#include <array>

namespace quillmarten {

std::string logFileBeside(std::string_view executablePath) {
    const std::size_t separator = executablePath.find_last_of('\\');
    std::string path(executablePath.substr(0, separator == std::string_view::npos ? 0 : separator));
    path += '\\';
    path += logFileName;
    return path;
}

SessionLogFile::SessionLogFile(FileSystem& files, const std::string& path, FileAccess access)
    : file_(access == FileAccess::readWrite ? files.openReadWrite(path)
                                            : files.openReadOnly(path)) {}

namespace {

std::uint64_t slotOffset(std::int64_t slot) {
    return slotEnd(slot - 1);
}

} // namespace

void SessionLogFile::appendRecord(std::int64_t slot, std::string_view text) {
    const std::string record = encodeRecord(text);
    const std::uint64_t lengthBefore = file_->status().size;
    try {
        file_->writeAt(slotOffset(slot), record);
    } catch (const RaisedError&) {
        takeBack(lengthBefore, slot, record);
        throw;
    }
}

// Cuts the file back to its length before the write only when all it holds beyond that length is
// what the failed write may have put there: zeros up to the slot, then the first bytes of the
// record. Bytes that another program wrote meanwhile stay. The failure that made the write fail is
// the one to report; should cutting back fail too, the fragment stays and the next reading lists
// it as damaged.
void SessionLogFile::takeBack(std::uint64_t lengthBefore, std::int64_t slot,
                              std::string_view record) noexcept {
    try {
        const std::uint64_t length = file_->status().size;
        if (length <= lengthBefore || length > slotEnd(slot)) {
            return;
        }
        std::string found(static_cast<std::size_t>(length - lengthBefore), '\0');
        if (file_->readAt(lengthBefore, found) != found.size()) {
            return;
        }
        const std::uint64_t recordAt = slotOffset(slot);
        for (std::size_t at = 0; at < found.size(); ++at) {
            const std::uint64_t offset = lengthBefore + at;
            const char written =
                offset < recordAt ? '\0' : record[static_cast<std::size_t>(offset - recordAt)];
            if (found[at] != written) {
                return;
            }
        }
        file_->truncate(lengthBefore);
    } catch (const RaisedError&) {
    }
}

void SessionLogFile::rewriteRecord(std::int64_t slot, std::string_view text) {
    file_->writeAt(slotOffset(slot), encodeRecord(text));
}

// Only the record's head is read: nothing else of a session's record stays the same.
bool SessionLogFile::holdsSessionStartingAt(std::int64_t slot, std::string_view startStamp) {
    std::array<char, sessionHeadSize> head{};
    const std::size_t got = file_->readAt(slotOffset(slot), head);
    return beginsSessionStartedAt(decodeRecord(std::string_view(head.data(), got)), startStamp);
}

} // namespace quillmarten
