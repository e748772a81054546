#include "log_file/win32_file_system.h"

#include "basics/error_report.h"
#include "platform/win32_text.h"

#include <windows.h>

namespace quillmarten {

namespace {

RaisedError lastFileError() {
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return makeError(error_number::permissionDenied);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return makeError(error_number::pathNotFound);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return makeError(error_number::diskFull);
    default:
        return makeError(error_number::deviceIoError);
    }
}

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

std::uint64_t joined(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

// A device or a pipe opens without waiting, but would read without end or wait for a writer:
// only a file on a disk is kept.
class Win32File final : public File {
  public:
    Win32File(const std::string& path, DWORD access, DWORD sharing, DWORD disposition)
        : handle_(CreateFileW(widen(path).c_str(), access, sharing, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw lastFileError();
        }
        if (GetFileType(handle_) != FILE_TYPE_DISK) {
            CloseHandle(handle_);
            throw notARegularFile();
        }
    }
    ~Win32File() override { CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    FileStatus status() override {
        BY_HANDLE_FILE_INFORMATION information{};
        if (!GetFileInformationByHandle(handle_, &information)) {
            throw lastFileError();
        }
        return FileStatus{
            joined(information.nFileSizeHigh, information.nFileSizeLow),
            FileIdentity{information.dwVolumeSerialNumber,
                         joined(information.nFileIndexHigh, information.nFileIndexLow)},
            joined(information.ftLastWriteTime.dwHighDateTime,
                   information.ftLastWriteTime.dwLowDateTime)};
    }

    std::size_t readAt(std::uint64_t offset, std::span<char> into) override {
        OVERLAPPED position = at(offset);
        DWORD got = 0;
        if (!ReadFile(handle_, into.data(), static_cast<DWORD>(into.size()), &got, &position) &&
            GetLastError() != ERROR_HANDLE_EOF) {
            throw lastFileError();
        }
        return got;
    }

    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        OVERLAPPED position = at(offset);
        DWORD put = 0;
        if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &put, &position)) {
            throw lastFileError();
        }
        if (put != bytes.size()) {
            throw makeError(error_number::diskFull);
        }
    }

    void truncate(std::uint64_t length) override {
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(length);
        if (!SetFilePointerEx(handle_, end, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_)) {
            throw lastFileError();
        }
    }

  private:
    HANDLE handle_;
};

} // namespace

std::unique_ptr<File> Win32FileSystem::openReadWrite(const std::string& path) {
    return std::make_unique<Win32File>(path, GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
}

bool Win32FileSystem::isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32FileSystem::moveOver(const std::string& from, const std::string& to) {
    if (!MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw lastFileError();
    }
}

void Win32FileSystem::removeFile(const std::string& path) {
    if (!DeleteFileW(widen(path).c_str())) {
        throw lastFileError();
    }
}

std::unique_ptr<File> Win32FileSystem::openReadOnly(const std::string& path) {
    return std::make_unique<Win32File>(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
}

} // namespace quillmarten
