// The report by day over 100,000 stored sessions, on a real file. Run:
//   build/native/bench/report_bench
#include "sample_log.h"

#include "basics/calendar.h"
#include "basics/text_forms.h"
#include "log_file/posix_file_system.h"
#include "report/report_command.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

namespace quillmarten {
namespace {

using namespace quillmarten::bench;

// Three sessions a day from 2000 on, for 91 years: a morning, an afternoon, and an evening
// that runs past midnight, paused for half an hour.
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

// quillmarten-report --by day --format csv over the log, written to /dev/null, and merely
// reading the same file, side by side in each iteration so that both meet the same machine:
// report_per_read is the ratio of their times.
void reportByDay(benchmark::State& state, const SessionText& sessionText) {
    const std::string path = writeSampleLog(benchDirectory(), sessionText);
    const auto buffer = std::make_unique_for_overwrite<char[]>(64 * 1024);
    PosixFileSystem files;
    double reportSeconds = 0;
    double readSeconds = 0;
    for (auto _ : state) {
        readSeconds += secondsOf([&] {
            benchmark::DoNotOptimize(readWholeFile(path, std::span(buffer.get(), 64 * 1024)));
        });
        std::ofstream out("/dev/null");
        std::ostringstream err;
        reportSeconds += secondsOf([&] {
            benchmark::DoNotOptimize(
                runReport({"--by", "day", "--format", "csv", path}, files, out, err));
        });
    }
    state.counters["report_per_read"] = reportSeconds / readSeconds;
    state.counters["report_ms"] = 1000 * reportSeconds / static_cast<double>(state.iterations());
    state.counters["read_ms"] = 1000 * readSeconds / static_cast<double>(state.iterations());
}

BENCHMARK_CAPTURE(reportByDay, sameSession, sameSession)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reportByDay, threeSessionsADay, threeSessionsADay)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillmarten
