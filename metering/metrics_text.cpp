#include "metering/metrics_text.h"

namespace quillmarten {

namespace {

void addMetric(std::string& text, std::string_view name, std::string_view type,
               std::string_view help, std::int64_t value) {
    text.append("# HELP ").append(name).append(" ").append(help).append("\n");
    text.append("# TYPE ").append(name).append(" ").append(type).append("\n");
    text.append(name).append(" ").append(std::to_string(value)).append("\n");
}

} // namespace

std::string metricsText(const MeterReading& reading, MeterState state) {
    std::string text;
    addMetric(text, "quillmarten_time_in_use_seconds_total", "counter",
              "Time this computer was in use, in all the sessions of its log.",
              secondsOf(reading.grandTotal));
    addMetric(text, "quillmarten_session_time_in_use_seconds", "gauge",
              "Time in use of the running session.", secondsOf(reading.sessionTime));
    addMetric(text, "quillmarten_session_start_timestamp_seconds", "gauge",
              "When the running session started, in seconds since 1970-01-01 UTC.",
              reading.sessionStartUnixSeconds);
    addMetric(text, "quillmarten_meter_running", "gauge",
              "Whether the meter counts (1) or is paused (0).", state == MeterState::running);
    addMetric(text, "quillmarten_log_damaged_records", "gauge",
              "Damaged records in the log, listed but not counted.", reading.damagedRecords);
    addMetric(text, "quillmarten_log_write_failed", "gauge",
              "Whether the last write of the session's record to the log failed (1) or not (0).",
              reading.recordWriteFailed);
    return text;
}

} // namespace quillmarten
