#pragma once

#include "raised_error.h"
#include "record_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

inline constexpr std::size_t recordLength = 40;
inline constexpr std::size_t maxRecordText = 38;
inline constexpr std::string_view logFileName = "Quillmarten.dat";

// The log file beside the executable: the application path, then "\Quillmarten.dat" (a root
// directory's path thus gives a doubled separator, which the file system accepts).
std::string logFilePath(std::string_view applicationPath);

// The 40 bytes of a record holding `text`: 16-bit little-endian length, then the characters.
std::string encodeRecord(std::string_view text);

// What one record read gives. A record that cannot be read whole (a length field above 38, a
// record cut short by the end of the file) still gives the characters that lie inside it,
// together with the failure, so that the caller can list it and go on.
struct StoredRecord {
    std::string text;
    std::optional<RaisedError> damage;
};

// The session log file, open for one access: the file is opened on construction and closed
// when the object goes, whatever happened in between.
class SessionLogFile {
  public:
    SessionLogFile(FileSystem& files, const std::string& path);

    std::uint64_t length();

    // Record n (1-based). Beyond the end of the file: the empty text, and the end-of-file flag
    // is set. Reading the last whole record does not set it.
    StoredRecord readRecord(std::int32_t number);

    bool endOfFile() const { return endOfFile_; }

    // Writes `text` (38 characters at most) as record n; records skipped past the end of the
    // file become gap records of 40 zero bytes.
    void writeRecord(std::int32_t number, std::string_view text);

  private:
    std::string_view bufferedRecord(std::uint64_t offset);

    std::unique_ptr<RecordFile> file_;
    bool endOfFile_ = false;
    std::string readAhead_;
    std::uint64_t readAheadOffset_ = 0;
};

} // namespace quillmarten
