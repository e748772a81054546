#pragma once

#include <string>
#include <string_view>

// The three texts a session's record shows in the session list.
namespace quillmarten {

// "Start time": dd/mm/yyyy-hh:nn:ss of positions 1 to 14.
std::string startTimeText(std::string_view record);

// "Stop time": the same of positions 15 to 28.
std::string stopTimeText(std::string_view record);

// "Time in use": the stored days (positions 29 to 32), ":", then hh:nn:ss of the rest.
std::string timeInUseText(std::string_view record);

// The ElapsedField: positions 29 to the end of the record's text.
std::string_view elapsedFieldOf(std::string_view record);

} // namespace quillmarten
