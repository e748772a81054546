#include "basics/text_forms.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quillmarten {

std::string zeroPadded(std::int64_t value, int digits) {
    std::array<char, 20> magnitude;
    const std::uint64_t absolute =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const char* end =
        std::to_chars(magnitude.data(), magnitude.data() + magnitude.size(), absolute).ptr;
    const auto length = static_cast<std::size_t>(end - magnitude.data());
    const auto width = static_cast<std::size_t>(std::max(digits, 0));
    std::string text(value < 0 ? 1 : 0, '-');
    text.append(width > length ? width - length : 0, '0');
    text.append(magnitude.data(), length);
    return text;
}

std::string dateTimeStamp(const LocalTime& time) {
    return zeroPadded(time.date.year, 4) + zeroPadded(time.date.month, 2) +
           zeroPadded(time.date.day, 2) + zeroPadded(time.hour, 2) + zeroPadded(time.minute, 2) +
           zeroPadded(time.second, 2);
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

std::string displayDate(std::string_view yyyymmdd) {
    std::string result(rightText(yyyymmdd, 2));
    result += '/';
    result += midText(yyyymmdd, 5, 2);
    result += '/';
    result += leftText(yyyymmdd, 4);
    return result;
}

std::string displayTime(std::string_view hhnnss) {
    std::string result(leftText(hhnnss, 2));
    result += ':';
    result += midText(hhnnss, 3, 2);
    result += ':';
    result += rightText(hhnnss, 2);
    return result;
}

std::string byteSizeText(std::uint64_t bytes) {
    constexpr std::uint64_t megabyte = std::uint64_t{1} << 20;
    constexpr std::uint64_t gigabyte = std::uint64_t{1} << 30;
    const bool large = bytes >= gigabyte;
    const std::uint64_t unit = large ? gigabyte : megabyte;
    return std::to_string((bytes + unit / 2) / unit) + (large ? " GB" : " MB");
}

} // namespace quillmarten
