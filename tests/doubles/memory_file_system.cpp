#include "memory_file_system.h"

#include "basics/error_report.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace quillmarten::testing {

class MemoryFile final : public File {
  public:
    MemoryFile(MemoryFileSystem& owner, MemoryFileSystem::StoredFile& file, bool writable)
        : owner_(owner), file_(file), writable_(writable) {
        file_.writers += writable ? 1 : 0;
    }
    ~MemoryFile() override {
        file_.writers -= writable_ ? 1 : 0;
        ++owner_.closes;
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // The last-write time moves on with every write and truncation, as a real file system's
    // does, and whenever the bytes change, also when a test changes them itself.
    FileStatus status() override {
        return FileStatus{std::max<std::uint64_t>(file_.bytes.size(), file_.claimedSize),
                          FileIdentity{1, file_.number},
                          std::hash<std::string>{}(file_.bytes) + file_.changes};
    }

    std::size_t readAt(std::uint64_t offset, std::span<char> into) override {
        ++owner_.reads;
        owner_.bytesAsked += into.size();
        if (owner_.readFailure_ && owner_.readsBeforeFailure_-- <= 0) {
            throw makeError(*owner_.readFailure_);
        }
        if (owner_.beforeEachRead) {
            owner_.beforeEachRead();
        }
        if (offset >= file_.bytes.size()) {
            return 0;
        }
        return file_.bytes.copy(into.data(), into.size(), static_cast<std::size_t>(offset));
    }

    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        ++owner_.writes;
        refuseUnlessWritable();
        if (owner_.writeFailure_) {
            place(offset, bytes.substr(0, std::min(bytes.size(), owner_.bytesBeforeFailure_)));
            place(file_.bytes.size(), owner_.othersBytes_);
            throw makeError(*owner_.writeFailure_);
        }
        place(offset, bytes);
        owner_.bytesWritten += bytes.size();
    }

    void truncate(std::uint64_t length) override {
        refuseUnlessWritable();
        if (owner_.truncateFailure_) {
            throw makeError(*owner_.truncateFailure_);
        }
        file_.bytes.resize(length);
        ++file_.changes;
    }

  private:
    void refuseUnlessWritable() const {
        if (!writable_) {
            throw makeError(error_number::permissionDenied);
        }
    }

    void place(std::uint64_t offset, std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        const auto start = static_cast<std::size_t>(offset);
        if (file_.bytes.size() < start + bytes.size()) {
            file_.bytes.resize(start + bytes.size(), '\0');
        }
        file_.bytes.replace(start, bytes.size(), bytes);
        ++file_.changes;
    }

    MemoryFileSystem& owner_;
    MemoryFileSystem::StoredFile& file_;
    bool writable_;
};

std::unique_ptr<File> MemoryFileSystem::openReadWrite(const std::string& path) {
    return open(path, true);
}

std::unique_ptr<File> MemoryFileSystem::openReadOnly(const std::string& path) {
    return open(path, false);
}

std::unique_ptr<File> MemoryFileSystem::open(const std::string& path, bool writable) {
    const auto found = files_.find(path);
    if (writable && found != files_.end() && found->second.readOnly) {
        throw makeError(error_number::permissionDenied);
    }
    if (!writable && found == files_.end()) {
        throw makeError(error_number::pathNotFound);
    }
    if (openFailure_) {
        throw makeError(*openFailure_);
    }
    ++opens;
    StoredFile& file = files_[path];
    if (file.number == 0) {
        file.number = ++lastFileNumber_;
    }
    return std::make_unique<MemoryFile>(*this, file, writable);
}

void MemoryFileSystem::moveOver(const std::string& from, const std::string& to) {
    const auto moved = files_.find(from);
    if (moved == files_.end()) {
        throw makeError(error_number::pathNotFound);
    }
    refuseWhileWritten(moved->second);
    if (const auto existing = files_.find(to);
        existing != files_.end() && existing->second.readOnly) {
        throw makeError(error_number::permissionDenied);
    }
    StoredFile file = std::move(moved->second);
    files_.erase(moved);
    files_[to] = std::move(file);
}

void MemoryFileSystem::removeFile(const std::string& path) {
    const auto removed = files_.find(path);
    if (removed == files_.end()) {
        throw makeError(error_number::pathNotFound);
    }
    refuseWhileWritten(removed->second);
    files_.erase(removed);
}

void MemoryFileSystem::refuseWhileWritten(const StoredFile& file) {
    if (file.writers > 0) {
        throw makeError(error_number::permissionDenied);
    }
}

void MemoryFileSystem::replace(const std::string& path, std::string bytes) {
    files_[path] = StoredFile{std::move(bytes), ++lastFileNumber_, false};
}

} // namespace quillmarten::testing
