#pragma once

#include "metering/tracker_ports.h"

namespace quillmarten {

// The clock through GetLocalTime, GetTickCount64 and GetSystemTimeAsFileTime.
class Win32Clock final : public Clock {
  public:
    LocalTime now() override;
    std::int64_t steadySeconds() override;
    std::int64_t unixSeconds() override;
};

} // namespace quillmarten
