#include "doubles/memory_file_system.h"
#include "history/calendar.h"
#include "history/period_totals.h"
#include "history/session_reader.h"
#include "metering/error_report.h"
#include "metering/session_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmarten {
namespace {

using testing::MemoryFileSystem;

StoredSession session(LocalTime start, LocalTime stop, std::int64_t seconds) {
    return StoredSession{1, start, stop, seconds};
}

// "2026-12-31=1800 2027-01-01=1800": the seconds on each day of the span.
std::string shares(const StoredSession& stored) {
    const DaySplit split(stored);
    std::string text;
    for (std::int64_t day = split.firstDay(); day <= split.lastDay(); ++day) {
        text += text.empty() ? "" : " ";
        text += isoDateText(dateOfDay(day)) + "=" + std::to_string(split.secondsOn(day));
    }
    return text;
}

TEST(Calendar, PeriodsAroundMonthAndYearEndsAndLeapDays) {
    const std::vector<std::tuple<CalendarDate, PeriodKind, std::string>> cases{
        {{2026, 12, 31}, PeriodKind::week, "2026-W53"},
        {{2027, 1, 1}, PeriodKind::week, "2026-W53"},
        {{2027, 1, 3}, PeriodKind::week, "2026-W53"},
        {{2027, 1, 4}, PeriodKind::week, "2027-W01"},
        {{2024, 12, 30}, PeriodKind::week, "2025-W01"},
        {{2026, 12, 7}, PeriodKind::week, "2026-W50"},
        {{2024, 2, 29}, PeriodKind::day, "2024-02-29"},
        {{1, 1, 1}, PeriodKind::day, "0001-01-01"},
        {{2024, 2, 29}, PeriodKind::month, "2024-02"},
        {{2026, 12, 31}, PeriodKind::month, "2026-12"},
    };
    for (const auto& [date, kind, text] : cases) {
        EXPECT_EQ(periodText(periodOfDay(dayNumber(date), kind), kind), text);
    }
    EXPECT_EQ(dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(dayNumber({2024, 3, 1}) - dayNumber({2024, 2, 28}), 2);
    EXPECT_FALSE(isRealDate({2023, 2, 29}));
    EXPECT_TRUE(isRealDate({2000, 2, 29}));
    EXPECT_FALSE(isRealDate({2100, 2, 29}));
}

TEST(DaySplit, TimeInUseFollowsTheSpanOverDaysAndAddsUpExactly) {
    const std::vector<std::pair<StoredSession, std::string>> cases{
        {session({2026, 12, 1, 8, 0, 0}, {2026, 12, 1, 17, 0, 0}, 32400), "2026-12-01=32400"},
        // Paused half the time: the pause is spread over both days.
        {session({2026, 12, 31, 23, 0, 0}, {2027, 1, 1, 1, 0, 0}, 3600),
         "2026-12-31=1800 2027-01-01=1800"},
        // A stop at midnight reaches no second of the next day.
        {session({2026, 12, 1, 22, 0, 0}, {2026, 12, 2, 0, 0, 0}, 7200), "2026-12-01=7200"},
        {session({2026, 12, 2, 8, 0, 0}, {2026, 12, 1, 9, 0, 0}, 600), "2026-12-02=600"},
        {session({2026, 12, 2, 8, 0, 0}, {2026, 12, 2, 8, 0, 0}, 5), "2026-12-02=5"},
        // Thirds of 100 seconds: the running sums 33, 67 and 100 give 33, 34 and 33.
        {session({2024, 2, 28, 0, 0, 0}, {2024, 3, 2, 0, 0, 0}, 100),
         "2024-02-28=33 2024-02-29=34 2024-03-01=33"},
        {session({2026, 2, 27, 12, 0, 0}, {2026, 3, 2, 12, 0, 0}, 100),
         "2026-02-27=17 2026-02-28=33 2026-03-01=33 2026-03-02=17"},
        {session({2026, 12, 1, 23, 59, 59}, {2026, 12, 2, 0, 0, 1}, 1),
         "2026-12-01=1 2026-12-02=0"},
    };
    for (const auto& [stored, expected] : cases) {
        EXPECT_EQ(shares(stored), expected);
    }
}

// The longest span and time a record can hold: products above 64 bits, shares still exact.
TEST(DaySplit, LongestSpanAddsUpWithoutOverflow) {
    const DaySplit split(session({1, 1, 1, 0, 0, 0}, {9999, 12, 31, 23, 59, 59}, 863'999'999));
    std::int64_t sum = 0;
    std::int64_t smallest = split.secondsOn(split.firstDay());
    std::int64_t largest = smallest;
    for (std::int64_t day = split.firstDay(); day <= split.lastDay(); ++day) {
        const std::int64_t seconds = split.secondsOn(day);
        sum += seconds;
        smallest = std::min(smallest, seconds);
        largest = std::max(largest, seconds);
    }
    // 863,999,999 seconds over 3,652,059 days: 236.58 a day.
    EXPECT_EQ(sum, 863'999'999);
    EXPECT_EQ(smallest, 236);
    EXPECT_EQ(largest, 237);
}

TEST(PeriodTotals, EachSessionCountsOncePerPeriodWithTimeWithinTheDays) {
    const std::vector<StoredSession> sessions{
        session({2026, 12, 31, 23, 0, 0}, {2027, 1, 1, 1, 0, 0}, 3600),
        session({2027, 1, 1, 8, 0, 0}, {2027, 1, 1, 9, 0, 0}, 3600),
        session({2027, 1, 5, 8, 0, 0}, {2027, 1, 5, 8, 0, 0}, 0),
        session({2027, 1, 5, 9, 0, 0}, {2027, 1, 5, 9, 0, 10}, 10),
    };
    const auto totalsOf = [&](PeriodKind kind, DayRange days) {
        PeriodTotals totals(kind, days);
        for (const StoredSession& stored : sessions) {
            totals.add(stored);
        }
        std::string text;
        for (const auto& [period, total] : totals.periods()) {
            text += periodText(period, kind) + "=" + std::to_string(total.seconds) + "/" +
                    std::to_string(total.sessions) + " ";
        }
        return text + "with time: " + std::to_string(totals.sessionsWithTime());
    };
    EXPECT_EQ(totalsOf(PeriodKind::week, {}), "2026-W53=7200/2 2027-W01=10/1 with time: 3");
    EXPECT_EQ(totalsOf(PeriodKind::month, {}), "2026-12=1800/1 2027-01=5410/3 with time: 3");
    const std::int64_t newYear = dayNumber({2027, 1, 1});
    EXPECT_EQ(totalsOf(PeriodKind::day, {newYear, newYear}), "2027-01-01=5400/2 with time: 2");
    EXPECT_EQ(totalsOf(PeriodKind::week, {newYear + 1, newYear + 3}), "with time: 0");
}

class Reading : public SessionSink {
  public:
    void session(const StoredSession& stored) override { sessions.push_back(stored); }
    void damaged(std::int64_t record, const std::string& reason) override {
        damages.push_back(std::to_string(record) + ": " + reason);
    }
    std::vector<StoredSession> sessions;
    std::vector<std::string> damages;
};

TEST(SessionReader, SkipsGapsReportsEachDamagedRecordAndGoesOnFromAnySlot) {
    const std::string good = encodeRecord("20261231230000"
                                          "20270101010000"
                                          "0000010000");
    std::string stray(40, '\0');
    stray[20] = 'x';
    MemoryFileSystem files;
    files.contents("log") = good + std::string(40, '\0') + encodeRecord("2026") + stray +
                            encodeRecord("2026123123000020270101010000000001000x") +
                            encodeRecord("20261331230000202701010100000000010000") +
                            encodeRecord("20261231230000202701010100000000016000") +
                            encodeRecord("20261231230000202702290100000000010000") + good +
                            good.substr(0, 39);
    Reading reading;
    EXPECT_EQ(readSessions(files, "log", reading), 10);
    const StoredSession first{1, {2026, 12, 31, 23, 0, 0}, {2027, 1, 1, 1, 0, 0}, 3600};
    StoredSession ninth = first;
    ninth.record = 9;
    EXPECT_EQ(reading.sessions, (std::vector{first, ninth}));
    EXPECT_EQ(reading.damages, (std::vector<std::string>{
                                   "3: a length of 4 instead of 38",
                                   "4: a length of 0 with other bytes than zeros",
                                   "5: character 38 is not a digit",
                                   "6: the start is not a real date and time",
                                   "7: the time in use is out of range",
                                   "8: the stop is not a real date and time",
                                   "10: cut short: 39 of 40 bytes",
                               }));

    Reading later;
    EXPECT_EQ(readSessions(files, "log", later, 9), 10);
    EXPECT_EQ(later.sessions, std::vector{ninth});
    EXPECT_EQ(later.damages.size(), 1u);
    EXPECT_EQ(files.closes, files.opens);
    EXPECT_THROW(readSessions(files, "absent", later), RaisedError);
}

} // namespace
} // namespace quillmarten
