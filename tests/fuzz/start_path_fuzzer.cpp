// Drives the start of metering over arbitrary log contents, then ticks, a second start, a start
// whose write fails, and a log replaced by another between two ticks, and checks each against
// the oracle. Run:
//   build/fuzz/tests/fuzz/start_path_fuzzer -max_len=4096 NEW_CORPUS tests/fuzz/corpus
#include "doubles/memory_file_system.h"
#include "doubles/metered_process.h"
#include "log_oracle.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace quillmarten;
using namespace quillmarten::testing;

const std::string path = "C:\\Q\\Quillmarten.dat";
const std::string captionPrefix = "Quillmarten - Version 1.0.45 - At work since ";
constexpr int ticks = 3;

void expect(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle: %s\n", what);
        std::abort();
    }
}

// Runs of the program, one after the other, over one log on the same clock.
struct Machine {
    explicit Machine(const std::string& log) { files.contents(path) = log; }
    void start() {
        run = std::make_unique<MeteredProcess>(files, clock, path);
        run->tracker.start();
    }
    void tick(int seconds = ticks) {
        for (int second = 0; second < seconds; ++second) {
            clock.advance(1);
            run->tracker.onMeterTick();
        }
    }
    const std::string& log() { return files.contents(path); }

    MemoryFileSystem files;
    FakeClock clock;
    std::unique_ptr<MeteredProcess> run;
};

// The file holds what it held before, then zeros, then the run's own well-formed record, and
// the run shows every stored row and the total of the well-formed ones.
void checkRun(const std::string& before, const std::string& after, const MeteredProcess& run,
              std::int64_t runSeconds) {
    const oracle::LogSummary stored = oracle::summarise(before);
    // The first slot of an empty log; else one gap slot after the last.
    const std::size_t slot = stored.slots == 0 ? 1 : stored.slots + 2;
    expect(after.size() == slot * oracle::slotSize, "the new record is two slots past the last");
    expect(after.compare(0, before.size(), before) == 0, "stored bytes are untouched");
    const std::size_t recordAt = (slot - 1) * oracle::slotSize;
    expect(after.find_first_not_of('\0', before.size()) >= recordAt, "the skipped bytes are zero");
    const std::string_view record = std::string_view(after).substr(recordAt);
    expect(oracle::isSession(record), "the new record is well formed");
    expect(oracle::secondsInUse(record) == runSeconds, "the new record holds the counted time");
    expect(run.rows.size() == stored.listedRows + 1, "every stored row and the run's are listed");
    expect(run.window.caption == captionPrefix + oracle::durationText(stored.seconds + runSeconds),
           "the total is the sum of the well-formed records");
}

void startsAndTicks(const std::string& log) {
    Machine machine(log);
    machine.start();
    machine.tick();
    const std::string afterFirst = machine.log();
    checkRun(log, afterFirst, *machine.run, ticks);
    machine.clock.advance(3600);
    machine.start();
    machine.tick();
    checkRun(afterFirst, machine.log(), *machine.run, ticks);
}

// A start whose write breaks off leaves the file as it was, then places its record whole.
void startWithAFailingWrite(const std::string& log, std::size_t bytesWritten) {
    Machine machine(log);
    machine.files.failWrites(61, bytesWritten);
    machine.start();
    expect(machine.log() == log, "a failed append leaves no fragment");
    machine.files.failWrites(std::nullopt);
    machine.tick();
    checkRun(log, machine.log(), *machine.run, ticks);
}

// Another file takes the log's place while the session runs: the session goes behind what the
// new file holds, whose bytes stay as they are, and keeps the time it counted.
void logReplacedBetweenTicks(const std::string& log, const std::string& replacement) {
    Machine machine(log);
    machine.start();
    machine.tick(1);
    machine.files.replace(path, replacement);
    machine.tick();
    checkRun(replacement, machine.log(), *machine.run, ticks + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string log(reinterpret_cast<const char*>(data), size);
    startsAndTicks(log);
    startWithAFailingWrite(log, size == 0 ? 0 : data[0] % oracle::slotSize);
    logReplacedBetweenTicks(log.substr(0, size / 2), log.substr(size / 2));
    return 0;
}
