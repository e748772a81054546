#pragma once

#include <sstream>
#include <string>

namespace quillmarten::testing {

// "a 05=600 06=2400~100": each row by day's machine, day of the month and seconds, with its
// estimated ones after a tilde.
inline std::string daysIn(const std::string& csv) {
    std::istringstream rows(csv.substr(csv.find('\n') + 1));
    std::string text;
    for (std::string machine, day, seconds, rest, sessions, estimated;
         std::getline(rows, machine, ',') && std::getline(rows, day, ',') &&
         std::getline(rows, seconds, ',') && std::getline(rows, rest, ',') &&
         std::getline(rows, sessions, ',') && std::getline(rows, estimated, '\r');
         rows.ignore()) {
        text += (text.empty() ? "" : " ") + machine + " " + day.substr(8) + "=" + seconds +
                (estimated == "0" ? "" : "~" + estimated);
    }
    return text;
}

} // namespace quillmarten::testing
