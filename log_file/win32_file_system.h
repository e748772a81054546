#pragma once

#include "log_file/file_system.h"

namespace quillmarten {

// Files through CreateFileW. The log is opened with read and write sharing, so that a backup,
// a viewer or a virus scanner reading it never makes a tick fail.
class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<File> openReadWrite(const std::string& path) override;
    std::unique_ptr<File> openReadOnly(const std::string& path) override;
    bool isFile(const std::string& path) override;
    void moveOver(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& path) override;
};

} // namespace quillmarten
