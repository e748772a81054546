// Start-up load and metering tick on a real file. Run:
//   build/native/bench/metering_bench
#include "doubles/fake_ports.h"
#include "metering/posix_file_system.h"
#include "metering/session_log_file.h"
#include "metering/session_tracker.h"
#include "service/recording_service_host.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
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
    const std::string gap(recordLength, '\0');
    for (int i = 0; i < storedSessions; ++i) {
        out << (i == 0 ? "" : gap) << session;
    }
    return path;
}

struct Program {
    explicit Program(const std::string& path)
        : tracker(TrackerPorts{clock, list, window, tray, taskbar, timer1, timer2, host, files},
                  path, ProgramVersion{"Quillmarten", 1, 0, 0, 45}) {}

    FakeClock clock;
    FakeSessionList list;
    FakeMainWindow window;
    FakeTray tray;
    FakeTaskbar taskbar;
    FakeTimer timer1;
    FakeTimer timer2{true};
    RecordingServiceHost host;
    PosixFileSystem files;
    SessionTracker tracker;
};

const std::filesystem::path benchDirectory =
    std::filesystem::temp_directory_path() / ("quillmarten-bench-" + std::to_string(::getpid()));

void loadHistory(benchmark::State& state) {
    const std::string path = writeHistory(benchDirectory);
    const auto storedLength = std::filesystem::file_size(path);
    for (auto _ : state) {
        Program program(path);
        program.tracker.Inizializza();
        benchmark::DoNotOptimize(program.list.rowCount());
        state.PauseTiming();
        std::filesystem::resize_file(path, storedLength);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(storedLength));
}

void readFileBytes(benchmark::State& state) {
    const std::string path = writeHistory(benchDirectory);
    std::string buffer(64 * 1024, '\0');
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::size_t total = 0;
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0) {
            total += static_cast<std::size_t>(in.gcount());
        }
        benchmark::DoNotOptimize(total);
    }
}

void tick(benchmark::State& state) {
    std::filesystem::create_directories(benchDirectory);
    const std::string path = (benchDirectory / "tick.dat").string();
    std::filesystem::remove(path);
    Program program(path);
    program.tracker.Inizializza();
    for (auto _ : state) {
        program.clock.advance(1);
        program.tracker.Timer1_Timer();
    }
    benchmark::DoNotOptimize(program.tracker.sessionElapsed());
}

BENCHMARK(loadHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(readFileBytes)->Unit(benchmark::kMillisecond);
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
