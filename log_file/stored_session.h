#pragma once

#include "basics/date_time.h"

#include <cstdint>

namespace quillmarten {

// One well-formed session of a log, as the log stores it.
struct StoredSession {
    std::int64_t slot = 0; // where its record is: 1-based, gap records counted
    LocalTime start;
    LocalTime stop;           // the last moment it was seen running
    std::int64_t seconds = 0; // time in use, which pauses and sleep leave below the span

    friend bool operator==(const StoredSession&, const StoredSession&) = default;
};

} // namespace quillmarten
