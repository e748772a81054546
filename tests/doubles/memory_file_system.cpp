#include "memory_file_system.h"

#include "metering/error_report.h"

#include <algorithm>
#include <utility>

namespace quillmarten::testing {

class MemoryRecordFile final : public RecordFile {
  public:
    MemoryRecordFile(MemoryFileSystem& owner, std::string& bytes, FileIdentity identity)
        : owner_(owner), bytes_(bytes), identity_(identity) {}
    ~MemoryRecordFile() override { ++owner_.closes; }
    MemoryRecordFile(const MemoryRecordFile&) = delete;
    MemoryRecordFile& operator=(const MemoryRecordFile&) = delete;

    FileStatus status() override { return FileStatus{bytes_.size(), identity_}; }

    std::size_t readAt(std::uint64_t offset, std::span<char> into) override {
        ++owner_.reads;
        owner_.bytesAsked += into.size();
        if (offset >= bytes_.size()) {
            return 0;
        }
        return bytes_.copy(into.data(), into.size(), static_cast<std::size_t>(offset));
    }

    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        ++owner_.writes;
        if (owner_.writeFailure_) {
            place(offset, bytes.substr(0, std::min(bytes.size(), owner_.bytesBeforeFailure_)));
            throw makeError(*owner_.writeFailure_);
        }
        place(offset, bytes);
        owner_.bytesWritten += bytes.size();
    }

    void truncate(std::uint64_t length) override { bytes_.resize(length); }

  private:
    void place(std::uint64_t offset, std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        const auto start = static_cast<std::size_t>(offset);
        if (bytes_.size() < start + bytes.size()) {
            bytes_.resize(start + bytes.size(), '\0');
        }
        bytes_.replace(start, bytes.size(), bytes);
    }

    MemoryFileSystem& owner_;
    std::string& bytes_;
    FileIdentity identity_;
};

std::unique_ptr<RecordFile> MemoryFileSystem::openReadWrite(const std::string& path) {
    ++opens;
    if (openFailure_) {
        throw makeError(*openFailure_);
    }
    return std::make_unique<MemoryRecordFile>(*this, files_[path], identity(path));
}

std::unique_ptr<RecordFile> MemoryFileSystem::openReadOnly(const std::string& path) {
    if (!files_.contains(path)) {
        ++opens;
        throw makeError(error_number::pathNotFound);
    }
    return openReadWrite(path);
}

void MemoryFileSystem::replace(const std::string& path, std::string bytes) {
    files_[path] = std::move(bytes);
    fileNumbers_[path] = ++lastFileNumber_;
}

FileIdentity MemoryFileSystem::identity(const std::string& path) {
    const auto [entry, added] = fileNumbers_.try_emplace(path, lastFileNumber_ + 1);
    lastFileNumber_ += added ? 1 : 0;
    return FileIdentity{1, entry->second};
}

} // namespace quillmarten::testing
