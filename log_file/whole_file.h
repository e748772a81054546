#pragma once

#include "log_file/file_system.h"

#include <string>
#include <string_view>

namespace quillmarten {

// Writes `bytes` as the whole of `target`: first to TARGET.part beside it, which then takes the
// target's place, so that a reader sees the old file or the new one, never part of either, and a
// failure leaves the target as it was and no TARGET.part behind. Raises RaisedError.
void writeFileWhole(FileSystem& files, std::string_view bytes, const std::string& target);

} // namespace quillmarten
