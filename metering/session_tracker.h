#pragma once

#include "program_version.h"
#include "record_file.h"
#include "service/service_host.h"
#include "session_log_file.h"
#include "time_counters.h"
#include "tracker_ports.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillmarten {

struct TrackerPorts {
    Clock& clock;
    SessionList& LV;
    MainWindow& frmHourMeter;
    TrayPresence& tray;
    TaskbarProbe& taskbar;
    Timer& Timer1;
    Timer& Timer2;
    EventWriter& events;
    FileSystem& files;
};

// Loads the history, opens the running session's record and keeps it, the last list row and
// the caption up to date on every tick. Failures become error reports in the event log.
class SessionTracker {
  public:
    SessionTracker(const TrackerPorts& ports, std::string logPath, const ProgramVersion& version);

    // Start of metering, once per process.
    void Inizializza();
    // Rewrites the running session's record, the last row and the caption.
    void Aggiorna();
    // The metering tick, every 500 ms while Timer1 is enabled.
    void Timer1_Timer();
    // The one-shot hide, 30 s after the main window was loaded.
    void Timer2_Timer();

    std::int32_t currentRecordNumber() const { return currentRecordNumber_; }
    const std::string& sessionElapsed() const { return sessionElapsed_; }
    int lastSecondSeen() const { return lastSecondSeen_; }
    TimeCounters& counters() { return counters_; }

  private:
    void openSession();
    void loadHistory(SessionLogFile& file);
    void loadRecord(const StoredRecord& record);
    void addToTotals(std::string_view record);
    std::int32_t addRecordRow(const std::string& record);
    void showRecord(std::int32_t row, std::string_view record);
    void reportError(const RaisedError& error, std::string_view routine);
    void reportRewriteFailure(const RaisedError& error);

    TrackerPorts ports_;
    std::string logPath_;
    std::string captionPrefix_;
    TimeCounters counters_;
    std::int32_t currentRecordNumber_ = 0;
    std::string sessionStartStamp_;
    std::string sessionElapsed_;
    int lastSecondSeen_ = 0;
    bool sessionRecordWritten_ = false;
    std::optional<std::int32_t> reportedRewriteError_;
};

} // namespace quillmarten
