#include "viewer/viewer_texts.h"

#include "viewer/log_location.h"

#include "basics/calendar.h"
#include "basics/duration.h"
#include "desktop/tray_icon.h"
#include "log_file/session_log_file.h"

#include <algorithm>
#include <limits>

namespace quillmarten {

namespace {

// The days of a duration have 32 bits; no log of this world comes near.
std::string timeText(std::int64_t seconds) {
    constexpr std::int64_t largest = std::int64_t{std::numeric_limits<std::int32_t>::max()} * 86400;
    return durationText(durationOfSeconds(std::min(seconds, largest)));
}

std::string_view stateName(ServiceState state) {
    switch (state) {
    case ServiceState::stopped:
        return "stopped";
    case ServiceState::starting:
        return "starting";
    case ServiceState::stopping:
        return "stopping";
    case ServiceState::running:
        return "running";
    case ServiceState::continuing:
        return "continuing";
    case ServiceState::pausing:
        return "pausing";
    case ServiceState::paused:
        break;
    }
    return "paused";
}

std::string_view statusName(const ServiceStatus& status) {
    if (!status.installed) {
        return "not installed";
    }
    return status.state ? stateName(*status.state) : "state unknown";
}

std::string counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string summaryText(const ViewerState& state) {
    std::string text = counted(state.sessions, "session", "sessions");
    if (state.damaged > 0) {
        text += "; " + counted(state.damaged, "damaged record", "damaged records");
        text += ", not counted";
    }
    return text;
}

std::string conditionText(const ViewerState& state) {
    if (state.service && !state.service->installed) {
        return "The Quillmarten service is not installed. Looking again every 10 seconds.";
    }
    if (state.logPath.empty()) {
        return "Windows does not tell where the Quillmarten service is. Asking again every 10 "
               "seconds.";
    }
    switch (state.log) {
    case LogCondition::missing:
        return "No log yet at " + state.logPath + ". Looking again every second.";
    case LogCondition::unreadable:
        return state.logPath + " cannot be read: " + state.problem + ". Trying again every second.";
    case LogCondition::tooLarge:
        return state.logPath + " is too large to show (" + byteSizeText(state.logSize) +
               "); the viewer shows logs of up to " + byteSizeText(largestListedLog) + ".";
    case LogCondition::read:
    case LogCondition::notLookedFor:
        break;
    }
    return "";
}

// Cut before 63 bytes of UTF-8 without splitting a character; the ANSI text it becomes is no
// longer.
std::string clippedTooltip(std::string text) {
    if (text.size() <= tooltipCapacity) {
        return text;
    }
    std::size_t end = tooltipCapacity;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

std::string subject(const ViewerState& state) {
    return state.service ? std::string(statusName(*state.service))
                         : std::string(fileNameOf(state.logPath));
}

} // namespace

TrayPicture pictureOf(const ViewerState& state) {
    const std::optional<ServiceState> service = state.service ? state.service->state : std::nullopt;
    switch (service.value_or(ServiceState::stopped)) {
    case ServiceState::running:
    case ServiceState::pausing:
        return TrayPicture::running;
    case ServiceState::paused:
    case ServiceState::continuing:
        return TrayPicture::paused;
    default:
        return TrayPicture::stopped;
    }
}

std::string tooltipText(const ViewerState& state) {
    return clippedTooltip("Quillmarten: " + subject(state) + ", " + timeText(state.sums.all) +
                          " in all");
}

std::string captionText(const ViewerState& state) {
    return std::string(viewerTitle) + " - " + subject(state) + " - " + timeText(state.sums.all) +
           " in all";
}

std::vector<std::string> statusParts(const ViewerState& state) {
    if (!state.notice.empty()) {
        return {state.notice};
    }
    if (state.log != LogCondition::read) {
        return {conditionText(state)};
    }
    return {summaryText(state), "Today " + timeText(state.sums.today),
            "This week " + timeText(state.sums.week), "This month " + timeText(state.sums.month),
            "In all " + timeText(state.sums.all)};
}

std::string noticeText(LogNotice notice) {
    switch (notice) {
    case LogNotice::replaced:
        return "The log was replaced by another file and has been read again.";
    case LogNotice::overwritten:
        return "The log was written over and has been read again.";
    case LogNotice::shortened:
    case LogNotice::none:
        break;
    }
    return "The log got shorter and has been read again.";
}

std::string exportText(const ExportOutcome& outcome, const std::string& target) {
    switch (outcome.result) {
    case ExportOutcome::Result::logUnreadable:
        return "Nothing exported: " + outcome.problem + ".";
    case ExportOutcome::Result::targetUnwritable:
        return "Nothing exported: " + target + " cannot be written: " + outcome.problem + ".";
    case ExportOutcome::Result::targetIsLog:
        return "Nothing exported: " + target + " is the log itself.";
    case ExportOutcome::Result::written:
        break;
    }
    std::string text =
        "Exported " + counted(outcome.sessions, "session", "sessions") + " to " + target + ".";
    if (outcome.damaged > 0) {
        text += ' ' + counted(outcome.damaged, "damaged record was", "damaged records were");
        text += " left out.";
    }
    return text;
}

std::string failureNotice(const std::string& report) {
    return "Something went wrong: " + report;
}

std::string exportFileName(const LocalTime& today) {
    return "Quillmarten-" + isoDateText(today.date) + ".csv";
}

} // namespace quillmarten
