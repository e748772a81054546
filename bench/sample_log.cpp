#include "sample_log.h"

#include "basics/calendar.h"
#include "log_file/days_file.h"
#include "log_file/session_record.h"

#include <fstream>
#include <unistd.h>

namespace quillmarten::bench {

std::string sameSession(int) {
    return "20261205080307"
           "20261205174509"
           "0000094200";
}

std::string threeSessionsADay(int index) {
    const CalendarDate date = dateOfDay(dayNumber({2000, 1, 1}) + index / 3);
    const CalendarDate next = dateOfDay(dayNumber(date) + 1);
    const auto stamp = [](const CalendarDate& day, int hour, int minute) {
        return dateTimeStamp(LocalTime{day, hour, minute, 0});
    };
    switch (index % 3) {
    case 0:
        return stamp(date, 8, 0) + stamp(date, 12, 0) + "0000035500";
    case 1:
        return stamp(date, 13, 0) + stamp(date, 17, 30) + "0000041000";
    default:
        return stamp(date, 22, 0) + stamp(next, 1, 30) + "0000030000";
    }
}

std::string writeSampleLog(const std::filesystem::path& directory, const SessionText& sessionText,
                           int sessions) {
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "Quillmarten.dat").string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string gap(recordSize, '\0');
    for (int i = 0; i < sessions; ++i) {
        out << (i == 0 ? "" : gap) << encodeRecord(sessionText(i));
    }
    return path;
}

void writeSampleDaysFile(const std::filesystem::path& directory, const SessionText& sessionText,
                         int sessions) {
    std::ofstream out(directory / "Quillmarten.days", std::ios::binary | std::ios::trunc);
    out << encodeRecord(daysFileHeader);
    for (int i = 0; i < sessions; ++i) {
        const std::string bytes = encodeRecord(sessionText(i));
        const Record session = decodeRecord(bytes);
        const std::string start(session.text.substr(0, 14));
        out << encodeRecord(start + start + "0000000000");
        if (session.stop().date != session.start().date) {
            const Duration half = durationOfSeconds(secondsOf(session.timeInUse()) / 2);
            out << encodeRecord(start + start.substr(0, 8) + "235959" + storedDurationField(half));
        }
    }
}

std::size_t readWholeFile(const std::string& path, std::span<char> buffer) {
    std::ifstream in(path, std::ios::binary);
    std::size_t total = 0;
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        total += static_cast<std::size_t>(in.gcount());
    }
    return total;
}

std::filesystem::path benchDirectory() {
    return std::filesystem::temp_directory_path() /
           ("quillmarten-bench-" + std::to_string(::getpid()));
}

} // namespace quillmarten::bench
