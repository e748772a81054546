#pragma once

#include "basics/date_time.h"
#include "log_file/file_system.h"
#include "metering/event_log.h"
#include "metering/report_throttle.h"
#include "metering/tracker_ports.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmarten {

// Keeps the days file of the running session: its beginning, then, whenever a tick's local date
// differs from the last tick's (midnight, a sleep or a frozen process across it, the clock set
// forward or back across it), the record as the last tick left it, before the new tick counts or
// writes anything. Every counted second thus lies on the day of the tick that counted it, and a
// kill between the two writes attributes nothing twice. Nothing is written while the date stays
// the same. A snapshot that cannot be written waits, in order, and is tried again once a second;
// failures are reported like the log's, and none stops the metering.
class DaySnapshots {
  public:
    DaySnapshots(FileSystem& files, Clock& clock, EventWriter& events, std::string daysPath);

    // The session begins with this record, its start as its stop and no time in use.
    void begin(const CalendarDate& date, const std::string& record);
    // Every tick, with the record it is about to write.
    void onTick(const CalendarDate& date, const std::string& record);

  private:
    void writeWaiting(std::string_view origin);

    FileSystem& files_;
    Clock& clock_;
    EventWriter& events_;
    std::string path_;
    CalendarDate lastDate_;
    std::string lastRecord_;
    std::vector<std::string> waiting_;
    std::optional<std::int64_t> lastAttempt_; // steady second
    ReportThrottle reports_;
};

} // namespace quillmarten
