#include "session_row.h"

#include "text_forms.h"

namespace quillmarten {

namespace {

constexpr std::size_t toEnd = std::string_view::npos;

std::string displayStamp(std::string_view record, std::size_t first) {
    return Data_Out(midText(record, first, 8)) + "-" + Time_Out(midText(record, first + 8, 6));
}

} // namespace

std::string startTimeText(std::string_view record) {
    return displayStamp(record, 1);
}

std::string stopTimeText(std::string_view record) {
    return displayStamp(record, 15);
}

std::string timeInUseText(std::string_view record) {
    return std::string(midText(record, 29, 4)) + ":" + Time_Out(midText(record, 33, toEnd));
}

std::string_view elapsedFieldOf(std::string_view record) {
    return midText(record, 29, toEnd);
}

} // namespace quillmarten
