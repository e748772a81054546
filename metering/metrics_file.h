#pragma once

#include "log_file/file_system.h"
#include "metering/event_log.h"
#include "metering/metrics_text.h"
#include "metering/report_throttle.h"
#include "metering/session_tracker.h"
#include "metering/tracker_ports.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

struct MetricsPorts {
    FileSystem& files;
    EventWriter& events;
    Clock& clock;
    Timer& minuteTimer;
};

// Keeps quillmarten.prom, the meter in Prometheus' text format, in the folder that a monitoring
// agent's text-file collector publishes: written whole when metering starts, on every pause and
// continue, and every minute while the meter runs, never on the tick. A failure to write it is
// reported once an hour while it lasts and stops nothing else. Without a folder it writes
// nothing, ever, and its timer stays off.
class MetricsFile {
  public:
    static constexpr std::string_view fileName = "quillmarten.prom";

    MetricsFile(const MetricsPorts& ports, const SessionTracker& tracker);

    // Once, when metering has started, with the folder the service's settings name.
    void start(const std::optional<std::string>& folder);
    void switchTo(MeterState state);
    void onMinuteTimer();

  private:
    void write();

    MetricsPorts ports_;
    const SessionTracker& tracker_;
    std::optional<std::string> path_;
    MeterState state_ = MeterState::running;
    ReportThrottle reports_;
};

} // namespace quillmarten
