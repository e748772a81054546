#include "posix_file_system.h"

#include "raised_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmarten {

namespace {

RaisedError errorFromErrno(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return makeError(error_number::permissionDenied);
    case ENOENT:
    case ENOTDIR:
        return makeError(error_number::pathNotFound);
    case ENOSPC:
    case EDQUOT:
        return makeError(error_number::diskFull);
    default:
        return makeError(error_number::deviceIoError);
    }
}

class PosixRecordFile final : public RecordFile {
  public:
    explicit PosixRecordFile(const std::string& path)
        : descriptor_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (descriptor_ < 0) {
            throw errorFromErrno(errno);
        }
    }
    ~PosixRecordFile() override { ::close(descriptor_); }
    PosixRecordFile(const PosixRecordFile&) = delete;
    PosixRecordFile& operator=(const PosixRecordFile&) = delete;

    std::uint64_t size() override {
        struct stat status {};
        if (::fstat(descriptor_, &status) != 0) {
            throw errorFromErrno(errno);
        }
        return static_cast<std::uint64_t>(status.st_size);
    }

    std::string readAt(std::uint64_t offset, std::size_t count) override {
        std::string bytes(count, '\0');
        const ssize_t got = ::pread(descriptor_, bytes.data(), count, static_cast<off_t>(offset));
        if (got < 0) {
            throw errorFromErrno(errno);
        }
        bytes.resize(static_cast<std::size_t>(got));
        return bytes;
    }

    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        const ssize_t put =
            ::pwrite(descriptor_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (put < 0) {
            throw errorFromErrno(errno);
        }
        if (static_cast<std::size_t>(put) != bytes.size()) {
            throw makeError(error_number::diskFull);
        }
    }

  private:
    int descriptor_;
};

} // namespace

std::unique_ptr<RecordFile> PosixFileSystem::openReadWrite(const std::string& path) {
    return std::make_unique<PosixRecordFile>(path);
}

} // namespace quillmarten
