// Start-up load, its memory, and the metering tick, on a real file. Run:
//   build/native/bench/metering_bench
#include "doubles/fake_ports.h"
#include "metering/posix_file_system.h"
#include "metering/session_log_file.h"
#include "metering/session_tracker.h"
#include "service/recording_service_host.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

constexpr int storedSessions = 100'000;

// A log as years of use leave it: every session behind a gap record.
std::string writeHistory(const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "Quillmarten.dat").string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string session = encodeRecord("20261205080307"
                                             "20261205174509"
                                             "0000094200");
    const std::string gap(recordSize, '\0');
    for (int i = 0; i < storedSessions; ++i) {
        out << (i == 0 ? "" : gap) << session;
    }
    return path;
}

struct Program {
    explicit Program(const std::string& path)
        : tracker(
              TrackerPorts{clock, list, window, tray, taskbar, meterTimer, hideTimer, host, files},
              history, path, ProgramVersion{"Quillmarten", 1, 0, 0, 45}) {}

    FakeClock clock;
    SessionHistory history;
    FakeSessionList list{history};
    FakeMainWindow window;
    FakeTray tray;
    FakeTaskbar taskbar;
    FakeTimer meterTimer;
    FakeTimer hideTimer{true};
    RecordingServiceHost host;
    PosixFileSystem files;
    SessionTracker tracker;
};

// The bytes the heap holds in use.
std::int64_t heapBytes() {
    return static_cast<std::int64_t>(mallinfo2().uordblks);
}

const std::filesystem::path benchDirectory =
    std::filesystem::temp_directory_path() / ("quillmarten-bench-" + std::to_string(::getpid()));

double secondsOf(const auto& work) {
    const auto begin = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// Merely reading the file, the yardstick of the load.
std::size_t readWholeFile(const std::string& path, std::span<char> buffer) {
    std::ifstream in(path, std::ios::binary);
    std::size_t total = 0;
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        total += static_cast<std::size_t>(in.gcount());
    }
    return total;
}

// The start of metering over 100,000 stored sessions, and reading the same file, side by side
// in each iteration so that both meet the same machine: load_per_read is the ratio of their
// times, bytes_per_session what the loaded history keeps on the heap for each session.
void loadHistory(benchmark::State& state) {
    const std::string path = writeHistory(benchDirectory);
    const auto storedLength = std::filesystem::file_size(path);
    const auto buffer = std::make_unique_for_overwrite<char[]>(64 * 1024);
    double loadSeconds = 0;
    double readSeconds = 0;
    std::int64_t heldPerSession = 0;
    for (auto _ : state) {
        readSeconds += secondsOf([&] {
            benchmark::DoNotOptimize(readWholeFile(path, std::span(buffer.get(), 64 * 1024)));
        });
        const std::int64_t heapBefore = heapBytes();
        Program program(path);
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
    std::filesystem::create_directories(benchDirectory);
    const std::string path = (benchDirectory / "tick.dat").string();
    std::filesystem::remove(path);
    Program program(path);
    program.tracker.start();
    for (auto _ : state) {
        program.clock.advance(1);
        program.tracker.onMeterTick();
    }
    benchmark::DoNotOptimize(program.tracker.sessionTime());
}

BENCHMARK(loadHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(tick)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quillmarten

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(quillmarten::benchDirectory);
    return 0;
}
