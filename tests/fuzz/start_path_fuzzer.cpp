// Drives the start of metering over arbitrary log contents, then ticks, a second start, a start
// whose write fails, and a log replaced by another between two ticks, and checks each against the
// oracle. Run:
//   build/fuzz/tests/fuzz/start_path_fuzzer -max_len=4096 NEW_CORPUS tests/fuzz/corpus
#include "doubles/metered_process.h"
#include "log_oracle.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace quillmarten;
using namespace quillmarten::testing;

const std::string path = "C:\\Q\\Quillmarten.dat";
const std::string firstStart = "20261205080307"; // where the machine's clock starts
constexpr int ticks = 3;

void expect(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle: %s\n", what);
        std::abort();
    }
}

// The first slot of an empty log; else one gap slot after the last.
std::size_t newSlot(const oracle::LogSummary& log) {
    return log.slots == 0 ? 1 : log.slots + 2;
}

// The file holds what it held before, padded with zeros, but for slot `slot`, which holds the run's
// own well-formed record; the run shows the rows of the log as read, its own, and their total.
void checkRun(const std::string& before, const std::string& after, std::size_t slot,
              const oracle::LogSummary& read, const MeteredProcess& run, std::int64_t runSeconds) {
    const std::size_t recordAt = (slot - 1) * oracle::slotSize;
    expect(after.size() == std::max(before.size(), slot * oracle::slotSize),
           "the record is the last, or stands where it stood");
    std::string padded = before;
    padded.resize(after.size(), '\0');
    expect(after.compare(0, recordAt, padded, 0, recordAt) == 0 &&
               after.compare(recordAt + oracle::slotSize, std::string::npos, padded,
                             recordAt + oracle::slotSize) == 0,
           "stored bytes are untouched, the skipped bytes zero");
    const std::string_view record = std::string_view(after).substr(recordAt, oracle::slotSize);
    expect(oracle::isSession(record), "the record is well formed");
    expect(oracle::secondsInUse(record) == runSeconds, "the record holds the counted time");
    expect(run.rows.size() == read.listedRows + 1, "every stored row and the run's are listed");
    expect(run.window.caption == captionPrefix + oracle::durationText(read.seconds + runSeconds),
           "the total is the sum of the well-formed records");
}

void checkNewRun(const std::string& before, const std::string& after, const MeteredProcess& run) {
    const oracle::LogSummary stored = oracle::summarise(before);
    checkRun(before, after, newSlot(stored), stored, run, ticks);
}

void startsAndTicks(const std::string& log) {
    MeteredMachine machine(path);
    machine.log() = log;
    machine.start();
    machine.tick(1, ticks);
    const std::string afterFirst = machine.log();
    checkNewRun(log, afterFirst, *machine.run);
    machine.clock.advance(3600);
    machine.start();
    machine.tick(1, ticks);
    checkNewRun(afterFirst, machine.log(), *machine.run);
}

// A start whose write breaks off leaves the file as it was, then places its record whole.
void startWithAFailingWrite(const std::string& log, std::size_t bytesWritten) {
    MeteredMachine machine(path);
    machine.log() = log;
    machine.files.failWrites(61, bytesWritten);
    machine.start();
    expect(machine.log() == log, "a failed append leaves no fragment");
    machine.files.failWrites(std::nullopt);
    machine.tick(1, ticks);
    checkNewRun(log, machine.log(), *machine.run);
}

// Another file takes the log's place while the session runs: the session goes on in a record of
// its start that the new file holds, or behind what the new file holds, whose bytes stay as they
// are, and keeps the time it counted.
void logReplacedBetweenTicks(const std::string& log, const std::string& replacement) {
    MeteredMachine machine(path);
    machine.log() = log;
    machine.start();
    machine.tick(1);
    machine.files.replace(path, replacement);
    machine.tick(1, ticks);
    const oracle::LogSummary read = oracle::summarise(replacement, firstStart);
    checkRun(replacement, machine.log(), read.ownSlot != 0 ? read.ownSlot : newSlot(read), read,
             *machine.run, ticks + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string log(reinterpret_cast<const char*>(data), size);
    startsAndTicks(log);
    startWithAFailingWrite(log, size == 0 ? 0 : data[0] % oracle::slotSize);
    logReplacedBetweenTicks(log.substr(0, size / 2), log.substr(size / 2));
    return 0;
}
