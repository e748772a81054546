#pragma once

#include <string>
#include <string_view>

// The three texts a record shows in the session list. They take the record's characters by
// position, so that a damaged record is shown as far as its bytes go.
namespace quillmarten {

// "Start time": dd/mm/yyyy-hh:nn:ss of positions 1 to 14.
std::string startTimeText(std::string_view record);

// "Stop time": the same of positions 15 to 28.
std::string stopTimeText(std::string_view record);

// "Time in use": the stored days (positions 29 to 32), ":", then hh:nn:ss of the rest.
std::string timeInUseText(std::string_view record);

} // namespace quillmarten
