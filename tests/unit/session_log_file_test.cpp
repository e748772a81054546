#include "doubles/memory_file_system.h"
#include "metering/posix_file_system.h"
#include "metering/session_log_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillmarten {
namespace {

using testing::MemoryFileSystem;

const std::string path = "C:\\Program Files\\Quillmarten\\Quillmarten.dat";
const std::string exampleRecord = "20261205080307"
                                  "20261205174509"
                                  "0000094200";

std::string fromHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return bytes;
}

TEST(LogFilePath, IsBesideTheExecutableEvenAtADriveRoot) {
    EXPECT_EQ(logFilePath("C:\\Program Files\\Quillmarten"),
              "C:\\Program Files\\Quillmarten\\Quillmarten.dat");
    EXPECT_EQ(logFilePath("D:\\"), "D:\\\\Quillmarten.dat");
}

TEST(RecordFormat, ExampleRecordIsTheseFortyBytes) {
    const std::string expected =
        fromHex("26 00 32 30 32 36 31 32 30 35 30 38 30 33 30 37 32 30 32 36 31 32 30 35 31 37 "
                "34 35 30 39 30 30 30 30 30 39 34 32 30 30 ");
    EXPECT_EQ(encodeRecord(exampleRecord), expected);
    EXPECT_EQ(encodeRecord("").size(), 40u);
    EXPECT_EQ(encodeRecord(""), std::string(40, '\0'));
}

TEST(RecordFormat, TextLongerThanARecordIsRefused) {
    EXPECT_THROW(encodeRecord(std::string(39, '1')), RaisedError);
}

TEST(SessionLogFile, LastWholeRecordDoesNotEndTheFileTheReadBeyondItDoes) {
    MemoryFileSystem files;
    files.contents(path) = encodeRecord(exampleRecord);
    SessionLogFile file(files, path);
    EXPECT_EQ(file.length(), 40u);
    EXPECT_EQ(file.readRecord(1).text, exampleRecord);
    EXPECT_FALSE(file.endOfFile());
    EXPECT_EQ(file.readRecord(2).text, "");
    EXPECT_TRUE(file.endOfFile());
}

TEST(SessionLogFile, WriteBeyondTheEndLeavesZeroGapRecords) {
    MemoryFileSystem files;
    {
        SessionLogFile file(files, path);
        file.writeRecord(3, exampleRecord);
    }
    const std::string& bytes = files.contents(path);
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes.substr(0, 80), std::string(80, '\0'));
    EXPECT_EQ(bytes.substr(80), encodeRecord(exampleRecord));
}

TEST(SessionLogFile, ShortTextLeavesTheRestOfTheRecordAsItWas) {
    MemoryFileSystem files;
    files.contents(path) = std::string(40, 'x');
    SessionLogFile(files, path).writeRecord(1, "12");
    EXPECT_EQ(files.contents(path), std::string("\x02\x00"
                                                "12",
                                                4) +
                                        std::string(36, '\0'));
}

TEST(SessionLogFile, LengthFieldAboveThirtyEightIsDamageReadOnlyWithinTheRecord) {
    MemoryFileSystem files;
    std::string bytes = encodeRecord(exampleRecord) + encodeRecord(exampleRecord);
    bytes[0] = static_cast<char>(0xFF);
    bytes[1] = static_cast<char>(0x7F);
    files.contents(path) = bytes;
    SessionLogFile file(files, path);
    const StoredRecord record = file.readRecord(1);
    ASSERT_TRUE(record.damage.has_value());
    EXPECT_EQ(record.damage->number(), 59);
    EXPECT_EQ(record.text, exampleRecord);
    EXPECT_FALSE(file.readRecord(2).damage.has_value());
}

TEST(SessionLogFile, RecordCutShortByTheEndIsDamageButNotTheEnd) {
    MemoryFileSystem files;
    files.contents(path) = encodeRecord(exampleRecord) + encodeRecord(exampleRecord).substr(0, 12);
    SessionLogFile file(files, path);
    file.readRecord(1);
    const StoredRecord cut = file.readRecord(2);
    ASSERT_TRUE(cut.damage.has_value());
    EXPECT_EQ(cut.text, exampleRecord.substr(0, 10));
    EXPECT_FALSE(file.endOfFile());
    file.readRecord(3);
    EXPECT_TRUE(file.endOfFile());
}

TEST(SessionLogFile, OneByteLeftOverIsDamageWithNoText) {
    MemoryFileSystem files;
    files.contents(path) = std::string(1, '\x26');
    SessionLogFile file(files, path);
    const StoredRecord cut = file.readRecord(1);
    EXPECT_TRUE(cut.damage.has_value());
    EXPECT_EQ(cut.text, "");
}

TEST(SessionLogFile, ReadsALongFileInFewSystemCalls) {
    MemoryFileSystem files;
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += encodeRecord(exampleRecord);
    }
    files.contents(path) = bytes;
    SessionLogFile file(files, path);
    int records = 0;
    for (std::int32_t n = 1; !file.endOfFile(); ++n) {
        records += file.readRecord(n).text.empty() ? 0 : 1;
    }
    EXPECT_EQ(records, 5000);
    EXPECT_LE(files.reads, 5);
}

TEST(SessionLogFile, EveryAccessClosesTheFileAlsoWhenItFails) {
    MemoryFileSystem files;
    files.failWrites(61);
    EXPECT_THROW(SessionLogFile(files, path).writeRecord(1, exampleRecord), RaisedError);
    EXPECT_EQ(files.opens, 1);
    EXPECT_EQ(files.closes, 1);
}

class PosixLogFile : public ::testing::Test {
  protected:
    void SetUp() override {
        directory =
            std::filesystem::temp_directory_path() /
            ("quillmarten-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
        file = (directory / "Quillmarten.dat").string();
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::string bytesOnDisk() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path directory;
    std::string file;
    PosixFileSystem files;
};

TEST_F(PosixLogFile, OpenCreatesTheFileAndAGapIsReadBackAsZeros) {
    {
        SessionLogFile log(files, file);
        EXPECT_EQ(log.length(), 0u);
        log.writeRecord(3, exampleRecord);
    }
    const std::string bytes = bytesOnDisk();
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes.substr(0, 80), std::string(80, '\0'));
    EXPECT_EQ(bytes.substr(80), encodeRecord(exampleRecord));
    SessionLogFile log(files, file);
    EXPECT_EQ(log.readRecord(2).text, "");
    EXPECT_FALSE(log.endOfFile());
    EXPECT_EQ(log.readRecord(3).text, exampleRecord);
}

TEST_F(PosixLogFile, MissingDirectoryIsPathNotFound) {
    try {
        SessionLogFile log(files, (directory / "absent" / "Quillmarten.dat").string());
        FAIL() << "opened";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.number(), 76);
        EXPECT_EQ(error.description(), "Path not found");
    }
}

} // namespace
} // namespace quillmarten
