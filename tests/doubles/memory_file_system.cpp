#include "memory_file_system.h"

#include "metering/error_report.h"

#include <algorithm>

namespace quillmarten::testing {

class MemoryRecordFile final : public RecordFile {
  public:
    MemoryRecordFile(MemoryFileSystem& owner, std::string& bytes) : owner_(owner), bytes_(bytes) {}
    ~MemoryRecordFile() override { ++owner_.closes; }
    MemoryRecordFile(const MemoryRecordFile&) = delete;
    MemoryRecordFile& operator=(const MemoryRecordFile&) = delete;

    std::uint64_t size() override { return bytes_.size(); }

    std::size_t readAt(std::uint64_t offset, std::span<char> into) override {
        ++owner_.reads;
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
};

std::unique_ptr<RecordFile> MemoryFileSystem::openReadWrite(const std::string& path) {
    ++opens;
    if (openFailure_) {
        throw makeError(*openFailure_);
    }
    return std::make_unique<MemoryRecordFile>(*this, files_[path]);
}

std::unique_ptr<RecordFile> MemoryFileSystem::openReadOnly(const std::string& path) {
    if (!exists(path)) {
        ++opens;
        throw makeError(error_number::pathNotFound);
    }
    return openReadWrite(path);
}

} // namespace quillmarten::testing
