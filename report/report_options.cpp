#include "report/report_options.h"

#include "basics/calendar.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quillmarten {

namespace {

template <typename Value, std::size_t count>
Value chosen(std::string_view option, std::string_view value,
             const std::array<std::pair<std::string_view, Value>, count>& choices,
             std::string_view choiceNames) {
    for (const auto& [name, choice] : choices) {
        if (name == value) {
            return choice;
        }
    }
    throw UsageError(std::string(option) + " takes " + std::string(choiceNames) + ", not '" +
                     std::string(value) + "'");
}

std::optional<PeriodKind> groupingOf(std::string_view value) {
    constexpr std::array<std::pair<std::string_view, std::optional<PeriodKind>>, 4> choices{{
        {"session", std::nullopt},
        {periodName(PeriodKind::day), PeriodKind::day},
        {periodName(PeriodKind::week), PeriodKind::week},
        {periodName(PeriodKind::month), PeriodKind::month},
    }};
    return chosen("--by", value, choices, "session, day, week or month");
}

OutputFormat formatOf(std::string_view value) {
    constexpr std::array<std::pair<std::string_view, OutputFormat>, 3> choices{{
        {"table", OutputFormat::table},
        {"csv", OutputFormat::csv},
        {"json", OutputFormat::json},
    }};
    return chosen("--format", value, choices, "table, csv or json");
}

// YYYY-MM-DD of a date that exists.
std::int64_t parsedDay(std::string_view option, std::string_view value) {
    const auto digitsAt = [value](std::size_t first, std::size_t count) {
        const std::string_view digits = value.substr(first, count);
        return std::all_of(digits.begin(), digits.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    if (value.size() == 10 && digitsAt(0, 4) && value[4] == '-' && digitsAt(5, 2) &&
        value[7] == '-' && digitsAt(8, 2)) {
        const CalendarDate date{std::stoi(std::string(value.substr(0, 4))),
                                std::stoi(std::string(value.substr(5, 2))),
                                std::stoi(std::string(value.substr(8, 2)))};
        if (isRealDate(date)) {
            return dayNumber(date);
        }
    }
    throw UsageError(std::string(option) + " takes a date as YYYY-MM-DD, not '" +
                     std::string(value) + "'");
}

// NAME=FILE names the machine when NAME holds no path separator, so that a path with an '='
// in it still reads as a path.
LogInput logInputOf(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    if (equals == 0 || equals == std::string::npos || argument.find_first_of("/\\:") < equals) {
        return LogInput{argument, argument};
    }
    if (equals + 1 == argument.size()) {
        throw UsageError("no file after '" + argument + "'");
    }
    return LogInput{argument.substr(0, equals), argument.substr(equals + 1)};
}

} // namespace

ReportOptions parseReportArguments(const std::vector<std::string>& arguments) {
    ReportOptions options;
    for (auto at = arguments.begin(); at != arguments.end(); ++at) {
        const std::string& argument = *at;
        const auto value = [&]() -> std::string_view {
            if (std::next(at) == arguments.end()) {
                throw UsageError(argument + " needs a value");
            }
            return *++at;
        };
        if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--by") {
            options.periods = groupingOf(value());
        } else if (argument == "--format") {
            options.format = formatOf(value());
        } else if (argument == "--from") {
            options.days.first = parsedDay(argument, value());
        } else if (argument == "--to") {
            options.days.last = parsedDay(argument, value());
        } else if (argument.starts_with("-") && argument.size() > 1) {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            options.logs.push_back(logInputOf(argument));
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.days.first > options.days.last) {
        throw UsageError("--from is after --to");
    }
    if (options.logs.empty()) {
        throw UsageError("no log file given");
    }
    return options;
}

} // namespace quillmarten
