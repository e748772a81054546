#include "doubles/memory_file_system.h"
#include "metering/session_record.h"
#include "report/report_command.h"
#include "report/report_options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillmarten {
namespace {

using testing::MemoryFileSystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class Report : public ::testing::Test {
  protected:
    void SetUp() override {
        files.contents("a.dat") = encodeRecord("20261231230000"
                                               "20270101010000"
                                               "0000010000") +
                                  std::string(40, '\0') +
                                  encodeRecord("20270101080000"
                                               "20270101093000"
                                               "0000013000");
        files.contents("C:\\logs\\a.dat") = files.contents("a.dat");
        files.contents("b.dat") = encodeRecord("20270104100000"
                                               "20270104100030"
                                               "0000000030");
    }

    Outcome run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runReport(arguments, files, out, err);
        return Outcome{status, out.str(), err.str()};
    }

    MemoryFileSystem files;
};

TEST_F(Report, TableBySessionAlignsColumnsWithATotalPerMachine) {
    const Outcome outcome = run({"office=a.dat", "b.dat"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(
        outcome.out,
        "machine  session  start                stop                 seconds  time_in_use\n"
        "office         1  2026-12-31T23:00:00  2027-01-01T01:00:00     3600  0000:01:00:00\n"
        "office         3  2027-01-01T08:00:00  2027-01-01T09:30:00     5400  0000:01:30:00\n"
        "office     total                                               9000  0000:02:30:00\n"
        "b.dat          1  2027-01-04T10:00:00  2027-01-04T10:00:30       30  0000:00:00:30\n"
        "b.dat      total                                                 30  0000:00:00:30\n");
}

TEST_F(Report, CsvByDayQuotesWhatNeedsItAndEndsLinesWithCrLf) {
    EXPECT_EQ(run({"--by", "day", "--format", "csv", "big \"office\", 2=a.dat", "b.dat"}).out,
              "machine,day,seconds,time_in_use,sessions\r\n"
              "\"big \"\"office\"\", 2\",2026-12-31,1800,0000:00:30:00,1\r\n"
              "\"big \"\"office\"\", 2\",2027-01-01,7200,0000:02:00:00,2\r\n"
              "b.dat,2027-01-04,30,0000:00:00:30,1\r\n");
}

TEST_F(Report, JsonByWeekHasNumbersAsNumbersAndEscapedUtf8Strings) {
    EXPECT_EQ(
        run({"--format", "json", "--by", "week", "C:\\logs\\a.dat", "caf\xC3\xA9\t\xFF=b.dat"}).out,
        "[\n"
        "  {\"machine\":\"C:\\\\logs\\\\a.dat\",\"week\":\"2026-W53\",\"seconds\":9000,"
        "\"time_in_use\":\"0000:02:30:00\",\"sessions\":2},\n"
        "  {\"machine\":\"caf\xC3\xA9\\u0009\\ufffd\",\"week\":\"2027-W01\",\"seconds\":30,"
        "\"time_in_use\":\"0000:00:00:30\",\"sessions\":1}\n"
        "]\n");
    EXPECT_EQ(run({"--format", "json", "--from", "2030-01-01", "a.dat"}).out, "[]\n");
}

TEST_F(Report, TableByMonthCountsEachSessionOnceInItsTotal) {
    EXPECT_EQ(run({"--by", "month", "a.dat"}).out,
              "machine  month    seconds  time_in_use    sessions\n"
              "a.dat    2026-12     1800  0000:00:30:00         1\n"
              "a.dat    2027-01     7200  0000:02:00:00         2\n"
              "a.dat    total       9000  0000:02:30:00         2\n");
}

// By session the days choose whole sessions; by period they keep the time on them.
TEST_F(Report, DaysKeepOverlappingSessionsWholeAndOnlyTheirOwnTime) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--to", "2026-12-31"},
         "a.dat,1,2026-12-31T23:00:00,2027-01-01T01:00:00,3600,0000:01:00:00\r\n"},
        {{"--from", "2027-01-01", "--to", "2027-01-01"},
         "a.dat,1,2026-12-31T23:00:00,2027-01-01T01:00:00,3600,0000:01:00:00\r\n"
         "a.dat,3,2027-01-01T08:00:00,2027-01-01T09:30:00,5400,0000:01:30:00\r\n"},
        {{"--from", "2027-01-02"},
         "b.dat,1,2027-01-04T10:00:00,2027-01-04T10:00:30,30,0000:00:00:30\r\n"},
        {{"--by", "day", "--from", "2027-01-01", "--to", "2027-01-01"},
         "a.dat,2027-01-01,7200,0000:02:00:00,2\r\n"},
    };
    for (auto [arguments, rows] : cases) {
        arguments.insert(arguments.end(), {"--format", "csv", "a.dat", "b.dat"});
        const std::string out = run(arguments).out;
        EXPECT_EQ(out.substr(out.find('\n') + 1), rows);
    }
}

TEST_F(Report, ExitStatusAndMessages) {
    files.contents("d.dat") = files.contents("b.dat") + encodeRecord("2026");
    const std::string usage(reportUsage);
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases{
        {{"a.dat", "d.dat"}, 1, "d.dat: record 2: a length of 4 instead of 38\n"},
        {{"a.dat", "absent.dat", "d.dat"},
         2,
         "absent.dat: cannot be read: Path not found\n"
         "d.dat: record 2: a length of 4 instead of 38\n"},
        {{}, 2, "quillmarten-report: no log file given\n" + usage},
        {{"--by", "year", "a.dat"},
         2,
         "quillmarten-report: --by takes session, day, week or month, not 'year'\n" + usage},
        {{"--format", "xml", "a.dat"},
         2,
         "quillmarten-report: --format takes table, csv or json, not 'xml'\n" + usage},
        {{"--from", "2026-02-29", "a.dat"},
         2,
         "quillmarten-report: --from takes a date as YYYY-MM-DD, not '2026-02-29'\n" + usage},
        {{"--to", "2026-1-01", "a.dat"},
         2,
         "quillmarten-report: --to takes a date as YYYY-MM-DD, not '2026-1-01'\n" + usage},
        {{"--from", "2026-12-02", "--to", "2026-12-01", "a.dat"},
         2,
         "quillmarten-report: --from is after --to\n" + usage},
        {{"a.dat", "--by"}, 2, "quillmarten-report: --by needs a value\n" + usage},
        {{"--verbose", "a.dat"}, 2, "quillmarten-report: unknown option '--verbose'\n" + usage},
        {{"office="}, 2, "quillmarten-report: no file after 'office='\n" + usage},
    };
    for (const auto& [arguments, status, err] : cases) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, status) << err;
        EXPECT_EQ(outcome.err, err);
        EXPECT_EQ(outcome.out.empty(), status == 2 && err.ends_with(usage)) << err;
    }
    EXPECT_EQ(run({"--format", "csv", "a.dat", "absent.dat"}).out,
              run({"--format", "csv", "a.dat"}).out);
}

TEST_F(Report, HelpVersionAndAnOutputThatCannotBeWritten) {
    EXPECT_EQ(run({"--help"}).out, reportUsage);
    EXPECT_EQ(run({"--version"}).out, "quillmarten-report 1.0.45\n");
    EXPECT_EQ(run({"--version"}).status, 0);
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(runReport({"a.dat"}, files, out, err), 2);
    EXPECT_EQ(err.str(), "quillmarten-report: cannot write the report\n");
}

} // namespace
} // namespace quillmarten
