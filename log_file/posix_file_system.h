#pragma once

#include "log_file/file_system.h"

namespace quillmarten {

class PosixFileSystem final : public FileSystem {
  public:
    std::unique_ptr<File> openReadWrite(const std::string& path) override;
    std::unique_ptr<File> openReadOnly(const std::string& path) override;
    bool isFile(const std::string& path) override;
    void moveOver(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& path) override;
};

} // namespace quillmarten
