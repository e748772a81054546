#include "report/log_report.h"

#include "report/days_file_join.h"
#include "report/report_rows.h"

#include "basics/calendar.h"
#include "basics/error_report.h"
#include "log_file/session_log_file.h"
#include "log_file/session_reader.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quillmarten {

namespace {

// The first reading of a log: says what is damaged.
class CheckedListing : public LogListing, public SessionSink {
  public:
    CheckedListing(std::unique_ptr<File> file, const std::string& path, std::ostream& err)
        : file_(std::move(file)), path_(path), err_(err) {}

    void damaged(std::int64_t slot, const std::string& reason) override {
        err_ << path_ << ": record " << slot << ": " << reason << '\n';
        status_ = report_exit::damagedRecords;
    }
    int status() const override { return status_; }

    // As far as the file reached when it was opened: one that grows faster than it is read
    // would otherwise never end.
    void readWhole() { readSessions(*file_, *this, file_->status().size); }

  protected:
    // A file that fails when read again has given part of its rows; it is said as at first.
    template <typename Read> void readAgain(Read read) {
        try {
            read(*file_);
        } catch (const RaisedError& error) {
            // A table reads its rows twice; the failure is said once.
            if (status_ != report_exit::failed) {
                err_ << path_ << ": cannot be read: " << error.description() << '\n';
            }
            status_ = report_exit::failed;
        }
    }

  private:
    std::unique_ptr<File> file_;
    std::string path_;
    std::ostream& err_;
    int status_ = report_exit::complete;
};

// Hands on the well-formed sessions that meet the days; damaged records were said already.
template <typename Visit> class MeetingSessions final : public SessionSink {
  public:
    MeetingSessions(DayRange days, Visit visit) : days_(days), visit_(visit) {}
    void session(const StoredSession& session) override {
        if (DaySplit(session).meets(days_)) {
            visit_(session);
        }
    }
    void damaged(std::int64_t, const std::string&) override {}

  private:
    DayRange days_;
    Visit visit_;
};

// The sessions that meet the days of the report, whole, in time order.
class SessionListing final : public CheckedListing {
  public:
    SessionListing(std::unique_ptr<File> file, const std::string& path, std::ostream& err,
                   DayRange days)
        : CheckedListing(std::move(file), path, err), days_(days) {}

    void session(const StoredSession& session) override {
        if (!DaySplit(session).meets(days_)) {
            return;
        }
        inOrder_ = inOrder_ && (!last_ || startOf(*last_) <= startOf(session));
        last_ = session;
    }

    void write(ReportWriter& writer) override {
        std::int64_t seconds = 0;
        const auto writeRow = [&](const StoredSession& session) {
            writer.row(sessionRow(session));
            seconds += session.seconds;
        };
        if (inOrder_) {
            forEachSession(writeRow);
        } else {
            for (const StoredSession& session : sortedSessions()) {
                writeRow(session);
            }
        }
        writer.machineTotal(sessionsTotalRow(seconds));
    }

  private:
    static std::int64_t startOf(const StoredSession& session) {
        return wallClockSeconds(session.start);
    }

    // The sessions of the first reading, read again but for the last, which is given as the
    // first reading saw it: the service rewrites its last record all the time, the others never.
    template <typename Visit> void forEachSession(Visit visit) {
        if (!last_) {
            return;
        }
        readAgain([&](File& file) {
            MeetingSessions<Visit&> sessions(days_, visit);
            readSessions(file, sessions, slotEnd(last_->slot - 1));
            visit(*last_);
        });
    }

    // Kept once made: a table writes its rows twice.
    const std::vector<StoredSession>& sortedSessions() {
        if (!sorted_) {
            sorted_.emplace();
            forEachSession([this](const StoredSession& session) { sorted_->push_back(session); });
            std::stable_sort(sorted_->begin(), sorted_->end(),
                             [](const auto& a, const auto& b) { return startOf(a) < startOf(b); });
        }
        return *sorted_;
    }

    DayRange days_;
    bool inOrder_ = true;
    std::optional<StoredSession> last_;
    std::optional<std::vector<StoredSession>> sorted_;
};

// The days file is read along with the log: each session comes with its snapshots.
class PeriodListing final : public CheckedListing {
  public:
    PeriodListing(std::unique_ptr<File> file, const std::string& path, std::ostream& err,
                  const ReportOptions& options, FileSystem& files)
        : CheckedListing(std::move(file), path, err), kind_(*options.periods),
          totals_(kind_, options.days), daysFile_(files, path, err) {}

    void session(const StoredSession& session) override {
        totals_.add(SessionDays(session, daysFile_.snapshotsOf(session)));
    }
    int status() const override {
        return std::max(CheckedListing::status(),
                        daysFile_.allRead() ? report_exit::complete : report_exit::damagedRecords);
    }

    void write(ReportWriter& writer) override {
        PeriodTotal all{0, totals_.sessionsWithTime()};
        for (const auto& [period, total] : totals_.periods()) {
            writer.row(periodRow(periodText(period, kind_), total));
            all.seconds += total.seconds;
            all.estimatedSeconds += total.estimatedSeconds;
        }
        writer.machineTotal(periodRow(std::string(totalLabel), all));
    }

  private:
    PeriodKind kind_;
    PeriodTotals totals_;
    DaysFileJoin daysFile_;
};

std::unique_ptr<CheckedListing> listingFor(const LogInput& log, const ReportOptions& options,
                                           FileSystem& files, std::ostream& err) {
    auto file = files.openReadOnly(log.path);
    if (options.periods) {
        return std::make_unique<PeriodListing>(std::move(file), log.path, err, options, files);
    }
    return std::make_unique<SessionListing>(std::move(file), log.path, err, options.days);
}

} // namespace

std::unique_ptr<LogListing> readLog(const LogInput& log, const ReportOptions& options,
                                    FileSystem& files, std::ostream& err) {
    try {
        auto listing = listingFor(log, options, files, err);
        listing->readWhole();
        return listing;
    } catch (const RaisedError& error) {
        err << log.path << ": cannot be read: " << error.description() << '\n';
        return nullptr;
    }
}

} // namespace quillmarten
