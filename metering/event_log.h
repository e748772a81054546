#pragma once

#include "basics/error_report.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmarten {

enum class EventType : std::uint16_t { error = 1, information = 4 };

// The event identifiers of the program's message table.
namespace event_id {
inline constexpr std::uint32_t report = 109;
inline constexpr std::uint32_t serviceContinued = 110;
} // namespace event_id

// Writes one entry to the Windows event log.
class EventWriter {
  public:
    virtual ~EventWriter() = default;
    virtual void writeEvent(EventType type, std::uint32_t id, const std::string& message) = 0;
};

// An error report: an error entry of id 109 whose text names the error and where it struck.
inline void reportError(EventWriter& events, const RaisedError& error,
                        std::string_view origin = {}) {
    events.writeEvent(EventType::error, event_id::report, errorReportText(error, origin));
}

} // namespace quillmarten
