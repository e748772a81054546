#pragma once

#include "metering/tracker_ports.h"

namespace quillmarten {

// The clock through GetLocalTime and GetTickCount64.
class Win32Clock final : public Clock {
  public:
    LocalTime now() override;
    std::int64_t steadySeconds() override;
};

} // namespace quillmarten
