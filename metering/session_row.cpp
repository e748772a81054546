#include "metering/session_row.h"

#include "basics/text_forms.h"

namespace quillmarten {

namespace {

constexpr std::size_t toEnd = std::string_view::npos;

std::string displayStamp(std::string_view record, std::size_t first) {
    return displayDate(midText(record, first, 8)) + "-" +
           displayTime(midText(record, first + 8, 6));
}

} // namespace

std::string startTimeText(std::string_view record) {
    return displayStamp(record, 1);
}

std::string stopTimeText(std::string_view record) {
    return displayStamp(record, 15);
}

std::string timeInUseText(std::string_view record) {
    return std::string(midText(record, 29, 4)) + ":" + displayTime(midText(record, 33, toEnd));
}

} // namespace quillmarten
