#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmarten {

// A local wall-clock date and time as the system clock gives it.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The value with at least `digits` digits, zero-padded on the left; a negative value keeps
// its sign in front of the padding ("-0005").
std::string zeroPadded(std::int64_t value, int digits);

// DateTimeStamp: "yyyymmdd" then "hhnnss".
std::string dateTimeStamp(const LocalTime& time);

// DisplayDate (dd/mm/yyyy) from the date half of a DateTimeStamp. Shorter texts give shorter
// pieces; nothing is checked.
std::string Data_Out(std::string_view DataDaRecord);

// DisplayTime (hh:nn:ss) from an hhnnss text. The last piece is the text's last two characters.
std::string Time_Out(std::string_view OraDaRecord);

// The text with every ':' removed: a DurationText becomes an ElapsedField.
std::string withoutColons(std::string_view text);

// Characters first..first+count-1 (1-based) of the text, clipped to what the text holds.
std::string_view midText(std::string_view text, std::size_t first, std::size_t count);

} // namespace quillmarten
