#include "log_report.h"

#include "report_rows.h"

#include "history/calendar.h"
#include "history/session_reader.h"
#include "metering/error_report.h"

#include <algorithm>

namespace quillmarten {

namespace {

// What one log gives the report, gathered while the log is read and written after.
class LogListing : public SessionSink {
  public:
    LogListing(const std::string& path, std::ostream& err) : path_(path), err_(err) {}

    void damaged(std::int64_t record, const std::string& reason) override {
        err_ << path_ << ": record " << record << ": " << reason << '\n';
        anyDamaged_ = true;
    }
    bool anyDamaged() const { return anyDamaged_; }

    // The rows of the log, after the writer has been told its machine.
    virtual void write(ReportWriter& writer) = 0;

  private:
    const std::string& path_;
    std::ostream& err_;
    bool anyDamaged_ = false;
};

// The sessions that meet the days of the report, whole.
class SessionListing final : public LogListing {
  public:
    SessionListing(const std::string& path, std::ostream& err, DayRange days)
        : LogListing(path, err), days_(days) {}

    void session(const StoredSession& session) override {
        if (DaySplit(session).meets(days_)) {
            sessions_.push_back(session);
        }
    }

    void write(ReportWriter& writer) override {
        std::stable_sort(sessions_.begin(), sessions_.end(), [](const auto& a, const auto& b) {
            return wallClockSeconds(a.start) < wallClockSeconds(b.start);
        });
        std::int64_t seconds = 0;
        for (const StoredSession& session : sessions_) {
            writer.row(sessionRow(session));
            seconds += session.seconds;
        }
        writer.machineTotal(sessionsTotalRow(seconds));
    }

  private:
    DayRange days_;
    std::vector<StoredSession> sessions_;
};

class PeriodListing final : public LogListing {
  public:
    PeriodListing(const std::string& path, std::ostream& err, PeriodKind kind, DayRange days)
        : LogListing(path, err), kind_(kind), totals_(kind, days) {}

    void session(const StoredSession& session) override { totals_.add(session); }

    void write(ReportWriter& writer) override {
        PeriodTotal all{0, totals_.sessionsWithTime()};
        for (const auto& [period, total] : totals_.periods()) {
            writer.row(periodRow(periodText(period, kind_), total));
            all.seconds += total.seconds;
        }
        writer.machineTotal(periodRow(std::string(totalLabel), all));
    }

  private:
    PeriodKind kind_;
    PeriodTotals totals_;
};

std::unique_ptr<LogListing> listingFor(const LogInput& log, const ReportOptions& options,
                                       std::ostream& err) {
    if (options.periods) {
        return std::make_unique<PeriodListing>(log.path, err, *options.periods, options.days);
    }
    return std::make_unique<SessionListing>(log.path, err, options.days);
}

} // namespace

int reportLog(const LogInput& log, const ReportOptions& options, FileSystem& files,
              ReportWriter& writer, std::ostream& err) {
    try {
        const auto listing = listingFor(log, options, err);
        readSessions(files, log.path, *listing);
        writer.machine(log.machine);
        listing->write(writer);
        return listing->anyDamaged() ? report_exit::damagedRecords : report_exit::complete;
    } catch (const RaisedError& error) {
        err << log.path << ": cannot be read: " << error.description() << '\n';
        return report_exit::failed;
    }
}

} // namespace quillmarten
