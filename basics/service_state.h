#pragma once

#include <cstdint>

namespace quillmarten {

// The states the service control manager knows a service in: the ones the service reports, and
// the ones anyone who asks is told.
enum class ServiceState : std::uint8_t {
    stopped,
    starting,
    stopping,
    running,
    continuing,
    pausing,
    paused,
};

} // namespace quillmarten
