// Start-up load, its memory, and the metering tick, on a real file. Run:
//   build/native/bench/metering_bench
#include "sample_log.h"

#include "doubles/metered_process.h"
#include "log_file/posix_file_system.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <malloc.h>

namespace quillmarten {
namespace {

using namespace quillmarten::bench;
using namespace quillmarten::testing;

// The bytes the heap holds in use.
std::int64_t heapBytes() {
    return static_cast<std::int64_t>(mallinfo2().uordblks);
}

// The start of metering over 100,000 stored sessions, and reading the same file, side by side
// in each iteration so that both meet the same machine: load_per_read is the ratio of their
// times, bytes_per_session what the loaded rows keep on the heap for each session.
void loadLog(benchmark::State& state) {
    const std::string path = writeSampleLog(benchDirectory(), sameSession);
    const auto storedLength = std::filesystem::file_size(path);
    const auto buffer = std::make_unique_for_overwrite<char[]>(64 * 1024);
    PosixFileSystem files;
    FakeClock clock;
    double loadSeconds = 0;
    double readSeconds = 0;
    std::int64_t heldPerSession = 0;
    for (auto _ : state) {
        readSeconds += secondsOf([&] {
            benchmark::DoNotOptimize(readWholeFile(path, std::span(buffer.get(), 64 * 1024)));
        });
        const std::int64_t heapBefore = heapBytes();
        MeteredProcess program(files, clock, path);
        loadSeconds += secondsOf([&] { program.tracker.start(); });
        heldPerSession = (heapBytes() - heapBefore) / storedSessions;
        state.PauseTiming();
        std::filesystem::resize_file(path, storedLength);
        state.ResumeTiming();
    }
    state.counters["load_per_read"] = loadSeconds / readSeconds;
    state.counters["load_ms"] = 1000 * loadSeconds / static_cast<double>(state.iterations());
    state.counters["read_ms"] = 1000 * readSeconds / static_cast<double>(state.iterations());
    state.counters["bytes_per_session"] = static_cast<double>(heldPerSession);
}

void tick(benchmark::State& state) {
    std::filesystem::create_directories(benchDirectory());
    const std::string path = (benchDirectory() / "tick.dat").string();
    std::filesystem::remove(path);
    PosixFileSystem files;
    FakeClock clock;
    MeteredProcess program(files, clock, path);
    program.tracker.start();
    for (auto _ : state) {
        clock.advance(1);
        program.tracker.onMeterTick();
    }
    benchmark::DoNotOptimize(program.window.caption);
}

BENCHMARK(loadLog)->Unit(benchmark::kMillisecond);
BENCHMARK(tick)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quillmarten
