// The viewer's refresh over 100,000 stored sessions when only the running session's record
// changed, on a real file, with the reads it costs counted. Run:
//   build/native/bench/viewer_bench
#include "sample_log.h"

#include "basics/calendar.h"
#include "log_file/posix_file_system.h"
#include "log_file/session_record.h"
#include "viewer/log_follower.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace quillmarten {
namespace {

using namespace quillmarten::bench;

// Counts the reads of the files it opens, and the bytes they ask for, on their way to the
// files of another file system.
class CountingFileSystem final : public FileSystem {
  public:
    explicit CountingFileSystem(FileSystem& files) : files_(files) {}

    std::unique_ptr<File> openReadWrite(const std::string& path) override {
        return std::make_unique<CountingFile>(*this, files_.openReadWrite(path));
    }
    std::unique_ptr<File> openReadOnly(const std::string& path) override {
        return std::make_unique<CountingFile>(*this, files_.openReadOnly(path));
    }
    bool isFile(const std::string& path) override { return files_.isFile(path); }
    void moveOver(const std::string& from, const std::string& to) override {
        files_.moveOver(from, to);
    }
    void removeFile(const std::string& path) override { files_.removeFile(path); }

    std::int64_t reads = 0;
    std::int64_t bytes = 0;

  private:
    class CountingFile final : public File {
      public:
        CountingFile(CountingFileSystem& counts, std::unique_ptr<File> file)
            : counts_(counts), file_(std::move(file)) {}
        FileStatus status() override { return file_->status(); }
        std::size_t readAt(std::uint64_t offset, std::span<char> into) override {
            ++counts_.reads;
            counts_.bytes += static_cast<std::int64_t>(into.size());
            return file_->readAt(offset, into);
        }
        void writeAt(std::uint64_t offset, std::string_view bytes) override {
            file_->writeAt(offset, bytes);
        }
        void truncate(std::uint64_t length) override { file_->truncate(length); }

      private:
        CountingFileSystem& counts_;
        std::unique_ptr<File> file_;
    };

    FileSystem& files_;
};

// Each iteration the service's tick rewrites the last record, one second on, outside the time
// measured; the refresh that follows is measured. reads_per_refresh and bytes_per_refresh are
// what it asked of the file system.
void refreshAfterTick(benchmark::State& state) {
    const std::string path = writeSampleLog(benchDirectory(), sameSession);
    PosixFileSystem posix;
    CountingFileSystem files(posix);
    SessionRows rows;
    LogFollower follower(files, rows);
    const std::int64_t today = dayNumber({2026, 12, 5});
    follower.refresh(path, today);
    const std::string ticks[] = {encodeRecord(sameSession(0)),
                                 encodeRecord(sameSession(0).substr(0, 37) + "1")};
    std::fstream log(path, std::ios::in | std::ios::out | std::ios::binary);
    const auto lastSlotOffset =
        static_cast<std::streamoff>((storedSessions * 2 - 2) * static_cast<int>(recordSize));
    files.reads = 0;
    files.bytes = 0;
    int tick = 0;
    for (auto _ : state) {
        state.PauseTiming();
        log.seekp(lastSlotOffset);
        log << ticks[++tick % 2] << std::flush;
        state.ResumeTiming();
        follower.refresh(path, today);
    }
    benchmark::DoNotOptimize(follower.sums());
    state.counters["reads_per_refresh"] =
        benchmark::Counter(static_cast<double>(files.reads), benchmark::Counter::kAvgIterations);
    state.counters["bytes_per_refresh"] =
        benchmark::Counter(static_cast<double>(files.bytes), benchmark::Counter::kAvgIterations);
    state.counters["rows"] = static_cast<double>(rows.size());
}

BENCHMARK(refreshAfterTick)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quillmarten
