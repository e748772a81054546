#include "basics/calendar.h"
#include "doubles/memory_file_system.h"
#include "doubles/record_bytes.h"
#include "doubles/report_days.h"
#include "history/day_split.h"
#include "history/period_totals.h"
#include "log_file/days_file.h"
#include "log_file/session_reader.h"
#include "log_file/session_record.h"
#include "report/csv_writer.h"
#include "report/log_report.h"
#include "report/report_command.h"
#include "report/report_options.h"
#include "report/report_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

StoredSession session(LocalTime start, LocalTime stop, std::int64_t seconds) {
    return StoredSession{1, start, stop, seconds};
}

// "2026-12-31=1800 2027-01-01=1800": the days as the split walks them, with their seconds;
// checked against every day of the span that gets time.
std::string shares(const StoredSession& stored) {
    const DaySplit split(stored);
    std::string walked;
    std::string everyDay;
    const auto add = [](std::string& text, std::int64_t day, std::int64_t seconds) {
        text += (text.empty() ? "" : " ");
        text += isoDateText(dateOfDay(day)) + "=" + std::to_string(seconds);
    };
    split.forEachDayWithTime(DayRange{},
                             [&](auto day, auto seconds) { add(walked, day, seconds); });
    for (std::int64_t day = split.firstDay(); day <= split.lastDay(); ++day) {
        if (split.secondsOn(day) > 0) {
            add(everyDay, day, split.secondsOn(day));
        }
    }
    EXPECT_EQ(walked, everyDay);
    return walked;
}

TEST(History, PeriodsAroundYearEndsAndLeapDays) {
    const std::vector<std::tuple<CalendarDate, PeriodKind, std::string>> cases{
        {{2026, 12, 31}, PeriodKind::week, "2026-W53"},
        {{2027, 1, 3}, PeriodKind::week, "2026-W53"},
        {{2027, 1, 4}, PeriodKind::week, "2027-W01"},
        {{2024, 12, 30}, PeriodKind::week, "2025-W01"},
        {{2024, 2, 29}, PeriodKind::day, "2024-02-29"},
        {{2024, 2, 29}, PeriodKind::month, "2024-02"},
    };
    for (const auto& [date, kind, text] : cases) {
        EXPECT_EQ(periodText(periodOfDay(dayNumber(date), kind), kind), text);
    }
}

TEST(History, TimeInUseFollowsTheSpanOverDaysAndAddsUpExactly) {
    const std::vector<std::pair<StoredSession, std::string>> cases{
        // Paused half the time: the pause is spread over both days.
        {session({{2026, 12, 31}, 23, 0, 0}, {{2027, 1, 1}, 1, 0, 0}, 3600),
         "2026-12-31=1800 2027-01-01=1800"},
        // A stop at midnight reaches no second of the next day.
        {session({{2026, 12, 1}, 22, 0, 0}, {{2026, 12, 2}, 0, 0, 0}, 7200), "2026-12-01=7200"},
        {session({{2026, 12, 2}, 8, 0, 0}, {{2026, 12, 1}, 9, 0, 0}, 600), "2026-12-02=600"},
        // Thirds of 100 seconds over a leap day: the running sums 33, 67, 100 give 33, 34, 33.
        {session({{2024, 2, 28}, 0, 0, 0}, {{2024, 3, 2}, 0, 0, 0}, 100),
         "2024-02-28=33 2024-02-29=34 2024-03-01=33"},
        // Fewer seconds than days: the running sums 0.3, 0.6 ... 3 rounded, 1.5 up to 2.
        {session({{2026, 12, 1}, 0, 0, 0}, {{2026, 12, 11}, 0, 0, 0}, 3),
         "2026-12-02=1 2026-12-05=1 2026-12-09=1"},
        {session({{2026, 12, 1}, 12, 0, 0}, {{2026, 12, 4}, 12, 0, 0}, 2),
         "2026-12-02=1 2026-12-03=1"},
        // Each half second of a share is passed just after a midnight: the new day gets it.
        {session({{2026, 12, 1}, 0, 0, 0}, {{2026, 12, 5}, 0, 0, 2}, 2),
         "2026-12-02=1 2026-12-04=1"},
    };
    for (const auto& [stored, expected] : cases) {
        EXPECT_EQ(shares(stored), expected);
    }
    // Days without time, looked at in a session of as many seconds as days, make no period.
    PeriodTotals totals(PeriodKind::day, DayRange{});
    totals.add(SessionDays(session({{2026, 12, 1}, 23, 59, 59}, {{2026, 12, 3}, 0, 0, 1}, 3)));
    EXPECT_EQ(totals.periods().size(), 1u);
}

// A session costs the days that get time, never every day of its span: the longest span a record
// holds, with an hour in use, walks 3,600 days of its 3 million.
TEST(History, ASessionCostsOnlyItsDaysWithTimeAndItsSharesStayExact) {
    const LocalTime first{{1601, 1, 1}, 0, 0, 0};
    const LocalTime last{{9999, 12, 31}, 23, 59, 59};
    for (const auto& [seconds, days, most] : std::vector<std::tuple<std::int64_t, int, int>>{
             {3600, 3600, 1}, {863'999'999, 3'067'671, 282}}) {
        std::int64_t walked = 0;
        std::int64_t sum = 0;
        std::int64_t largest = 0;
        DaySplit(session(first, last, seconds))
            .forEachDayWithTime(DayRange{}, [&](std::int64_t, std::int64_t onDay) {
                ++walked;
                sum += onDay;
                largest = std::max(largest, onDay);
            });
        EXPECT_EQ(walked, days);
        EXPECT_EQ(sum, seconds);
        EXPECT_LE(largest, most);
    }
}

// The header of each CSV table, and the rows of a.dat's sessions after their machine and number.
const std::string bySession = "machine,session,start,stop,seconds,time_in_use\r\n";
const std::string byDay = "machine,day,seconds,time_in_use,sessions,estimated_seconds\r\n";
const std::string a1 = "2026-12-31T23:00:00,2027-01-01T01:00:00,3600,0000:01:00:00\r\n";
const std::string a3 = "2027-01-01T08:00:00,2027-01-01T09:30:00,5400,0000:01:30:00\r\n";

struct Outcome {
    int status;
    std::string out;
    std::string err;
    bool operator==(const Outcome&) const = default;
    friend void PrintTo(const Outcome& outcome, std::ostream* to) {
        *to << outcome.status << " \"" << outcome.out << "\" \"" << outcome.err << '"';
    }
};

class Report : public ::testing::Test {
  protected:
    Report() {
        files.contents("a.dat") = record("20261231230000", "20270101010000", "0000010000") + gap +
                                  record("20270101080000", "20270101093000", "0000013000");
        files.contents("b.dat") = record("20270104100000", "20270104100030", "0000000030");
    }
    Outcome run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runReport(arguments, files, out, err);
        return Outcome{status, out.str(), err.str()};
    }

    MemoryFileSystem files;
};

// Names are quoted and escaped as CSV and JSON need. By session the days choose whole sessions;
// by period they keep the time on them. The exit status says whether every record was read.
TEST_F(Report, WritesWhatItIsAskedOrSaysWhyNot) {
    const std::string b1 = "1,2027-01-04T10:00:00,2027-01-04T10:00:30,30,0000:00:00:30\r\n";
    const auto usage = [](const std::string& problem) {
        return "quillmarten-report: " + problem + "\n" + std::string(reportUsage);
    };
    files.contents("d.dat") = files.contents("b.dat") + encodeRecord("2026");
    const std::vector<std::pair<std::vector<std::string>, Outcome>> cases{
        {{"--by", "day", "--format", "csv", "big \"office\", 2=a.dat"},
         {0,
          byDay + "\"big \"\"office\"\", 2\",2026-12-31,1800,0000:00:30:00,1,1800\r\n"
                  "\"big \"\"office\"\", 2\",2027-01-01,7200,0000:02:00:00,2,7200\r\n",
          ""}},
        {{"--format", "csv", "lone\rreturn=b.dat"}, {0, bySession + "\"lone\rreturn\"," + b1, ""}},
        {{"--format", "json", "--by", "week", "caf\xC3\xA9\t\xFF=b.dat"},
         {0,
          "[\n  {\"machine\":\"caf\xC3\xA9\\u0009\\ufffd\",\"week\":\"2027-W01\","
          "\"seconds\":30,\"time_in_use\":\"0000:00:00:30\",\"sessions\":1,"
          "\"estimated_seconds\":30}\n]\n",
          ""}},
        {{"--to", "2026-12-31", "--format", "csv", "a.dat", "b.dat"},
         {0, bySession + "a.dat,1," + a1, ""}},
        {{"--by", "day", "--from", "2027-01-01", "--to", "2027-01-01", "--format", "csv", "a.dat",
          "b.dat"},
         {0, byDay + "a.dat,2027-01-01,7200,0000:02:00:00,2,7200\r\n", ""}},
        {{"--format", "csv", "a.dat", "absent.dat", "d.dat"},
         {2, bySession + "a.dat,1," + a1 + "a.dat,3," + a3 + "d.dat," + b1,
          "absent.dat: cannot be read: Path not found\nd.dat: record 2: a length of 4 instead of "
          "38\n"}},
        {{}, {2, "", usage("no log file given")}},
        {{"--from", "2026-02-29", "a.dat"},
         {2, "", usage("--from takes a date as YYYY-MM-DD, not '2026-02-29'")}},
        {{"--from", "2026-12-02", "--to", "2026-12-01", "a.dat"},
         {2, "", usage("--from is after --to")}},
        {{"--version"}, {0, "quillmarten-report 1.0.45\n", ""}}};
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(run(arguments), expected);
    }
}

// Rows are written as the log is read again when its sessions are in time order; a log out of
// order is sorted, sessions that start together staying in file order. The table aligns its
// columns and ends each machine with its total.
TEST_F(Report, SessionsComeInTimeOrderWhicheverOrderTheLogHoldsWithATotalPerMachine) {
    const std::string early = record("20261230080000", "20261230081000", "0000001000");
    const std::string alongsideThird = record("20270101080000", "20270101080500", "0000000500");
    files.contents("c.dat") =
        files.contents("a.dat") + gap + early + encodeRecord("2026") + alongsideThird;
    files.contents("d.dat") = files.contents("a.dat") + encodeRecord("2026") + alongsideThird;
    const std::string third = "2027-01-01T08:00:00,2027-01-01T08:05:00,300,0000:00:05:00\r\n";
    EXPECT_EQ(run({"--format", "csv", "c.dat", "d.dat"}),
              (Outcome{1,
                       bySession +
                           "c.dat,5,2026-12-30T08:00:00,2026-12-30T08:10:00,600,0000:00:10:00\r\n"
                           "c.dat,1," +
                           a1 + "c.dat,3," + a3 + "c.dat,7," + third + "d.dat,1," + a1 +
                           "d.dat,3," + a3 + "d.dat,5," + third,
                       "c.dat: record 6: a length of 4 instead of 38\n"
                       "d.dat: record 4: a length of 4 instead of 38\n"}));
    EXPECT_EQ(
        run({"office=c.dat", "b.dat"}).out,
        "machine  session  start                stop                 seconds  time_in_use\n"
        "office         5  2026-12-30T08:00:00  2026-12-30T08:10:00      600  0000:00:10:00\n"
        "office         1  2026-12-31T23:00:00  2027-01-01T01:00:00     3600  0000:01:00:00\n"
        "office         3  2027-01-01T08:00:00  2027-01-01T09:30:00     5400  0000:01:30:00\n"
        "office         7  2027-01-01T08:00:00  2027-01-01T08:05:00      300  0000:00:05:00\n"
        "office     total                                               9900  0000:02:45:00\n"
        "b.dat          1  2027-01-04T10:00:00  2027-01-04T10:00:30       30  0000:00:00:30\n"
        "b.dat      total                                                 30  0000:00:00:30\n");
}

// The service rewrites its last record and appends while the report reads the log again: the
// rows are those the first reading found, the last as it was then.
TEST_F(Report, RowsAreThoseOfTheFirstReadingWhileTheServiceWritesOn) {
    std::ostringstream err;
    const auto listing = readLog(LogInput{"office", "a.dat"}, ReportOptions{}, files, err);
    files.contents("a.dat").replace(80, 40,
                                    record("20270101080000", "20270101100000", "0000020000"));
    files.contents("a.dat") += gap + files.contents("b.dat");
    std::ostringstream out;
    CsvWriter writer(reportColumns(std::nullopt), out);
    writer.machine("office");
    listing->write(writer);
    EXPECT_EQ(out.str(), bySession + "office,1," + a1 + "office,3," + a3);
}

// Another program writing the log faster than it is read does not keep the report from its end.
TEST_F(Report, ReadsNoFurtherThanTheLogReachedWhenOpened) {
    files.beforeEachRead = [this] {
        if (files.contents("a.dat").size() < 1'000'000) {
            files.contents("a.dat") += std::string(100'000, '\0') + files.contents("b.dat");
        }
    };
    const Outcome outcome = run({"--format", "csv", "a.dat"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(std::ranges::count(outcome.out, '\n'), 3);
}

// A session with its beginning in the days file has its time on its snapshots' days, the rest on
// its stop's; one without keeps the spread over its span. Damaged snapshots are named and left
// out; a second snapshot of a day adds to it; no part goes beyond the session's time in use.
TEST_F(Report, DaysFileGivesEachSessionItsTimeByDay) {
    const std::string start = "20261205230000";
    const std::string beginning = encodeRecord(daysFileHeader) + record(start, start, "0000000000");
    const std::string dec5 = record(start, "20261205235900", "0000001000");
    const std::string dec6 = record(start, "20261206235959", "0000005000");
    const std::string estimated = "a 05=138~138 a 06=3324~3324 a 07=138~138";
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {beginning + dec5 + dec6, "a 05=600 a 06=2400 a 07=600", ""},
        {beginning + dec5 + record(start, "20261206235959", "0000020000"), "a 05=600 a 06=3000",
         ""},
        {encodeRecord(daysFileHeader) + dec5, estimated, ""},
        {beginning + dec5.substr(0, 35) + "x" + dec5.substr(36) + dec6, "a 06=3000 a 07=600",
         "a.days: record 3: character 34 is not a digit\n"},
        {beginning + dec5 + record(start, "20261206000100", "0000001500") +
             record(start, "20261205235930", "0000002100") + dec6,
         "a 05=960 a 06=2040 a 07=600", ""},
        {dec5, estimated, "a.days: not a days file; the time by day is estimated\n"},
    };
    files.contents("a.dat") = record(start, "20261207010000", "0000010000");
    for (const auto& [days, expected, err] : cases) {
        files.contents("a.days") = days;
        const Outcome outcome = run({"--by", "day", "--format", "csv", "a=a.dat"});
        EXPECT_EQ(std::tuple(daysIn(outcome.out), outcome.err, outcome.status),
                  std::tuple(expected, err, err.empty() ? 0 : 1));
    }
}

// The days file is read along with the log. A session that starts before the one before it (the
// clock set back before a start) finds its snapshots all the same, and so does a log whose days
// file holds its sessions in another order.
TEST_F(Report, SessionsOutOfTimeOrderFindTheirSnapshots) {
    const auto session = [](std::string start, std::string stop, std::string used) {
        return std::pair(record(start, stop, used),
                         record(start, start, "0000000000") +
                             record(start, start.substr(0, 8) + "235959", "0000000140"));
    };
    const auto [later, laterDays] = session("20261205220000", "20261206010000", "0000000820");
    const auto [earlier, earlierDays] = session("20261201220000", "20261202010000", "0000000500");
    files.contents("a.dat") = later + gap + earlier;
    files.contents("b.dat") = earlier + gap + later;
    files.contents("a.days") = encodeRecord(daysFileHeader) + laterDays + earlierDays;
    files.contents("b.days") = files.contents("a.days");
    EXPECT_EQ(daysIn(run({"--by", "day", "--format", "csv", "a=a.dat", "b=b.dat"}).out),
              "a 01=100 a 02=200 a 05=100 a 06=400 b 01=100 b 02=200 b 05=100 b 06=400");
}

} // namespace
} // namespace quillmarten
