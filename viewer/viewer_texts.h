#pragma once

#include "viewer/log_follower.h"
#include "viewer/session_export.h"
#include "viewer/viewer_ports.h"

#include "basics/text_forms.h"
#include "metering/tracker_ports.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Everything the viewer shows, made from what it found at its last refresh.
namespace quillmarten {

inline constexpr std::string_view viewerTitle = "Quillmarten Viewer";

struct ViewerState {
    std::optional<ServiceStatus> service; // nullopt: a log file named on the command line
    std::string logPath;                  // empty: there is no log to look for
    LogCondition log = LogCondition::notLookedFor;
    std::string problem;       // why the log cannot be read
    std::uint64_t logSize = 0; // as last seen
    std::int64_t sessions = 0;
    std::int64_t damaged = 0;
    LogSums sums;
    std::string notice; // shown for a while in place of the log's condition
};

// Green while the service runs, red while it is paused, grey otherwise and for a named file.
TrayPicture pictureOf(const ViewerState& state);

// "Quillmarten: running, 0012:03:04:05 in all", at most the 63 characters the tray keeps.
std::string tooltipText(const ViewerState& state);

// "Quillmarten Viewer - running - 0012:03:04:05 in all", the file's name in place of the
// service's state for a named file. A screen reader hears the window's new name when the service's
// state changes.
std::string captionText(const ViewerState& state);

// What is wrong, or a notice, alone; else the sessions read, then the time in use today, this
// week, this month and in all.
std::vector<std::string> statusParts(const ViewerState& state);

std::string noticeText(LogNotice notice);
std::string exportText(const ExportOutcome& outcome, const std::string& target);
inline constexpr std::string_view noLogToExport = "There is no log to export.";
std::string failureNotice(const std::string& report);

// "Quillmarten-2026-12-07.csv"
std::string exportFileName(const LocalTime& today);

} // namespace quillmarten
