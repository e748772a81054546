#include "log_oracle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace oracle {

namespace {

int number(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

bool isTimeOfDay(std::string_view hhmmss) {
    return number(hhmmss.substr(0, 2)) < 24 && number(hhmmss.substr(2, 2)) < 60 &&
           number(hhmmss.substr(4, 2)) < 60;
}

// A moment of a Windows clock, which begins on 1601-01-01.
bool isRealMoment(std::string_view stamp) {
    const std::chrono::year_month_day date{std::chrono::year{number(stamp.substr(0, 4))},
                                           std::chrono::month{unsigned(number(stamp.substr(4, 2)))},
                                           std::chrono::day{unsigned(number(stamp.substr(6, 2)))}};
    return number(stamp.substr(0, 4)) >= 1601 && date.ok() && isTimeOfDay(stamp.substr(8));
}

} // namespace

bool isGap(std::string_view record) {
    return record.size() == slotSize &&
           std::all_of(record.begin(), record.end(), [](char byte) { return byte == '\0'; });
}

bool isSession(std::string_view record) {
    if (record.size() != slotSize || record[0] != 38 || record[1] != 0) {
        return false;
    }
    const std::string_view text = record.substr(2);
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    return isRealMoment(text.substr(0, 14)) && isRealMoment(text.substr(14, 14)) &&
           isTimeOfDay(text.substr(32));
}

bool beginsWithStart(std::string_view record, std::string_view start) {
    return record.size() >= 2 + start.size() && record[0] == 38 && record[1] == 0 &&
           record.substr(2, start.size()) == start;
}

std::int64_t secondsInUse(std::string_view record) {
    const std::string_view used = record.substr(30);
    return std::int64_t{number(used.substr(0, 4))} * 86400 + number(used.substr(4, 2)) * 3600 +
           number(used.substr(6, 2)) * 60 + number(used.substr(8, 2));
}

std::string durationText(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%04lld:%02lld:%02lld:%02lld",
                  static_cast<long long>(seconds / 86400),
                  static_cast<long long>(seconds / 3600 % 24),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

LogSummary summarise(std::string_view log, std::string_view runningStart) {
    LogSummary summary;
    for (std::size_t at = 0; at < log.size(); at += slotSize) {
        const std::string_view record = log.substr(at, slotSize);
        ++summary.slots;
        if (!runningStart.empty() && beginsWithStart(record, runningStart)) {
            summary.ownSlot = summary.slots;
            continue;
        }
        if (!isGap(record)) {
            ++summary.listedRows;
        }
        if (isSession(record)) {
            summary.seconds += secondsInUse(record);
        }
    }
    return summary;
}

} // namespace oracle
