#pragma once

#include "basics/duration.h"

#include <cstdint>

namespace quillmarten {

// What the tracker knows of the meter at one moment, for those who show it elsewhere.
struct MeterReading {
    Duration grandTotal; // the caption's: the stored sessions' time and the running one's
    Duration sessionTime;
    std::int64_t sessionStartUnixSeconds = 0;
    std::int64_t damagedRecords = 0; // in the log as last read: listed, never counted
    bool recordWriteFailed = false;  // the last try to write the session's record failed
};

} // namespace quillmarten
