// The report by day over 100,000 stored sessions, on a real file, estimated or measured from a days
// file. Run:
//   build/native/bench/report_bench
#include "sample_log.h"

#include "log_file/posix_file_system.h"
#include "report/report_command.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillmarten {
namespace {

using namespace quillmarten::bench;

// quillmarten-report --by day --format csv over the log, written to /dev/null, and merely
// reading the same file, side by side in each iteration so that both meet the same machine:
// report_per_read is the ratio of their times.
void reportByDay(benchmark::State& state, const SessionText& sessionText, bool withDaysFile) {
    const std::string path = writeSampleLog(benchDirectory(), sessionText);
    std::filesystem::remove(benchDirectory() / "Quillmarten.days");
    if (withDaysFile) {
        writeSampleDaysFile(benchDirectory(), sessionText);
    }
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

BENCHMARK_CAPTURE(reportByDay, sameSession, sameSession, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reportByDay, threeSessionsADay, threeSessionsADay, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reportByDay, threeSessionsADayMeasured, threeSessionsADay, true)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillmarten
