#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

// The long log the benchmarks load, and the yardstick they measure against.
namespace quillmarten::bench {

inline constexpr int storedSessions = 100'000;

// The 38 characters of session `index` (0-based).
using SessionText = std::function<std::string(int index)>;

// The same session every time, one working day of 2026.
std::string sameSession(int index);

// Three sessions a day from 2000 on: a morning, an afternoon, and an evening that runs past
// midnight, paused for half an hour.
std::string threeSessionsADay(int index);

// Writes "Quillmarten.dat" in `directory` as years of use leave it: every session behind a gap
// record. Returns its path.
std::string writeSampleLog(const std::filesystem::path& directory, const SessionText& sessionText,
                           int sessions = storedSessions);

// Writes "Quillmarten.days" beside it as the service leaves it: each session's beginning and,
// for one that runs past midnight, the snapshot of its first day, with half its time.
void writeSampleDaysFile(const std::filesystem::path& directory, const SessionText& sessionText,
                         int sessions = storedSessions);

// Merely reading the file, the yardstick of what reads it.
std::size_t readWholeFile(const std::string& path, std::span<char> buffer);

// A directory of this process's own under the system's temporary directory.
std::filesystem::path benchDirectory();

double secondsOf(const auto& work) {
    const auto begin = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

} // namespace quillmarten::bench
