#pragma once

#include "record_file.h"

namespace quillmarten {

// Files opened with read and write sharing, so that a backup, a viewer or a virus scanner
// reading the log never makes a tick fail.
class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<RecordFile> openReadWrite(const std::string& path) override;
};

} // namespace quillmarten
