#pragma once

#include "log_file/file_system.h"

#include <cstdint>
#include <string>

namespace quillmarten {

struct ExportOutcome {
    enum class Result : std::uint8_t { written, logUnreadable, targetUnwritable, targetIsLog };
    Result result = Result::written;
    std::int64_t sessions = 0;
    std::int64_t damaged = 0; // damaged records left out
    std::string problem;      // what went wrong, in plain words
};

// Writes the log's sessions to `target` as CSV, byte for byte what
// `quillmarten-report --by session --format csv LOG` writes for the same log path: first to
// TARGET.part beside it, which then takes the target's place, so that a failure leaves the
// target as it was. Nothing is written when the log cannot be read, nor over the log itself.
ExportOutcome exportSessions(FileSystem& files, const std::string& logPath,
                             const std::string& target);

} // namespace quillmarten
