#pragma once

#include "duration.h"
#include "event_log.h"
#include "program_version.h"
#include "record_file.h"
#include "report_throttle.h"
#include "session_history.h"
#include "session_log_file.h"
#include "tracker_ports.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillmarten {

struct TrackerPorts {
    Clock& clock;
    SessionListView& sessionList;
    MainWindow& mainWindow;
    TrayPresence& tray;
    TaskbarProbe& taskbar;
    Timer& meterTimer;
    Timer& hideTimer;
    EventWriter& events;
    FileSystem& files;
};

// Meters the running session: loads the history into the list and the grand total, places the
// session's record two slots past the last, and on every tick counts the session's seconds,
// rewrites its record and refreshes its row and the caption. Failures become error reports;
// none of them stops the metering.
class SessionTracker {
  public:
    // The tracker fills `history` with the stored sessions and the running one, for the list.
    SessionTracker(const TrackerPorts& ports, SessionHistory& history, std::string logPath,
                   const ProgramVersion& version);

    // The start of metering, once per process.
    void start();
    // Every 500 ms while the meter timer runs: counts a second when the clock's second has
    // changed, then keeps the record, the list and the caption up to date.
    void onMeterTick();
    // Once, 30 s after the main window was loaded.
    void onHideTimer();

  private:
    void openSession(const std::string& record);
    std::int64_t loadHistory(SessionLogFile& file);
    void reportDamage(std::int64_t number, const RecordSlot& slot);
    void retryOpeningSession(const std::string& record);
    void rewriteRecord(const std::string& record);
    void showSession(const std::string& record);
    void report(const RaisedError& error, std::string_view origin, ReportThrottle& throttle);

    TrackerPorts ports_;
    SessionHistory& history_;
    std::string logPath_;
    std::string captionPrefix_;
    Duration historyTotal_;
    Duration sessionTime_;
    std::string startStamp_;
    int lastSecondSeen_ = 0;
    std::optional<std::int64_t> recordNumber_;
    std::int64_t lastOpeningAttempt_ = 0;
    bool historyReported_ = false;
    int damageReports_ = 0;
    ReportThrottle startReports_;
    ReportThrottle rewriteReports_;
};

} // namespace quillmarten
