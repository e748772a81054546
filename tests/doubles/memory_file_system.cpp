#include "memory_file_system.h"

#include "metering/raised_error.h"

#include <algorithm>

namespace quillmarten::testing {

class MemoryRecordFile final : public RecordFile {
  public:
    MemoryRecordFile(MemoryFileSystem& owner, std::string& bytes) : owner_(owner), bytes_(bytes) {}
    ~MemoryRecordFile() override { ++owner_.closes; }
    MemoryRecordFile(const MemoryRecordFile&) = delete;
    MemoryRecordFile& operator=(const MemoryRecordFile&) = delete;

    std::uint64_t size() override { return bytes_.size(); }

    std::string readAt(std::uint64_t offset, std::size_t count) override {
        ++owner_.reads;
        if (offset >= bytes_.size()) {
            return {};
        }
        return bytes_.substr(static_cast<std::size_t>(offset), count);
    }

    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        ++owner_.writes;
        if (owner_.writeFailure_) {
            throw makeError(*owner_.writeFailure_);
        }
        const auto start = static_cast<std::size_t>(offset);
        if (bytes_.size() < start + bytes.size()) {
            bytes_.resize(start + bytes.size(), '\0');
        }
        std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(start));
        owner_.bytesWritten += bytes.size();
    }

  private:
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

} // namespace quillmarten::testing
