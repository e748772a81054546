#include "doubles/memory_file_system.h"
#include "doubles/record_bytes.h"
#include "log_file/days_file.h"
#include "log_file/session_log_file.h"
#include "metering/session_row.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

const std::string path = "C:\\Q\\Quillmarten.dat";
const std::string example = "20261205080307"
                            "20261205174509"
                            "0000094200";
constexpr std::int32_t mostDays = std::numeric_limits<std::int32_t>::max();

TEST(Duration, CountsCarriesAndReportsOverflow) {
    for (auto [before, after] :
         std::vector<std::pair<Duration, Duration>>{{{0, 0, 0, 59}, {0, 0, 1, 0}},
                                                    {{0, 0, 59, 59}, {0, 1, 0, 0}},
                                                    {{9999, 23, 59, 59}, {10000, 0, 0, 0}}}) {
        countOneSecond(before);
        EXPECT_EQ(before, after);
    }
    Duration full{mostDays, 23, 59, 59};
    EXPECT_THROW(countOneSecond(full), RaisedError);
    EXPECT_EQ(full, (Duration{mostDays, 23, 59, 59}));
    DurationSum sum;
    for (const Duration& stored : {Duration{0, 23, 59, 50}, {0, 0, 0, 20}, {0, 0, 0, 45}}) {
        sum.add(stored);
    }
    EXPECT_EQ(sum.carried(), (Duration{1, 0, 0, 55}));
    EXPECT_EQ(durationText(Duration{10000, 0, 0, 0}), "10000:00:00:00");
    EXPECT_EQ(storedDurationField(Duration{10000, 0, 0, 1}), "9999235959");
    sum.add({mostDays, 0, 0, 0});
    EXPECT_THROW(sum.carried(), RaisedError);
}

TEST(RecordFormat, ASessionIsTheseFortyBytesAndDecodesIntoItsTimes) {
    const std::string bytes = encodeRecord(example);
    EXPECT_EQ(bytes, std::string("\x26\x00", 2) + example);
    EXPECT_THROW(encodeRecord(std::string(39, '1')), RaisedError);
    const Record decoded = decodeRecord(bytes);
    EXPECT_EQ(decoded.kind, RecordKind::session);
    EXPECT_EQ(decoded.start(), (LocalTime{{2026, 12, 5}, 8, 3, 7}));
    EXPECT_EQ(decoded.stop(), (LocalTime{{2026, 12, 5}, 17, 45, 9}));
    EXPECT_EQ(decoded.timeInUse(), (Duration{0, 9, 42, 0}));
    EXPECT_EQ(decodeRecord(gap).kind, RecordKind::gap);
    for (const char* stamp : {"20240229000000", "16010101000000"}) {
        EXPECT_EQ(decodeRecord(record(stamp, "20240229235959", "9999235959")).kind,
                  RecordKind::session);
    }
}

TEST(RecordFormat, EveryOtherSlotIsDamagedWithItsReason) {
    std::string overlong = encodeRecord(example);
    overlong[0] = 39;
    std::string stray(40, '\0');
    stray[39] = 1;
    const std::string ok = "20261205174509";
    const std::vector<std::pair<std::string, std::string>> cases{
        {encodeRecord(example).substr(0, 20), "cut short: 20 of 40 bytes"},
        {stray, "a length of 0 with other bytes than zeros"},
        {overlong, "a length of 39 instead of 38"},
        {encodeRecord(example.substr(0, 37)), "a length of 37 instead of 38"},
        {record(ok, ok, "-000094200"), "character 29 is not a digit"},
        {record(ok, "2026120517450x", "0000094200"), "character 28 is not a digit"},
        {record("20261305080307", ok, "0000094200"), "the start is not a real date and time"},
        {record("20230229080307", ok, "0000094200"), "the start is not a real date and time"},
        {record("00001205080307", ok, "0000094200"), "the start is not a real date and time"},
        // No Windows clock gives a moment before 1601.
        {record("16000615080307", ok, "0000094200"), "the start is not a real date and time"},
        {record("00010101000000", ok, "0000094200"), "the start is not a real date and time"},
        {record(ok, "15990615174509", "0000094200"), "the stop is not a real date and time"},
        {record("20260005080307", ok, "0000094200"), "the start is not a real date and time"},
        {record("20261200080307", ok, "0000094200"), "the start is not a real date and time"},
        {record(ok, "20260012174509", "0000094200"), "the stop is not a real date and time"},
        {record(ok, "20261131174509", "0000094200"), "the stop is not a real date and time"},
        {record(ok, "20261205240000", "0000094200"), "the stop is not a real date and time"},
        {record(ok, ok, "0000240000"), "the time in use is out of range"},
        {record(ok, ok, "0000000060"), "the time in use is out of range"},
    };
    for (const auto& [bytes, reason] : cases) {
        const Record decoded = decodeRecord(bytes);
        EXPECT_EQ(decoded.kind, RecordKind::damaged) << reason;
        EXPECT_EQ(damageReason(decoded), reason);
    }
    EXPECT_EQ(decodeRecord(overlong).text, example);
    // A damaged record is listed as far as its characters go, without reading past them.
    EXPECT_EQ(startTimeText("2026"), "26//2026-::");
    EXPECT_EQ(timeInUseText("20261205080307202612051745090000012"), "0000:01:2:12");
    EXPECT_EQ(errorReportText(damageError(decodeRecord(overlong), 3), report_origin::meteringStart),
              "[59] Bad record length in record 3 (a length of 39 instead of 38) - Inizializza");
}

// The readers find a log's days file by its name alone.
TEST(DaysFile, IsNamedAfterItsLog) {
    for (const auto& [log, days] :
         {std::pair{"C:\\Q.d\\Quillmarten.dat", "C:\\Q.d\\Quillmarten.days"},
          {"logs.d/lab", "logs.d/lab.days"},
          {".dat", ".dat.days"},
          {"office.days", "office.days.days"}}) {
        EXPECT_EQ(daysFileOf(log), days);
    }
}

TEST(LogFile, ScansEverySlotInFewReadsAndAFailedAppendLeavesNoFragment) {
    EXPECT_EQ(logFileBeside("C:\\Program Files\\Q\\Quillmarten.exe"),
              "C:\\Program Files\\Q\\Quillmarten.dat");
    MemoryFileSystem files;
    for (int i = 0; i < 5000; ++i) {
        files.contents(path) += encodeRecord(example);
    }
    files.contents(path) += encodeRecord(example).substr(0, 12);
    std::vector<std::int64_t> damaged;
    const auto slots =
        SessionLogFile(files, path).scan([&](std::int64_t slot, const Record& record) {
            if (record.kind != RecordKind::session) {
                damaged.push_back(slot);
            }
        });
    EXPECT_EQ(slots, 5001);
    EXPECT_EQ(damaged, std::vector<std::int64_t>{5001});
    EXPECT_LE(files.reads, 5);

    const std::string before = files.contents(path);
    files.failWrites(61, 50);
    EXPECT_THROW(SessionLogFile(files, path).appendRecord(5003, example), RaisedError);
    EXPECT_EQ(files.contents(path), before);
    EXPECT_EQ(files.closes, files.opens);
    // Should the take-back fail too, the failure of the write is the one raised; the fragment
    // stays, for the next reading to list as damaged.
    files.failWrites(61, 20);
    files.failTruncates(70);
    try {
        SessionLogFile(files, path).appendRecord(5003, example);
        ADD_FAILURE() << "the append did not fail";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.number(), 61);
    }
    EXPECT_EQ(files.contents(path).size(), 5002u * 40 + 20);
}

} // namespace
} // namespace quillmarten
