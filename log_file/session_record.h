#pragma once

#include "basics/duration.h"
#include "basics/error_report.h"
#include "basics/text_forms.h"

#include <cstdint>
#include <string>
#include <string_view>

// The log file's record, the one place that knows its bytes. A record is the 40 bytes of a slot: a
// 16-bit little-endian length, then that many characters. A session's record holds 38 digits: its
// start "yyyymmddhhnnss", its last moment seen running in the same form, and its time in use
// "ddddhhnnss".
namespace quillmarten {

inline constexpr std::size_t recordSize = 40;
inline constexpr std::size_t sessionTextLength = 38;
// A session's record begins with its length and its start, which stay while the session runs.
inline constexpr std::size_t sessionHeadSize = 2 + 14;

enum class RecordKind : std::uint8_t {
    gap,     // 40 zero bytes: left between two runs, skipped
    session, // a well-formed session, counted
    damaged, // anything else: listed from its bytes, never counted
};

enum class RecordDamage : std::uint8_t {
    none,
    cutShort,            // the file ends inside the record
    strayBytes,          // a length of zero, yet not all 40 bytes are zero
    wrongLength,         // a length other than 38
    notADigit,           // a character that is not 0 to 9
    impossibleStart,     // a start that is no real date and time
    impossibleStop,      // a stop that is no real date and time
    impossibleTimeInUse, // hours above 23, minutes or seconds above 59
};

// A record as decoded from its slot.
struct Record {
    RecordKind kind = RecordKind::gap;
    RecordDamage damage = RecordDamage::none;
    // The characters as far as the length field and the slot's own bytes reach, at most 38.
    std::string_view text;
    std::uint16_t lengthField = 0;
    std::uint8_t bytes = 0;        // how many of the slot's 40 bytes the file holds
    std::uint8_t badCharacter = 0; // 1-based position of the first non-digit

    // A well-formed session's times, taken from its digits when asked for.
    LocalTime start() const;
    LocalTime stop() const;
    Duration timeInUse() const;
};

// Decodes the record in up to 40 bytes of one slot; fewer bytes make a record cut short.
Record decodeRecord(std::string_view bytes);

// The 40 bytes of a record holding `text` (38 characters at most).
std::string encodeRecord(std::string_view text);

// Whether `record` begins as the record of the session that started at `startStamp` does: with
// its length and its start, whatever follows them.
bool beginsSessionStartedAt(const Record& record, std::string_view startStamp);

// The text of a session's record: start, last moment seen running, time in use.
std::string sessionRecordText(std::string_view startStamp, std::string_view stopStamp,
                              const Duration& timeInUse);

// What is wrong with a damaged record, in plain words ("character 31 is not a digit").
std::string damageReason(const Record& record);

// The error number a damaged record stands for: 59 for a wrong length, 13 for wrong characters.
std::int32_t damageErrorNumber(const Record& record);

// A damaged record as an error of its number, described with its slot's number and what is
// wrong with it.
RaisedError damageError(const Record& record, std::int64_t slot);

} // namespace quillmarten
