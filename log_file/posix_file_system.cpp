#include "log_file/posix_file_system.h"

#include "basics/error_report.h"

#include <cerrno>
#include <cstdio>
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

// Opened without waiting, so that a FIFO with no writer does not hold the open; what is not a
// regular file is then refused, and reads of a regular file never wait anyway.
class PosixFile final : public File {
  public:
    PosixFile(const std::string& path, int flags)
        : descriptor_(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644)) {
        if (descriptor_ < 0) {
            throw errorFromErrno(errno);
        }
        struct stat facts {};
        const bool known = ::fstat(descriptor_, &facts) == 0;
        if (!known || !S_ISREG(facts.st_mode)) {
            const RaisedError refusal = known ? notARegularFile() : errorFromErrno(errno);
            ::close(descriptor_);
            throw refusal;
        }
    }
    ~PosixFile() override { ::close(descriptor_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    FileStatus status() override {
        struct stat facts {};
        if (::fstat(descriptor_, &facts) != 0) {
            throw errorFromErrno(errno);
        }
        constexpr std::uint64_t nanoseconds = 1'000'000'000;
        return FileStatus{static_cast<std::uint64_t>(facts.st_size),
                          FileIdentity{static_cast<std::uint64_t>(facts.st_dev),
                                       static_cast<std::uint64_t>(facts.st_ino)},
                          static_cast<std::uint64_t>(facts.st_mtim.tv_sec) * nanoseconds +
                              static_cast<std::uint64_t>(facts.st_mtim.tv_nsec)};
    }

    std::size_t readAt(std::uint64_t offset, std::span<char> into) override {
        std::size_t got = 0;
        while (got < into.size()) {
            const ssize_t piece = ::pread(descriptor_, into.data() + got, into.size() - got,
                                          static_cast<off_t>(offset + got));
            if (piece < 0) {
                throw errorFromErrno(errno);
            }
            if (piece == 0) {
                break;
            }
            got += static_cast<std::size_t>(piece);
        }
        return got;
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

    void truncate(std::uint64_t length) override {
        if (::ftruncate(descriptor_, static_cast<off_t>(length)) != 0) {
            throw errorFromErrno(errno);
        }
    }

  private:
    int descriptor_;
};

} // namespace

std::unique_ptr<File> PosixFileSystem::openReadWrite(const std::string& path) {
    return std::make_unique<PosixFile>(path, O_RDWR | O_CREAT);
}

std::unique_ptr<File> PosixFileSystem::openReadOnly(const std::string& path) {
    return std::make_unique<PosixFile>(path, O_RDONLY);
}

bool PosixFileSystem::isFile(const std::string& path) {
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode);
}

void PosixFileSystem::moveOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throw errorFromErrno(errno);
    }
}

void PosixFileSystem::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        throw errorFromErrno(errno);
    }
}

} // namespace quillmarten
