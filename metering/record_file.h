#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quillmarten {

// One open file of the platform. It is closed when the object goes, on every path.
// Failures are raised as RaisedError.
class RecordFile {
  public:
    virtual ~RecordFile() = default;

    virtual std::uint64_t size() = 0;

    // Up to `count` bytes from `offset`; fewer at the end of the file, none beyond it.
    virtual std::string readAt(std::uint64_t offset, std::size_t count) = 0;

    // Writes the bytes at `offset`. A write beyond the end grows the file, and the platform
    // fills the skipped bytes with zeros.
    virtual void writeAt(std::uint64_t offset, std::string_view bytes) = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Opens the file for reading and writing, creating an empty one when there is none.
    // Other programs may read and write it while it is open.
    virtual std::unique_ptr<RecordFile> openReadWrite(const std::string& path) = 0;
};

} // namespace quillmarten
