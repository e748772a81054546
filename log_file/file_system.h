#pragma once

#include "basics/error_report.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quillmarten {

// Which file an open file is, whatever its name: the volume it is on and its number there. A log
// that was replaced under the same name has another.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct FileStatus {
    std::uint64_t size = 0;
    FileIdentity identity;
    // When the file was last written, in the platform's own units: it is only compared, to
    // tell whether anything was written since it was last asked.
    std::uint64_t lastWrite = 0;

    friend bool operator==(const FileStatus&, const FileStatus&) = default;
};

// One open file of the platform, closed when the object goes, on every path. Failures are
// raised as RaisedError.
class File {
  public:
    virtual ~File() = default;

    // The size, the identity and the last write, asked in one call, so that all describe the
    // same moment.
    virtual FileStatus status() = 0;

    // Fills `into` from `offset`; returns how many bytes it got, fewer at the end of the file.
    virtual std::size_t readAt(std::uint64_t offset, std::span<char> into) = 0;

    // Writes the bytes at `offset`. A write beyond the end grows the file, and the platform
    // fills the skipped bytes with zeros. A failure may leave part of the bytes written.
    virtual void writeAt(std::uint64_t offset, std::string_view bytes) = 0;

    // Cuts the file back to `length` bytes.
    virtual void truncate(std::uint64_t length) = 0;
};

// What every open raises for a path that names no file of bytes (a device, a pipe, a FIFO, a
// folder), so that no reader waits for a writer there or reads without end.
inline RaisedError notARegularFile() {
    return RaisedError(error_number::pathFileAccessError, "Not a regular file");
}

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Opens the file for reading and writing, creating an empty one when there is none.
    // Other programs may read and write it while it is open.
    virtual std::unique_ptr<File> openReadWrite(const std::string& path) = 0;

    // Opens an existing file for reading only, letting other programs read, write, rename and
    // delete it meanwhile, so that a reader never makes the service's rewrite fail.
    virtual std::unique_ptr<File> openReadOnly(const std::string& path) = 0;

    // Whether the path names an existing file, not a folder.
    virtual bool isFile(const std::string& path) = 0;

    // Puts the file `from` in the place of `to`, whatever was there, in one step.
    virtual void moveOver(const std::string& from, const std::string& to) = 0;
    virtual void removeFile(const std::string& path) = 0;
};

} // namespace quillmarten
