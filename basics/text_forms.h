#pragma once

#include "basics/date_time.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmarten {

// The value with at least `digits` digits, zero-padded on the left; a negative value keeps
// its sign in front of the padding ("-0005").
std::string zeroPadded(std::int64_t value, int digits);

// "yyyymmddhhnnss", the form in which records store a moment.
std::string dateTimeStamp(const LocalTime& time);

// dd/mm/yyyy from the yyyymmdd half of a stamp. A damaged record may give a shorter text; its
// pieces are then shorter, and nothing is checked.
std::string displayDate(std::string_view yyyymmdd);

// hh:nn:ss from an hhnnss text. The last piece is the text's last two characters.
std::string displayTime(std::string_view hhnnss);

// A file's size in binary units, as Windows shows them, rounded: "64 MB", "100 GB".
std::string byteSizeText(std::uint64_t bytes);

// Characters first..first+count-1 (1-based) of the text, clipped to what the text holds.
std::string_view midText(std::string_view text, std::size_t first, std::size_t count);

} // namespace quillmarten
