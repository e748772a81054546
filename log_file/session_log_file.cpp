#include "log_file/session_log_file.h"

#include <algorithm>
#include <string>

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

// About 64 KiB of whole slots.
constexpr std::size_t scanPieceSize = recordSize * 1638;

std::uint64_t slotOffset(std::int64_t slot) {
    return slotEnd(slot - 1);
}

// Cuts the file back to its length before a failed write of `bytes` at `offset` only when all it
// holds beyond that length is what the write may have put there: zeros up to the offset, then the
// first of the bytes. Bytes that another program wrote meanwhile stay. The failure that made the
// write fail is the one to report; should cutting back fail too, the fragment stays and the next
// reading lists it as damaged.
void takeBack(File& file, std::uint64_t lengthBefore, std::uint64_t offset,
              std::string_view bytes) noexcept {
    try {
        const std::uint64_t length = file.status().size;
        if (length <= lengthBefore || length > offset + bytes.size()) {
            return;
        }
        std::string found(static_cast<std::size_t>(length - lengthBefore), '\0');
        if (file.readAt(lengthBefore, found) != found.size()) {
            return;
        }
        for (std::size_t at = 0; at < found.size(); ++at) {
            const std::uint64_t position = lengthBefore + at;
            const char written =
                position < offset ? '\0' : bytes[static_cast<std::size_t>(position - offset)];
            if (found[at] != written) {
                return;
            }
        }
        file.truncate(lengthBefore);
    } catch (const RaisedError&) {
    }
}

} // namespace

std::string_view fileNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::uint64_t SlotReader::left() const {
    const std::uint64_t offset = slotEnd(slot_);
    return end_ > offset ? end_ - offset : 0;
}

bool SlotReader::readPiece() {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(scanPieceSize, left()));
    if (ended_ || wanted == 0) {
        return false;
    }
    // The first piece is the largest: what is left only shrinks.
    if (!buffer_) {
        buffer_ = std::make_unique_for_overwrite<char[]>(wanted);
    }
    got_ = file_.readAt(slotEnd(slot_), std::span(buffer_.get(), wanted));
    at_ = 0;
    ended_ = got_ < wanted;
    return got_ > 0;
}

void appendWhole(File& file, std::uint64_t offset, std::string_view bytes) {
    const std::uint64_t lengthBefore = file.status().size;
    try {
        file.writeAt(offset, bytes);
    } catch (const RaisedError&) {
        takeBack(file, lengthBefore, offset, bytes);
        throw;
    }
}

void SessionLogFile::appendRecord(std::int64_t slot, std::string_view text) {
    appendWhole(*file_, slotOffset(slot), encodeRecord(text));
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
