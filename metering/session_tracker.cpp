#include "session_tracker.h"

#include "session_row.h"
#include "text_forms.h"

#include <utility>

namespace quillmarten {

namespace {

constexpr std::string_view zeroElapsed = "0000000000";
// A record holds 38 characters, so the stored time in use stops at the largest count that
// fits; the counters themselves and the caption go on.
constexpr std::string_view largestStoredElapsed = "9999235959";

std::string storedElapsedField(std::string_view durationText) {
    std::string field = withoutColons(durationText);
    return field.size() > zeroElapsed.size() ? std::string(largestStoredElapsed) : field;
}

} // namespace

SessionTracker::SessionTracker(const TrackerPorts& ports, std::string logPath,
                               const ProgramVersion& version)
    : ports_(ports), logPath_(std::move(logPath)),
      captionPrefix_(versionCaption(version) + " - At work since ") {}

void SessionTracker::Inizializza() {
    try {
        ports_.LV.clear();
        openSession();
        counters_.CalcolaTotale();
        ports_.tray.Icon_To_Tray();
        lastSecondSeen_ = ports_.clock.now().second;
        ports_.Timer1.setEnabled(true);
    } catch (const RaisedError& error) {
        reportError(error, "Inizializza");
    }
}

// Reads the history and writes the new session's record within one opening of the file.
void SessionTracker::openSession() {
    SessionLogFile file(ports_.files, logPath_);
    if (file.length() > 0) {
        loadHistory(file);
    }
    ++currentRecordNumber_;
    sessionElapsed_ = zeroElapsed;
    sessionStartStamp_ = dateTimeStamp(ports_.clock.now());
    const std::string record = sessionStartStamp_ + sessionStartStamp_ + sessionElapsed_;
    file.writeRecord(currentRecordNumber_, record);
    sessionRecordWritten_ = true;
    const std::int32_t row = addRecordRow(record);
    ports_.LV.selectRow(row);
    ports_.LV.scrollIntoView(row);
}

void SessionTracker::loadHistory(SessionLogFile& file) {
    while (!file.endOfFile()) {
        ++currentRecordNumber_;
        loadRecord(file.readRecord(currentRecordNumber_));
    }
}

// A damaged record is reported and listed as far as it could be read, but never counted, so
// that one bad byte neither ends the load nor stops this session from being metered.
void SessionTracker::loadRecord(const StoredRecord& record) {
    if (record.damage) {
        reportError(*record.damage, "Inizializza");
    }
    if (record.text.empty()) {
        return;
    }
    addRecordRow(record.text);
    if (!record.damage) {
        addToTotals(record.text);
    }
}

// A record counts whole or not at all: a field that fails half-way takes back what it added.
void SessionTracker::addToTotals(std::string_view record) {
    const Counters before = counters_.totals();
    try {
        counters_.TotalizzaTempo(elapsedFieldOf(record));
    } catch (const RaisedError& error) {
        counters_.setTotals(before);
        reportError(error, "Inizializza");
    }
}

std::int32_t SessionTracker::addRecordRow(const std::string& record) {
    const std::int32_t row = ports_.LV.addRow(startTimeText(record));
    showRecord(row, record);
    return row;
}

void SessionTracker::showRecord(std::int32_t row, std::string_view record) {
    ports_.LV.setSubItem(row, 1, stopTimeText(record));
    ports_.LV.setSubItem(row, 2, timeInUseText(record));
}

// Without a record of its own (a start that failed before writing it) a session may still
// count and show its time, but it never writes into the log file.
void SessionTracker::Aggiorna() {
    try {
        if (sessionRecordWritten_) {
            const std::string record =
                sessionStartStamp_ + dateTimeStamp(ports_.clock.now()) + sessionElapsed_;
            SessionLogFile(ports_.files, logPath_).writeRecord(currentRecordNumber_, record);
            reportedRewriteError_.reset();
            const std::int32_t rows = ports_.LV.rowCount();
            if (rows > 0) {
                showRecord(rows, record);
            }
        }
        ports_.frmHourMeter.setCaption(captionPrefix_ + counters_.totalText());
    } catch (const RaisedError& error) {
        reportRewriteFailure(error);
    }
}

// A lasting failure would otherwise fill the event log at two entries a second: the same
// error is reported again only after a rewrite has succeeded in between.
void SessionTracker::reportRewriteFailure(const RaisedError& error) {
    if (reportedRewriteError_ == error.number()) {
        return;
    }
    reportedRewriteError_ = error.number();
    reportError(error, "Aggiorna");
}

void SessionTracker::reportError(const RaisedError& error, std::string_view routine) {
    ports_.events.WriteEvent(event_type::error, event_id::errorReport,
                             errorReportText(error, routine));
}

void SessionTracker::Timer1_Timer() {
    const int second = ports_.clock.now().second;
    if (second != lastSecondSeen_) {
        lastSecondSeen_ = second;
        sessionElapsed_ = storedElapsedField(counters_.Elapsed());
    }
    Aggiorna();
    if (ports_.taskbar.taskbarExists()) {
        ports_.tray.Icon_To_Tray();
    }
}

void SessionTracker::Timer2_Timer() {
    if (ports_.frmHourMeter.isVisible()) {
        ports_.frmHourMeter.setVisible(false);
    }
    ports_.Timer2.setEnabled(false);
}

} // namespace quillmarten
