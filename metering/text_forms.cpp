#include "text_forms.h"

#include <algorithm>
#include <iterator>

namespace quillmarten {

std::string zeroPadded(std::int64_t value, int digits) {
    std::string magnitude = std::to_string(value < 0 ? -value : value);
    if (magnitude.size() < static_cast<std::size_t>(digits)) {
        magnitude.insert(0, static_cast<std::size_t>(digits) - magnitude.size(), '0');
    }
    return value < 0 ? "-" + magnitude : magnitude;
}

std::string dateTimeStamp(const LocalTime& time) {
    return zeroPadded(time.year, 4) + zeroPadded(time.month, 2) + zeroPadded(time.day, 2) +
           zeroPadded(time.hour, 2) + zeroPadded(time.minute, 2) + zeroPadded(time.second, 2);
}

std::string_view midText(std::string_view text, std::size_t first, std::size_t count) {
    if (first > text.size()) {
        return {};
    }
    return text.substr(first - 1, count);
}

namespace {

std::string_view leftText(std::string_view text, std::size_t count) {
    return text.substr(0, std::min(count, text.size()));
}

std::string_view rightText(std::string_view text, std::size_t count) {
    return text.substr(text.size() - std::min(count, text.size()));
}

} // namespace

std::string Data_Out(std::string_view DataDaRecord) {
    std::string result(rightText(DataDaRecord, 2));
    result += '/';
    result += midText(DataDaRecord, 5, 2);
    result += '/';
    result += leftText(DataDaRecord, 4);
    return result;
}

std::string Time_Out(std::string_view OraDaRecord) {
    std::string result(leftText(OraDaRecord, 2));
    result += ':';
    result += midText(OraDaRecord, 3, 2);
    result += ':';
    result += rightText(OraDaRecord, 2);
    return result;
}

std::string withoutColons(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(result),
                 [](char c) { return c != ':'; });
    return result;
}

} // namespace quillmarten
