#include "doubles/memory_file_system.h"
#include "metering/posix_file_system.h"
#include "metering/program_version.h"
#include "metering/session_log_file.h"
#include "metering/session_row.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <vector>

namespace quillmarten {
namespace {

using testing::MemoryFileSystem;

const std::string path = "C:\\Q\\Quillmarten.dat";
const std::string example = "20261205080307"
                            "20261205174509"
                            "0000094200";

std::string withText(const std::string& text) {
    return encodeRecord(text);
}

std::string session(const std::string& start, const std::string& stop, const std::string& used) {
    return withText(start + stop + used);
}

TEST(TextForms, StampsDurationsAndTheirDisplayForms) {
    EXPECT_EQ(dateTimeStamp(LocalTime{2026, 1, 2, 3, 4, 5}), "20260102030405");
    EXPECT_EQ(durationText(Duration{1, 2, 3, 4}), "0001:02:03:04");
    EXPECT_EQ(durationText(Duration{10000, 0, 0, 0}), "10000:00:00:00");
    EXPECT_EQ(storedDurationField(Duration{0, 9, 42, 0}), "0000094200");
    EXPECT_EQ(storedDurationField(Duration{10000, 0, 0, 1}), "9999235959");
    EXPECT_EQ(versionCaption(ProgramVersion{"Quillmarten", 1, 0, 0, 45}),
              "Quillmarten - Version 1.0.45");
    EXPECT_EQ(startTimeText(example), "05/12/2026-08:03:07");
    EXPECT_EQ(stopTimeText(example), "05/12/2026-17:45:09");
    EXPECT_EQ(timeInUseText(example), "0000:09:42:00");
}

// A damaged record is shown as far as its characters go, without reading past them.
TEST(TextForms, ShortTextsGiveShortPieces) {
    EXPECT_EQ(displayDate(""), "//");
    EXPECT_EQ(displayDate("2026"), "26//2026");
    EXPECT_EQ(displayDate("20261"), "61/1/2026");
    EXPECT_EQ(displayTime("1234"), "12:34:34");
    EXPECT_EQ(displayTime("1234567"), "12:34:67");
    EXPECT_EQ(startTimeText("2026"), "26//2026-::");
    EXPECT_EQ(timeInUseText("2026"), ":::");
}

TEST(Duration, OneSecondCarriesThroughMinutesHoursAndDays) {
    const std::vector<std::pair<Duration, Duration>> steps{
        {{0, 0, 0, 0}, {0, 0, 0, 1}},           {{0, 0, 0, 59}, {0, 0, 1, 0}},
        {{0, 0, 59, 59}, {0, 1, 0, 0}},         {{0, 23, 59, 59}, {1, 0, 0, 0}},
        {{9999, 23, 59, 59}, {10000, 0, 0, 0}},
    };
    for (auto [before, after] : steps) {
        countOneSecond(before);
        EXPECT_EQ(before, after);
    }
    Duration full{std::numeric_limits<std::int32_t>::max(), 23, 59, 59};
    const Duration kept = full;
    EXPECT_THROW(countOneSecond(full), RaisedError);
    EXPECT_EQ(full, kept);
}

TEST(Duration, SumsCarryOnceAndOverflowIsAnError) {
    DurationSum sum;
    sum.add({0, 23, 59, 50});
    sum.add({0, 0, 0, 20});
    sum.add({0, 0, 0, 45});
    EXPECT_EQ(sum.carried(), (Duration{1, 0, 0, 55}));
    EXPECT_EQ((Duration{0, 0, 59, 30} + Duration{0, 0, 0, 30}), (Duration{0, 1, 0, 0}));
    sum.add({std::numeric_limits<std::int32_t>::max(), 0, 0, 0});
    try {
        sum.carried();
        FAIL() << "no overflow";
    } catch (const RaisedError& error) {
        EXPECT_EQ(errorReportText(error, report_origin::meteringStart),
                  "[6] Overflow - Inizializza");
    }
}

TEST(RecordFormat, ExampleSessionIsTheseFortyBytes) {
    const std::string bytes = withText(example);
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x26\x00", 2));
    EXPECT_EQ(bytes.substr(2), example);
    EXPECT_EQ(withText(""), std::string(40, '\0'));
    EXPECT_THROW(encodeRecord(std::string(39, '1')), RaisedError);
    EXPECT_EQ(sessionRecordText("20261205080307", "20261205174509", Duration{0, 9, 42, 0}),
              example);
}

TEST(RecordFormat, WellFormedSessionIsDecodedIntoItsTimes) {
    const std::string bytes = withText(example);
    const RecordSlot slot = decodeSlot(bytes);
    EXPECT_EQ(slot.kind, SlotKind::session);
    EXPECT_EQ(slot.text, example);
    EXPECT_EQ(slot.start(), (LocalTime{2026, 12, 5, 8, 3, 7}));
    EXPECT_EQ(slot.stop(), (LocalTime{2026, 12, 5, 17, 45, 9}));
    EXPECT_EQ(slot.timeInUse(), (Duration{0, 9, 42, 0}));
    EXPECT_EQ(decodeSlot(std::string(40, '\0')).kind, SlotKind::gap);
    EXPECT_EQ(decodeSlot(session("20240229000000", "20240229235959", "9999235959")).kind,
              SlotKind::session);
}

TEST(RecordFormat, EveryOtherSlotIsDamagedWithItsReason) {
    std::string overlong = withText(example);
    overlong[0] = 39;
    std::string stray(40, '\0');
    stray[39] = 1;
    const std::vector<std::pair<std::string, std::string>> cases{
        {withText(example).substr(0, 20), "cut short: 20 of 40 bytes"},
        {std::string(1, '\x26'), "cut short: 1 of 40 bytes"},
        {stray, "a length of 0 with other bytes than zeros"},
        {overlong, "a length of 39 instead of 38"},
        {withText(example.substr(0, 37)), "a length of 37 instead of 38"},
        {session("20261205080307", "20261205174509", "-000094200"), "character 29 is not a digit"},
        {session("20261205080307", "2026120517450x", "0000094200"), "character 28 is not a digit"},
        {session("20261305080307", "20261205174509", "0000094200"),
         "the start is not a real date and time"},
        {session("20230229080307", "20261205174509", "0000094200"),
         "the start is not a real date and time"},
        {session("20261205080307", "20261205240000", "0000094200"),
         "the stop is not a real date and time"},
        {session("20261205080307", "20261205174509", "0000240000"),
         "the time in use is out of range"},
        {session("20261205080307", "20261205174509", "0000006000"),
         "the time in use is out of range"},
        {session("20261205080307", "20261205174509", "0000000060"),
         "the time in use is out of range"},
        {session("00001205080307", "20261205174509", "0000094200"),
         "the start is not a real date and time"},
        {session("20261231080307", "20261131174509", "0000094200"),
         "the stop is not a real date and time"},
        {session("20261205080307", "20261205176009", "0000094200"),
         "the stop is not a real date and time"},
    };
    for (const auto& [bytes, reason] : cases) {
        const RecordSlot slot = decodeSlot(bytes);
        EXPECT_EQ(slot.kind, SlotKind::damaged) << reason;
        EXPECT_EQ(damageReason(slot), reason);
    }
    EXPECT_EQ(decodeSlot(overlong).text, example);
    EXPECT_EQ(errorReportText(damageError(decodeSlot(overlong), 3), report_origin::meteringStart),
              "[59] Bad record length in record 3 (a length of 39 instead of 38) - Inizializza");
}

TEST(LogFile, PathIsBesideTheExecutableEvenAtADriveRoot) {
    EXPECT_EQ(logFileBeside("C:\\Program Files\\Q\\Quillmarten.exe"),
              "C:\\Program Files\\Q\\Quillmarten.dat");
    EXPECT_EQ(logFileBeside("D:\\Quillmarten.exe"), "D:\\Quillmarten.dat");
    EXPECT_EQ(newRecordNumber(0), 1);
    EXPECT_EQ(newRecordNumber(3), 5);
}

TEST(LogFile, ScanNumbersEverySlotTheCutShortLastOneIncluded) {
    MemoryFileSystem files;
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += withText(example);
    }
    files.contents(path) = bytes + withText(example).substr(0, 12);
    std::vector<std::int64_t> damaged;
    int sessions = 0;
    const std::int64_t slots =
        SessionLogFile(files, path).scan([&](std::int64_t number, const RecordSlot& slot) {
            slot.kind == SlotKind::damaged ? damaged.push_back(number) : void(++sessions);
        });
    EXPECT_EQ(slots, 5001);
    EXPECT_EQ(sessions, 5000);
    EXPECT_EQ(damaged, std::vector<std::int64_t>{5001});
    EXPECT_LE(files.reads, 5);
    EXPECT_EQ(files.closes, files.opens);
}

TEST(LogFile, AppendLeavesZeroGapsAndAFailedOneLeavesTheFileAsItWas) {
    MemoryFileSystem files;
    files.contents(path) = withText(example);
    SessionLogFile(files, path).appendRecord(3, example);
    EXPECT_EQ(files.contents(path), withText(example) + std::string(40, '\0') + withText(example));

    const std::string before = files.contents(path);
    files.failWrites(61, 50);
    EXPECT_THROW(SessionLogFile(files, path).appendRecord(5, example), RaisedError);
    EXPECT_EQ(files.contents(path), before);
    EXPECT_EQ(files.closes, files.opens);
}

class PosixLogFile : public ::testing::Test {
  protected:
    void SetUp() override {
        directory = std::filesystem::temp_directory_path() /
                    ("quillmarten-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::filesystem::path directory;
    PosixFileSystem files;
};

TEST_F(PosixLogFile, CreatesTheFileAndReadsBackItsGapsAsGaps) {
    const std::string file = (directory / "Quillmarten.dat").string();
    SessionLogFile(files, file).appendRecord(3, example);
    EXPECT_EQ(std::filesystem::file_size(file), 120u);
    std::vector<SlotKind> kinds;
    SessionLogFile(files, file).scan([&](std::int64_t, const RecordSlot& slot) {
        kinds.push_back(slot.kind);
    });
    EXPECT_EQ(kinds, (std::vector{SlotKind::gap, SlotKind::gap, SlotKind::session}));
    SessionLogFile(files, file).rewriteRecord(1, example);
    EXPECT_EQ(std::filesystem::file_size(file), 120u);
}

TEST_F(PosixLogFile, MissingDirectoryIsPathNotFound) {
    try {
        SessionLogFile log(files, (directory / "absent" / "Quillmarten.dat").string());
        FAIL() << "opened";
    } catch (const RaisedError& error) {
        EXPECT_EQ(errorReportText(error), "[76] Path not found");
    }
}

} // namespace
} // namespace quillmarten
