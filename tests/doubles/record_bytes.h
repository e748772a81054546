#pragma once

#include "log_file/session_record.h"

#include <string>
#include <string_view>

namespace quillmarten::testing {

// The 40 bytes of a session from its start, stop and time in use as the record stores them.
inline std::string record(std::string_view start, std::string_view stop, std::string_view used) {
    return encodeRecord(std::string(start).append(stop).append(used));
}

// The 40 zero bytes the service leaves before each session but the first.
inline const std::string gap(40, '\0');

} // namespace quillmarten::testing
