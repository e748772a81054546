#pragma once

#include "log_file/file_system.h"
#include "log_file/session_record.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace quillmarten {

inline constexpr std::string_view logFileName = "Quillmarten.dat";

// The largest log whose sessions are listed: 838,000 sessions, twenty-three a day for a century,
// whose rows take at most 64 MB (a log of nothing but damaged records), which a 32-bit program
// holds in one piece and reads in a moment. A larger one is no log the service wrote, but a copy
// gone wrong or a file made sparse, whose reading would take minutes.
inline constexpr std::uint64_t largestListedLog = std::uint64_t{64} << 20;

// The log file in the folder of the executable at `executablePath`.
std::string logFileBeside(std::string_view executablePath);

// Where the next run's record goes: two slots past the last, so that one gap record stands
// between two runs, or the first slot of an empty file.
constexpr std::int64_t newSessionSlot(std::int64_t slots) {
    return slots == 0 ? 1 : slots + 2;
}

// Hands every slot of the file from slot `first` on to `visit(slot, record)`, in file
// order and numbered from 1, a last slot cut short included; returns the number of the last slot
// (first - 1 when there is none). Reads in pieces of about 64 KiB, so that a long log
// costs few system calls, and no further than byte `end`: a reader that knows the file's size
// reads a few new bytes with one small read.
template <typename Visit>
std::int64_t scanSlots(File& file, Visit visit, std::int64_t first = 1,
                       std::uint64_t end = std::numeric_limits<std::uint64_t>::max());

// The byte just past slot `slot`.
constexpr std::uint64_t slotEnd(std::int64_t slot) {
    return static_cast<std::uint64_t>(slot) * recordSize;
}

// How many slots a file of `size` bytes holds, a last one cut short included.
constexpr std::int64_t slotsIn(std::uint64_t size) {
    return static_cast<std::int64_t>((size + recordSize - 1) / recordSize);
}

enum class FileAccess : std::uint8_t { readWrite, readOnly };

// The session log file, open for one access: opened on construction and closed when the
// object goes, whatever happened in between.
class SessionLogFile {
  public:
    SessionLogFile(FileSystem& files, const std::string& path,
                   FileAccess access = FileAccess::readWrite);

    FileStatus status() { return file_->status(); }

    // Every slot of the file, as scanSlots gives them; returns how many there were.
    template <typename Visit> std::int64_t scan(Visit visit) { return scanSlots(*file_, visit); }

    // Writes `text` as the record of slot `slot`, past the end of the file or over a record cut
    // short at its end; the slots skipped become gap records of zeros. A write that fails takes
    // back whatever part of it grew the file, so that a record is on disk whole or not at all, and
    // leaves what another program wrote.
    void appendRecord(std::int64_t slot, std::string_view text);

    // Writes `text` over the record of slot `slot`, which the file already holds.
    void rewriteRecord(std::int64_t slot, std::string_view text);

    // Whether slot `slot` holds a session's record that starts with `startStamp`.
    bool holdsSessionStartingAt(std::int64_t slot, std::string_view startStamp);

  private:
    void takeBack(std::uint64_t lengthBefore, std::int64_t slot, std::string_view record) noexcept;

    std::unique_ptr<File> file_;
};

namespace log_file_detail {
// About 64 KiB of whole slots.
inline constexpr std::size_t scanPieceSize = recordSize * 1638;
} // namespace log_file_detail

template <typename Visit>
std::int64_t scanSlots(File& file, Visit visit, std::int64_t first, std::uint64_t end) {
    std::int64_t slot = first - 1;
    const auto offset = [&slot] { return slotEnd(slot); };
    const auto left = [&] { return end > offset() ? end - offset() : 0; };
    const auto pieceSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(log_file_detail::scanPieceSize, left()));
    if (pieceSize == 0) {
        return slot;
    }
    const auto buffer = std::make_unique_for_overwrite<char[]>(pieceSize);
    for (;;) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(pieceSize, left()));
        const std::size_t got = file.readAt(offset(), std::span(buffer.get(), wanted));
        const std::string_view piece(buffer.get(), got);
        for (std::size_t at = 0; at < got; at += recordSize) {
            visit(++slot, decodeRecord(piece.substr(at, recordSize)));
        }
        if (got < wanted || left() == 0) {
            return slot;
        }
    }
}

} // namespace quillmarten
