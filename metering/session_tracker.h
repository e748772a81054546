#pragma once

#include "basics/duration.h"
#include "basics/program_version.h"
#include "log_file/session_log_file.h"
#include "metering/day_snapshots.h"
#include "metering/event_log.h"
#include "metering/meter_reading.h"
#include "metering/report_throttle.h"
#include "metering/session_rows.h"
#include "metering/tracker_ports.h"

#include <cstdint>
#include <map>
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

// Why the running session's record had to be placed again.
enum class RecordMove : std::uint8_t {
    logReplaced, // another file took the log's name
    logDeleted,  // the log was gone, and was made anew
    logCutShort, // the log no longer reaches the end of the record's slot
    overwritten, // the record's slot holds something else
};

// Meters the running session: loads the log's sessions into the list and the grand total, places
// the session's record two slots past the last, and on every tick counts the session's seconds,
// rewrites its record and refreshes its row and the caption; the days file beside the log keeps
// the day of every counted second. Failures become error reports; none of them stops the
// metering. While the record's slot holds this session's start, the file is the session's log,
// whatever brought it there; should the slot hold anything else, the log is read again once it
// has stopped changing, and the session goes where its record is found, or behind whatever the
// log holds then.
class SessionTracker {
  public:
    // The tracker fills `rows` with the stored sessions and the running one, for the list.
    SessionTracker(const TrackerPorts& ports, SessionRows& rows, std::string logPath,
                   const ProgramVersion& version);

    // The start of metering, once per process.
    void start();
    // Every 500 ms while the meter timer runs: counts a second when the clock's second has
    // changed, then keeps the record, the list and the caption up to date.
    void onMeterTick();
    // Once, 30 s after the main window was loaded.
    void onHideTimer();

    // Raises overflow (error 6) when the grand total no longer fits, as the caption does.
    MeterReading reading() const;

  private:
    // Where the record went: its slot, in which file.
    struct PlacedRecord {
        std::int64_t slot;
        FileIdentity file;
    };
    // What the last reading of the log found: while the file stays as it was, a record
    // that waits for its place needs no second reading.
    struct LogReading {
        FileStatus status;
        std::int64_t slots;
        std::optional<std::int64_t> ownSlot; // where a reading during the run found the session
    };
    // How the log stands since the last reading.
    enum class LogChange : std::uint8_t {
        none,    // as the last reading found it
        settled, // to be read: the first reading, or a change that two looks found the same
        ongoing, // changed since the last look: another program may still be writing it
    };

    void placeRecord(const std::string& record);
    LogChange logChange(const FileStatus& status);
    void readLog(SessionLogFile& file, const FileStatus& status);
    bool readLogReadOnly();
    void reportDamage(std::int64_t slot, const Record& record);
    void reportDamageNotInFull();
    void placeSession(SessionLogFile& file, const std::string& record);
    void rememberTakenBack(SessionLogFile& file) noexcept;
    void listWithSession(const std::string& record);
    void retryPlacing(const std::string& record);
    void keepRecord(const std::string& record);
    RecordMove recordMove(const FileStatus& status) const;
    void showSession(const std::string& record);
    void reportPlacing(const RaisedError& error);
    void report(const RaisedError& error, std::string_view origin, ReportThrottle& throttle);

    TrackerPorts ports_;
    SessionRows& rows_;
    std::string logPath_;
    DaySnapshots daySnapshots_;
    std::string captionPrefix_;
    Duration storedTotal_;
    Duration sessionTime_;
    std::string startStamp_;
    std::int64_t startUnixSeconds_ = 0;
    int lastSecondSeen_ = 0;
    std::optional<PlacedRecord> placed_;
    std::optional<LogReading> lastReading_;
    std::optional<FileStatus> changedFile_; // how the last look found a log that had changed
    std::optional<RecordMove> pendingMove_;
    std::int64_t lastPlacingAttempt_ = 0;
    bool logReadBefore_ = false;
    std::int64_t damagedRecords_ = 0;
    bool recordWriteFailed_ = false;
    int damageReports_ = 0;
    std::map<std::int32_t, int> damageNotInFull_; // how many by error number
    ReportThrottle startReports_;
    ReportThrottle rewriteReports_; // a successful write ends their incident
    ReportThrottle tickReports_;    // failures of the tick that no write ends
};

} // namespace quillmarten
