#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a log file must give, worked out from the record format alone and written apart from the
// program's own decoder, so that the fuzzer checks the program against a second reading.
namespace oracle {

inline constexpr std::size_t slotSize = 40;

// 40 zero bytes.
bool isGap(std::string_view record);

// A length of 38 in two little-endian bytes, 38 digits, a real start and stop from the year 1601
// on, and a time in use with hours below 24 and minutes and seconds below 60.
bool isSession(std::string_view record);

// Whether a slot begins with a session's length and the start stamp `start`, whatever follows.
bool beginsWithStart(std::string_view record, std::string_view start);

// The time in use of a well-formed session, in seconds.
std::int64_t secondsInUse(std::string_view record);

// "dddd:hh:nn:ss", days with at least four digits.
std::string durationText(std::int64_t seconds);

struct LogSummary {
    std::size_t slots = 0;      // a last slot cut short counts
    std::size_t listedRows = 0; // every slot but the gaps and the running session's own
    std::int64_t seconds = 0;   // the sum of the well-formed sessions but the running one's
    std::size_t ownSlot = 0;    // the last slot that begins with the running session's start
};

// A log as the running session reads it; with no start, as a start reads it.
LogSummary summarise(std::string_view log, std::string_view runningStart = {});

} // namespace oracle
