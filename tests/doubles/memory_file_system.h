#pragma once

#include "log_file/file_system.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace quillmarten::testing {

// Files held in memory, with the failures a real disk can give on demand, and a count of what
// each access did. Like Windows, it refuses to open a read-only file for writing, to write
// through a file opened for reading, and to move or remove a file open for writing.
class MemoryFileSystem final : public FileSystem {
  public:
    std::unique_ptr<File> openReadWrite(const std::string& path) override;
    // Fails with "path not found" when there is no such file.
    std::unique_ptr<File> openReadOnly(const std::string& path) override;
    bool isFile(const std::string& path) override { return files_.contains(path); }
    void moveOver(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& path) override;

    std::string& contents(const std::string& path) { return files_[path].bytes; }
    // Another file takes the path, as when a log is replaced by a copy.
    void replace(const std::string& path, std::string bytes);
    std::size_t fileCount() const { return files_.size(); }
    // A read-only file can be read but not opened for writing nor replaced ("permission denied").
    void setReadOnly(const std::string& path, bool readOnly) { files_[path].readOnly = readOnly; }
    // The file's size says it holds at least `size` bytes, as a huge sparse file's does; reads
    // give only its own bytes.
    void claimSize(const std::string& path, std::uint64_t size) { files_[path].claimedSize = size; }
    // Runs before every read, as another program writing a file meanwhile would.
    std::function<void()> beforeEachRead;

    // Every open raises this error number until cleared with std::nullopt.
    void failOpens(std::optional<std::int32_t> number) { openFailure_ = number; }
    // Every write raises this error number after writing `bytesBefore` of its bytes, as a disk
    // that fills up in the middle of a write does; another program appends `othersBytes` to the
    // file at that moment.
    void failWrites(std::optional<std::int32_t> number, std::size_t bytesBefore = 0,
                    std::string othersBytes = {}) {
        writeFailure_ = number;
        bytesBeforeFailure_ = bytesBefore;
        othersBytes_ = std::move(othersBytes);
    }

    // Every read after the next `readsBefore` raises this error number until cleared.
    void failReads(std::optional<std::int32_t> number, int readsBefore = 0) {
        readFailure_ = number;
        readsBeforeFailure_ = readsBefore;
    }

    // Every truncation raises this error number until cleared with std::nullopt.
    void failTruncates(std::optional<std::int32_t> number) { truncateFailure_ = number; }

    int opens = 0; // that succeeded
    int closes = 0;
    int reads = 0;
    int writes = 0;
    std::size_t bytesAsked = 0; // what the reads asked for, whatever they got
    std::size_t bytesWritten = 0;

  private:
    friend class MemoryFile;
    struct StoredFile {
        std::string bytes;
        std::uint64_t number = 0; // 0 until opened: the file's identity on this volume
        std::uint64_t claimedSize = 0;
        bool readOnly = false;
        int writers = 0; // handles open for writing, which keep it from being moved or removed
        std::uint64_t changes = 0; // writes and truncations, each of which moves the last write on
    };
    std::unique_ptr<File> open(const std::string& path, bool writable);
    static void refuseWhileWritten(const StoredFile& file);

    std::map<std::string, StoredFile> files_;
    std::uint64_t lastFileNumber_ = 0;
    std::optional<std::int32_t> openFailure_;
    std::optional<std::int32_t> readFailure_;
    int readsBeforeFailure_ = 0;
    std::optional<std::int32_t> writeFailure_;
    std::optional<std::int32_t> truncateFailure_;
    std::size_t bytesBeforeFailure_ = 0;
    std::string othersBytes_;
};

} // namespace quillmarten::testing
