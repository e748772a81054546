#pragma once

#include "log_file/file_system.h"
#include "log_file/session_record.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
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

// The byte just past slot `slot`.
constexpr std::uint64_t slotEnd(std::int64_t slot) {
    return static_cast<std::uint64_t>(slot) * recordSize;
}

// How many slots a file of `size` bytes holds, a last one cut short included.
constexpr std::int64_t slotsIn(std::uint64_t size) {
    return static_cast<std::int64_t>((size + recordSize - 1) / recordSize);
}

// The name of a path's file, without its folder.
std::string_view fileNameOf(std::string_view path);

// Reads the slots of a file one after the other from slot `first`, numbered from 1, a last slot
// cut short included. Reads in pieces of about 64 KiB, so that a long log costs few system calls,
// and no further than byte `end`: a reader that knows the file's size reads a few new bytes with
// one small read.
class SlotReader {
  public:
    explicit SlotReader(File& file, std::int64_t first = 1,
                        std::uint64_t end = std::numeric_limits<std::uint64_t>::max())
        : file_(file), slot_(first - 1), end_(end) {}

    // The next slot's record, whose text lasts until the next call; nullopt past the last.
    std::optional<Record> next() {
        if (at_ >= got_ && !readPiece()) {
            return std::nullopt;
        }
        const std::string_view piece(buffer_.get(), got_);
        const Record record = decodeRecord(piece.substr(at_, recordSize));
        at_ += recordSize;
        ++slot_;
        return record;
    }
    // The number of the slot the last call gave (first - 1 before any).
    std::int64_t slot() const { return slot_; }

  private:
    bool readPiece();
    std::uint64_t left() const;

    File& file_;
    std::int64_t slot_;
    std::uint64_t end_;
    std::unique_ptr<char[]> buffer_;
    std::size_t got_ = 0;
    std::size_t at_ = 0;
    bool ended_ = false;
};

// Hands every slot of the file from slot `first` on to `visit(slot, record)`, as SlotReader reads
// them; returns the number of the last slot (first - 1 when there is none).
template <typename Visit>
std::int64_t scanSlots(File& file, Visit visit, std::int64_t first = 1,
                       std::uint64_t end = std::numeric_limits<std::uint64_t>::max()) {
    SlotReader reader(file, first, end);
    while (const std::optional<Record> record = reader.next()) {
        visit(reader.slot(), *record);
    }
    return reader.slot();
}

// Writes `bytes` at `offset`, at or past the end of the file; the platform fills what lies
// between with zeros. A write that fails takes back whatever part of it grew the file, so that
// what it writes is on disk whole or not at all, and leaves what another program wrote meanwhile.
void appendWhole(File& file, std::uint64_t offset, std::string_view bytes);

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
    // short at its end, as appendWhole does; the slots skipped become gap records of zeros.
    void appendRecord(std::int64_t slot, std::string_view text);

    // Writes `text` over the record of slot `slot`, which the file already holds.
    void rewriteRecord(std::int64_t slot, std::string_view text);

    // Whether slot `slot` holds a session's record that starts with `startStamp`.
    bool holdsSessionStartingAt(std::int64_t slot, std::string_view startStamp);

  private:
    std::unique_ptr<File> file_;
};

} // namespace quillmarten
